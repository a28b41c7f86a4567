# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# Installs the build into a fresh prefix and compares what lands there with what a desktop
# expects to find. Run with -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
set(expected
    bin/tandrel
    share/applications/${APP_ID}.desktop
    share/doc/tandrel/changelog.gz
    share/doc/tandrel/copyright
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/man/man6/tandrel.6.gz
    share/metainfo/${APP_ID}.metainfo.xml)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed files:\n  ${installed}\nexpected:\n  ${expected}")
endif()
# The installed program runs: it turns down a bad size as it should.
execute_process(COMMAND "${PREFIX}/bin/tandrel" 3 RESULT_VARIABLE result ERROR_VARIABLE warning)
if(NOT result EQUAL 1 OR NOT warning MATCHES "Board size must be even number from 2 to 12")
    message(FATAL_ERROR "installed bin/tandrel 3 gave ${result}: ${warning}")
endif()
message(STATUS "install layout as expected: ${installed}")
