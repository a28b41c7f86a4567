# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# The Debian package: cpack -G DEB in the build folder (or scripts/package) makes it from the
# components "debian" and "data".

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# Debian keeps games in /usr/games, and ships programs stripped: no symbols, no compiler notes.
install(TARGETS tandrel RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                  --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/tandrel\"
                  COMMAND_ERROR_IS_FATAL ANY)"
        COMPONENT debian EXCLUDE_FROM_ALL)
# The desktop entry names the program by its path, as a desktop session's PATH need not hold
# /usr/games.
set(TANDREL_DESKTOP_EXEC ${CPACK_PACKAGING_INSTALL_PREFIX}/games/tandrel)
configure_file(data/${TANDREL_APP_ID}.desktop.in
               ${PROJECT_BINARY_DIR}/data/debian/${TANDREL_APP_ID}.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/data/debian/${TANDREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT debian EXCLUDE_FROM_ALL)

# The game has no public home page. AppStream 1.0 (Debian 13 on) warns about that, and only that
# one finding is accepted: by the metainfo test, and by lintian through the package's override.
# AppStream 0.16 (Debian 12) asks for none, and its lintian does not know the tag.
find_program(APPSTREAMCLI appstreamcli)
set(TANDREL_APPSTREAM_WANTS_HOMEPAGE OFF)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_version)
    string(REGEX MATCH "[0-9]+\\.[0-9]+" appstream_version "${appstream_version}")
    if(appstream_version VERSION_GREATER_EQUAL 1.0)
        set(TANDREL_APPSTREAM_WANTS_HOMEPAGE ON)
        install(FILES data/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
                RENAME tandrel COMPONENT debian EXCLUDE_FROM_ALL)
    endif()
endif()

set(CPACK_PACKAGE_NAME tandrel)
set(CPACK_PACKAGE_VENDOR "The Tandrel developers")
set(CPACK_PACKAGE_CONTACT "The Tandrel developers <developers@tandrel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pair-matching card game for players who take turns")
# Shown as it stands, so wrapped here to Debian's width.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "A square board of cards hides pairs of colours. Players take turns at one"
       "screen: each turn reveals two cards, and a pair that is found leaves the"
       "board, while two different cards are hidden again and the turn number"
       "advances. The window counts the turns and the pairs left."
       "."
       "The board is six by six cards unless another even size from 2 to 12 is"
       "given on the command line. The game can be played with the keyboard alone,"
       "and screen readers announce every card with its place and state.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSES/MIT.txt)
# One package of the two components: the layout differs from cmake --install only in "debian".
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL debian data)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window icon is an SVG, drawn by the toolkit's SVG plugin, which no library links to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
# On a Wayland desktop the game runs natively with the toolkit's Wayland plugin, else through
# XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
include(CPack)
