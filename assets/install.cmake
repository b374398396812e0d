# Installation of the game's data and its desktop integration. Included by the top-level
# CMakeLists.txt when the windows are built.
#
#   <prefix>/share/tomelin/help/      the help page with the rules (the About window opens it)
#   <prefix>/share/tomelin/Zvuk/      the songs of the music window
#                                     (share/games/tomelin/ in the Debian package)
#   <prefix>/share/applications/      the .desktop file
#   <prefix>/share/metainfo/          the AppStream description
#   <prefix>/share/icons/hicolor/     the application icon in the usual sizes

set(TOMELIN_APP_ID io.github.tomelin.Tomelin)
set(TOMELIN_ASSETS ${CMAKE_SOURCE_DIR}/assets)

install(DIRECTORY ${TOMELIN_ASSETS}/help/ DESTINATION ${TOMELIN_DATADIR}/help)
if(EXISTS ${TOMELIN_ASSETS}/Zvuk)
    install(DIRECTORY ${TOMELIN_ASSETS}/Zvuk/ DESTINATION ${TOMELIN_DATADIR}/Zvuk
            FILES_MATCHING PATTERN "*.mid")
endif()
install(FILES ${TOMELIN_ASSETS}/desktop/${TOMELIN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# AppStream wants web addresses for the project and its screenshots (assets/screenshots/,
# refreshed by tools/screenshots/update.sh). The project names no address of its own, so the
# data says none unless a build is given the one where the project and those pictures are
# published: -DTOMELIN_HOMEPAGE=https://... (the pictures under <address>/screenshots/).
set(TOMELIN_HOMEPAGE "" CACHE STRING "The project's web address, for the AppStream data")
set(TOMELIN_METAINFO ${TOMELIN_ASSETS}/desktop/${TOMELIN_APP_ID}.metainfo.xml)
if(TOMELIN_HOMEPAGE)
    string(REGEX REPLACE "/+$" "" home "${TOMELIN_HOMEPAGE}")
    set(urls "  <url type=\"homepage\">${home}</url>\n  <screenshots>\n")
    foreach(shot IN ITEMS "setup|The setup window: players, strengths, boards"
                          "game-hint|A game with the hint of PC Velmistr"
                          "computer-game|PC Velmistr thinking"
                          "records|The game records and every player's statistics")
        string(REPLACE "|" ";" parts "${shot}")
        list(GET parts 0 name)
        list(GET parts 1 caption)
        set(type "")
        if(name STREQUAL "setup")
            set(type " type=\"default\"")
        endif()
        string(APPEND urls "    <screenshot${type}>\n      <caption>${caption}</caption>\n"
                           "      <image>${home}/screenshots/${name}.png</image>\n    </screenshot>\n")
    endforeach()
    string(APPEND urls "  </screenshots>\n")
    file(READ ${TOMELIN_METAINFO} xml)
    string(REPLACE "  <content_rating" "${urls}  <content_rating" xml "${xml}")
    set(TOMELIN_METAINFO ${CMAKE_BINARY_DIR}/${TOMELIN_APP_ID}.metainfo.xml)
    file(WRITE ${TOMELIN_METAINFO} "${xml}")
endif()
install(FILES ${TOMELIN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon PNGs are drawn at build time by the program's own artwork code.
add_executable(tomelin_make_icons ${TOMELIN_ASSETS}/desktop/make_icons.cpp
               ${CMAKE_SOURCE_DIR}/src/setupwin/artwork.cpp
               ${CMAKE_SOURCE_DIR}/src/setupwin/artwork.h)
target_include_directories(tomelin_make_icons PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tomelin_make_icons PRIVATE Qt6::Gui)
set(TOMELIN_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(TOMELIN_ICON_FILES)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND TOMELIN_ICON_FILES ${TOMELIN_ICON_DIR}/${size}x${size}/${TOMELIN_APP_ID}.png)
endforeach()
add_custom_command(
    OUTPUT ${TOMELIN_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:tomelin_make_icons> ${TOMELIN_ICON_DIR} ${TOMELIN_APP_ID}
    DEPENDS tomelin_make_icons
    COMMENT "Drawing the application icon")
add_custom_target(tomelin_icons ALL DEPENDS ${TOMELIN_ICON_FILES})
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${TOMELIN_ICON_DIR}/${size}x${size}/${TOMELIN_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
