# SPDX-FileCopyrightText: 2026 The Tandrel developers
# SPDX-License-Identifier: MIT

# The release notes are kept once, in CHANGELOG, in the form of a Debian changelog (newest release
# first). tandrel_read_release_notes(FILE) reads them and sets, for the caller:
#   TANDREL_VERSION       the newest release's version
#   TANDREL_RELEASE_DATE  its date, as YYYY-MM-DD
#   TANDREL_RELEASES      every release as an AppStream <release> element, for the metainfo
function(tandrel_read_release_notes file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    file(READ "${file}" text)
    # The notes go into XML. A semicolon would split CMake's list of lines: it waits as a word.
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    string(REPLACE ";" "@semicolon@" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")

    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    set(releases "")
    set(items "")
    set(item "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^[a-z0-9.+-]+ \\(([^)]+)\\)")
            set(version "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^  \\* (.*)$")
            if(item)
                string(APPEND items "          <li>${item}</li>\n")
            endif()
            set(item "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^    +(.*)$")
            string(APPEND item " ${CMAKE_MATCH_1}")
        elseif(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9]+) ")
            set(day "${CMAKE_MATCH_1}")
            set(year "${CMAKE_MATCH_3}")
            list(FIND months "${CMAKE_MATCH_2}" month)
            math(EXPR month "${month} + 1")
            string(REGEX REPLACE "^([0-9])$" "0\\1" month "${month}")
            string(REGEX REPLACE "^([0-9])$" "0\\1" day "${day}")
            set(date "${year}-${month}-${day}")
            string(APPEND items "          <li>${item}</li>\n")
            set(item "")
            if(NOT releases)
                set(TANDREL_VERSION "${version}" PARENT_SCOPE)
                set(TANDREL_RELEASE_DATE "${date}" PARENT_SCOPE)
            endif()
            string(APPEND releases "    <release version=\"${version}\" date=\"${date}\">\n"
                   "      <description>\n        <ul>\n${items}        </ul>\n"
                   "      </description>\n    </release>\n")
            set(items "")
        endif()
    endforeach()
    if(NOT releases)
        message(FATAL_ERROR "${file} holds no release in the form of a Debian changelog")
    endif()
    string(REGEX REPLACE "\n$" "" releases "${releases}")
    string(REPLACE "@semicolon@" ";" releases "${releases}")
    set(TANDREL_RELEASES "${releases}" PARENT_SCOPE)
endfunction()
