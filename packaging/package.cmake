# Manual pages, bash completion and the Debian package. Included by the top-level
# CMakeLists.txt.
#
#   <prefix>/share/man/man6/                      tomelin.6.gz, tomelin-cli.6.gz
#   <prefix>/share/bash-completion/completions/   tomelin-cli
#
# With TOMELIN_DEB the installation is a Debian game's (see the Makefile's `package`):
# /usr/games for the programs, /usr/share/games/tomelin for the data, the copyright, the
# changelog and lintian's overrides where Debian keeps them, and `cpack` packs it into
# tomelin_<version>_<arch>.deb with the dependencies dpkg-shlibdeps finds in the programs.

if(TOMELIN_CORE_ONLY)
    return()
endif()

set(TOMELIN_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(TOMELIN_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
# Not every generator makes the folders of a command's outputs (Unix Makefiles does not).
file(MAKE_DIRECTORY ${TOMELIN_PACKAGING_OUT})

# Files installed compressed the way Debian wants them: gzip -9 without name and time stamp.
function(tomelin_gzip source output)
    add_custom_command(
        OUTPUT ${output}
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${source} ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()

set(TOMELIN_COMPRESSED)
foreach(page tomelin.6 tomelin-cli.6)
    tomelin_gzip(${TOMELIN_PACKAGING}/${page} ${TOMELIN_PACKAGING_OUT}/${page}.gz)
    list(APPEND TOMELIN_COMPRESSED ${TOMELIN_PACKAGING_OUT}/${page}.gz)
    install(FILES ${TOMELIN_PACKAGING_OUT}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
install(FILES ${TOMELIN_PACKAGING}/tomelin-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tomelin-cli)

if(TOMELIN_DEB)
    if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR NOT CMAKE_INSTALL_BINDIR STREQUAL "games")
        message(FATAL_ERROR "TOMELIN_DEB needs -DCMAKE_INSTALL_PREFIX=/usr "
                            "-DCMAKE_INSTALL_BINDIR=games (make package passes them)")
    endif()
    tomelin_gzip(${TOMELIN_PACKAGING}/changelog ${TOMELIN_PACKAGING_OUT}/changelog.gz)
    list(APPEND TOMELIN_COMPRESSED ${TOMELIN_PACKAGING_OUT}/changelog.gz)
    install(FILES ${TOMELIN_PACKAGING}/copyright ${TOMELIN_PACKAGING_OUT}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tomelin)
    install(FILES ${TOMELIN_PACKAGING}/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tomelin)
    # Stripped as Debian strips programs: also without the compiler's .comment and .note.
    foreach(program tomelin tomelin-cli)
        install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --strip-all
                          --remove-section=.comment --remove-section=.note
                          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/${program}\"
                          COMMAND_ERROR_IS_FATAL ANY)")
    endforeach()
endif()
add_custom_target(tomelin_compressed_docs ALL DEPENDS ${TOMELIN_COMPRESSED})

if(TOMELIN_DEB)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME tomelin)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_PACKAGE_CONTACT "Tomelin project <tomelin@example.org>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player strategy board game")
    # Lines of at most 80 characters; CPack indents them and marks the empty one.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Tomelin is played on a square board in which some cells may be holes. In a
move a player copies one of his tokens to a neighbouring free cell or jumps
with it to a cell farther away; every opponent token next to the target then
changes sides. When the board is full, the player with more tokens wins.

Two people share one computer, or either plays against the computer at four
strengths: PC Začátečník, PC Profesionál, PC Génius and PC Velmistr, which
searches the moves ahead; a hint (N) shows the move it would play for you.
Moves can be taken back (Z) and played again (Y), and a game left unfinished
is kept and resumed at the next start. Two movement logics, five built-in
boards and an editor for your own boards, time limits, statistics of every
player's games and background music. The windows are in Czech or English, as
the desktop's language says. The package also holds tomelin-cli, a tool that
plays and inspects games without a window.]=])
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # Library dependencies come from the programs themselves; the songs need the soundfont
    # the player loads by name, the About window's links open through xdg-open, and Qt's own
    # texts (standard buttons, the file dialog) speak the game's language with Qt's translations.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
        OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    # Nothing of the build machine goes into the package: no source package, no build path.
    set(CPACK_SOURCE_GENERATOR "")
    include(CPack)
    return()
endif()

if(NOT BUILD_TESTING)
    return()
endif()
# The completion and the manual pages against the tool they describe; needs only bash.
add_test(NAME packaging.completion_and_manuals
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/packaging/completion_test.sh
                 $<TARGET_FILE:tomelin-cli> ${TOMELIN_PACKAGING})
# The package built, installed into this machine, run and purged: only when asked for with
# TOMELIN_PACKAGE_TEST, as root with the packaging tools, and never over a tomelin package
# the user installed; else it is skipped (status 77). It builds a release tree of its own.
if(NOT TOMELIN_SANITIZE)
    add_test(NAME packaging.install
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/packaging/install_test.sh
                     ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/deb $<TARGET_FILE:tomelin-cli>)
    set_tests_properties(packaging.install PROPERTIES
        SKIP_RETURN_CODE 77 TIMEOUT 3000 PROCESSORS 2)
endif()
