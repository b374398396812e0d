# How many texts each translation lacks: lrelease's own count of unfinished and untranslated
# messages. Fails when the windows' English or the tool's Czech lacks any (the test
# `translations_complete`).
#   cmake -DLRELEASE=<lrelease> -DSOURCE=<source folder> [-DLUPDATE=<lupdate> -DWORK=<folder>]
#         -P status.cmake
# With LUPDATE the counts are of copies brought up to date with the sources first, so that a
# text added to the sources but not yet to the .ts counts as untranslated; the .ts files in
# the repository stay as they are.
file(GLOB ts_files ${SOURCE}/translations/tomelin_*.ts ${SOURCE}/translations/tomelin-cli_*.ts)
if(LUPDATE)
    file(REMOVE_RECURSE ${WORK})
    file(MAKE_DIRECTORY ${WORK})
    set(copies)
    foreach(ts IN LISTS ts_files)
        get_filename_component(name ${ts} NAME)
        file(COPY_FILE ${ts} ${WORK}/${name})
        set(only)
        if(name STREQUAL "tomelin_cs.ts")
            set(only -pluralonly)
        endif()
        if(name MATCHES "^tomelin-cli_")
            # The tool's messages: English source, src/cli only.
            set(arguments -source-language en
                -tr-function-alias translate+=cliTr,QT_TRANSLATE_NOOP+=CLI_TR_NOOP src/cli)
        else()
            set(arguments -source-language cs
                -tr-function-alias translate+=trText,QT_TRANSLATE_NOOP+=TOMELIN_TR_NOOP ${only} src)
        endif()
        execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${arguments}
                                -ts ${WORK}/${name}
                        WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE status ERROR_VARIABLE err)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "lupdate failed on ${name}: ${err}")
        endif()
        list(APPEND copies ${WORK}/${name})
    endforeach()
    set(ts_files ${copies})
endif()
set(failed FALSE)
foreach(ts IN LISTS ts_files)
    get_filename_component(name ${ts} NAME_WE)
    execute_process(COMMAND ${LRELEASE} ${ts} -qm ${CMAKE_CURRENT_BINARY_DIR}/${name}.status.qm
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}.status.qm)
    if(NOT status EQUAL 0)
        message(SEND_ERROR "${name}: lrelease failed: ${err}")
        set(failed TRUE)
        continue()
    endif()
    # "Generated N translation(s) (F finished and U unfinished)" and, when some are empty,
    # "Ignored M untranslated source text(s)".
    string(REGEX MATCH "Generated ([0-9]+) translation\\(s\\) \\(([0-9]+) finished and ([0-9]+) unfinished\\)" _ "${out}${err}")
    set(generated ${CMAKE_MATCH_1})
    set(unfinished ${CMAKE_MATCH_3})
    set(untranslated 0)
    if("${out}${err}" MATCHES "Ignored ([0-9]+) untranslated")
        set(untranslated ${CMAKE_MATCH_1})
    endif()
    if(generated STREQUAL "")
        message(SEND_ERROR "${name}: lrelease said nothing countable: ${out}${err}")
        set(failed TRUE)
        continue()
    endif()
    message(STATUS "${name}: ${generated} translated, ${unfinished} unfinished, ${untranslated} untranslated")
    # Every translation but Czech's plural forms for the windows is complete.
    if(NOT name STREQUAL "tomelin_cs" AND (NOT unfinished EQUAL 0 OR NOT untranslated EQUAL 0))
        set(failed TRUE)
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "A translation lacks texts: run `make translations`, translate the "
                        "texts marked unfinished in translations/tomelin_en.ts or "
                        "translations/tomelin-cli_cs.ts (Qt Linguist or any editor) and remove "
                        "their type=\"unfinished\"")
endif()
