cmake_minimum_required(VERSION 3.25)

# cmake -DDESKTOP=... -DMETAINFO=... -DMIME=... -DAPP_ID=... -DVERSION=...
#       -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -P CheckDesktopMetadata.cmake
# Fails unless the desktop entry and the metainfo pass their validators without a remark, both
# carry the application id, the newest release is VERSION, and the entry, the metainfo and the
# MIME definitions name the same types.
foreach(var DESKTOP METAINFO MIME APP_ID VERSION)
    if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
        message(FATAL_ERROR "CheckDesktopMetadata.cmake: ${var} is not set")
    endif()
endforeach()
foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI)
    if(NOT ${tool} OR NOT EXISTS "${${tool}}")
        message(FATAL_ERROR "${tool} not found: scripts/install-deps.sh installs it")
    endif()
endforeach()

set(problems)

execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${DESKTOP}" RESULT_VARIABLE result
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    list(APPEND problems "desktop-file-validate (${result}):\n${output}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${METAINFO}" RESULT_VARIABLE result
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    list(APPEND problems "appstreamcli validate (${result}):\n${output}")
endif()

file(READ "${DESKTOP}" desktop)
file(READ "${METAINFO}" metainfo)
file(READ "${MIME}" mime)
# What is commented out does not count: the places kept for types the viewer does not open yet.
foreach(text metainfo mime)
    string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" ${text} "${${text}}")
endforeach()

string(REGEX MATCH "<release version=\"([^\"]*)\"" release "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    list(APPEND problems "the newest release in the metainfo is '${CMAKE_MATCH_1}', the \
project's version '${VERSION}': add a <release> entry for it")
endif()
if(NOT metainfo MATCHES "<id>${APP_ID}</id>"
   OR NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
    list(APPEND problems "the metainfo's id or launchable is not ${APP_ID}")
endif()
if(NOT desktop MATCHES "\nIcon=${APP_ID}\n")
    list(APPEND problems "the desktop entry's icon is not ${APP_ID}")
endif()

# The three lists of types, each sorted.
string(REGEX MATCH "\nMimeType=([^\n]*)" line "${desktop}")
set(desktop_types "${CMAKE_MATCH_1}") # already a list: the entry ends each type with ';'
list(REMOVE_ITEM desktop_types "")
string(REGEX MATCHALL "<mediatype>[^<]*</mediatype>" metainfo_types "${metainfo}")
list(TRANSFORM metainfo_types REPLACE "</?mediatype>" "")
string(REGEX MATCHALL "<(mime-type|alias) type=\"[^\"]*\"" mime_types "${mime}")
list(TRANSFORM mime_types REPLACE "^<(mime-type|alias) type=\"([^\"]*)\"$" "\\2")
# A zip archive keeps the type the system defines for it; the viewer is offered for it as well.
list(APPEND mime_types application/zip)
foreach(list desktop_types metainfo_types mime_types)
    list(SORT ${list})
endforeach()
if(NOT desktop_types STREQUAL metainfo_types OR NOT desktop_types STREQUAL mime_types)
    foreach(list desktop_types metainfo_types mime_types)
        list(JOIN ${list} ", " ${list})
    endforeach()
    list(APPEND problems "the types differ: desktop entry (${desktop_types}), metainfo \
(${metainfo_types}), MIME definitions (${mime_types})")
endif()

if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "${text}")
endif()
list(JOIN desktop_types ", " desktop_types)
message(STATUS "desktop_metadata: ${APP_ID} ${VERSION}, types ${desktop_types}")
