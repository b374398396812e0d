# The windows' translations: translations/tomelin_<language>.ts in the repository (kept up
# to date from the sources with `make translations`), built into <build>/translations/*.qm
# and installed into <data folder>/translations/, where the game looks for them.
#
# Czech is the language the texts are written in; tomelin_cs.ts holds only the plural
# forms Czech needs (three), the other languages hold every text.
#
# Debian 12's Qt 6.4 ships lupdate and lrelease in qt6-l10n-tools, but Qt's CMake functions
# for them (qt_add_lupdate, qt_add_lrelease) only with the development files of all of Qt's
# tools; the two programs are called directly here.

set(TOMELIN_LANGUAGES cs en)
find_program(TOMELIN_LRELEASE NAMES lrelease lrelease-qt6
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/bin)
find_program(TOMELIN_LUPDATE NAMES lupdate lupdate-qt6
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/bin)
if(NOT TOMELIN_LRELEASE)
    message(FATAL_ERROR "lrelease not found: install qt6-l10n-tools (make deps does)")
endif()

set(TOMELIN_TRANSLATIONS_DIR ${CMAKE_BINARY_DIR}/translations)
set(qm_files)
# One .qm file built by lrelease from translations/<catalogue>_<language>.ts.
function(tomelin_add_qm catalogue language)
    set(ts ${CMAKE_SOURCE_DIR}/translations/${catalogue}_${language}.ts)
    set(qm ${TOMELIN_TRANSLATIONS_DIR}/${catalogue}_${language}.qm)
    add_custom_command(OUTPUT ${qm}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TOMELIN_TRANSLATIONS_DIR}
        COMMAND ${TOMELIN_LRELEASE} -silent ${ts} -qm ${qm}
        DEPENDS ${ts}
        COMMENT "Translation ${catalogue} ${language}"
        VERBATIM)
    set(qm_files ${qm_files} ${qm} PARENT_SCOPE)
endfunction()
foreach(language IN LISTS TOMELIN_LANGUAGES)
    tomelin_add_qm(tomelin ${language})
endforeach()
# tomelin-cli speaks English, its own language, and Czech: translations/tomelin-cli_cs.ts
# holds every message of the tool in Czech (src/cli only, English the source language).
set(TOMELIN_CLI_LANGUAGES cs)
foreach(language IN LISTS TOMELIN_CLI_LANGUAGES)
    tomelin_add_qm(tomelin-cli ${language})
endforeach()
add_custom_target(tomelin_translations ALL DEPENDS ${qm_files})
install(FILES ${qm_files} DESTINATION ${TOMELIN_DATADIR}/translations)

# The tool's messages: cliTr() and CLI_TR_NOOP() (cli/cli_text.h) read as Qt's translate and
# QT_TRANSLATE_NOOP; the windows' run below does not know them and leaves them out.
set(TOMELIN_CLI_LUPDATE_ARGS -locations none -no-obsolete -source-language en
    -tr-function-alias translate+=cliTr,QT_TRANSLATE_NOOP+=CLI_TR_NOOP src/cli)

# `lupdate` reads the texts of every layer: the windows' tr()/translate()/QT_TRANSLATE_NOOP and
# the Qt-free layers' trText()/TOMELIN_TR_NOOP (core/texts.h).
# No source locations are kept: line numbers would make every change a conflict in the .ts.
set(TOMELIN_LUPDATE_ARGS -locations none -no-obsolete -source-language cs
    -tr-function-alias translate+=trText,QT_TRANSLATE_NOOP+=TOMELIN_TR_NOOP src)
if(TOMELIN_LUPDATE)
    set(commands)
    foreach(language IN LISTS TOMELIN_LANGUAGES)
        set(only)
        if(language STREQUAL "cs")
            set(only -pluralonly)
        endif()
        list(APPEND commands COMMAND ${TOMELIN_LUPDATE} ${TOMELIN_LUPDATE_ARGS} ${only}
             -target-language ${language} -ts translations/tomelin_${language}.ts)
    endforeach()
    foreach(language IN LISTS TOMELIN_CLI_LANGUAGES)
        list(APPEND commands COMMAND ${TOMELIN_LUPDATE} ${TOMELIN_CLI_LUPDATE_ARGS}
             -target-language ${language} -ts translations/tomelin-cli_${language}.ts)
    endforeach()
    # Refreshes the .ts files from the sources (make translations), then tells how many
    # texts each language still lacks (make translations-status tells only that).
    add_custom_target(tomelin_lupdate ${commands}
        COMMAND ${CMAKE_COMMAND} -DLRELEASE=${TOMELIN_LRELEASE} -DSOURCE=${CMAKE_SOURCE_DIR}
                -P ${CMAKE_SOURCE_DIR}/translations/status.cmake
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        VERBATIM)
endif()
add_custom_target(tomelin_translation_status
    COMMAND ${CMAKE_COMMAND} -DLRELEASE=${TOMELIN_LRELEASE} -DSOURCE=${CMAKE_SOURCE_DIR}
            -P ${CMAKE_SOURCE_DIR}/translations/status.cmake
    VERBATIM)
