# cmake -DBUILD_DIR=... -DPREFIX=... -DEXPECTED=a,b,... -P CheckInstall.cmake
# Installs the build tree into a fresh PREFIX and fails unless every EXPECTED path (relative to
# PREFIX, comma-separated) is a file there.
foreach(var BUILD_DIR PREFIX EXPECTED)
    if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
        message(FATAL_ERROR "CheckInstall.cmake: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

string(REPLACE "," ";" expected "${EXPECTED}")
set(missing)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}" OR IS_DIRECTORY "${PREFIX}/${path}")
        list(APPEND missing "${path}")
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "not installed:\n  ${missing}")
endif()
list(LENGTH expected count)
message(STATUS "install_layout: all ${count} files installed")
