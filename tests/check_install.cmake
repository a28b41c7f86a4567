# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Installs the build below two prefixes and compares what lands there with what a desktop
# expects to find: the same files below each, and a desktop entry that runs the program where it
# was installed. Run with -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DBINDIR=...
foreach(prefix "${PREFIX}-other place" "${PREFIX}")
    file(REMOVE_RECURSE "${prefix}")
    execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cmake --install --prefix '${prefix}' failed: ${result}")
    endif()

    file(GLOB_RECURSE installed RELATIVE "${prefix}" "${prefix}/*")
    list(SORT installed)
    set(expected
        ${BINDIR}/tandrel
        share/applications/${APP_ID}.desktop
        share/icons/hicolor/scalable/apps/${APP_ID}.svg
        share/man/man6/tandrel.6
        share/metainfo/${APP_ID}.metainfo.xml)
    list(SORT expected)
    if(NOT installed STREQUAL expected)
        message(FATAL_ERROR "installed below ${prefix}:\n  ${installed}\nexpected:\n  ${expected}")
    endif()

    file(STRINGS "${prefix}/share/applications/${APP_ID}.desktop" exec REGEX "^Exec=")
    if(NOT exec STREQUAL "Exec=${prefix}/${BINDIR}/tandrel")
        message(FATAL_ERROR "the desktop entry below ${prefix} says ${exec}")
    endif()
    file(REMOVE_RECURSE "${PREFIX}-other place")
endforeach()

# The installed program runs: it turns down a bad size as it should.
execute_process(COMMAND "${PREFIX}/${BINDIR}/tandrel" 3 RESULT_VARIABLE result ERROR_VARIABLE warning)
if(NOT result EQUAL 1 OR NOT warning MATCHES "Board size must be even number from 2 to 12")
    message(FATAL_ERROR "installed ${BINDIR}/tandrel 3 gave ${result}: ${warning}")
endif()
message(STATUS "install layout as expected: ${installed}")
