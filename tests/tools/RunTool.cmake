# Runs tavrin-pgn once and compares its exit code, stdout and stderr with the expected ones.
#   TOOL     the executable          WORKDIR  where it runs (the fixtures folder)
#   ARGS     its arguments, separated by '|'
#   EXIT     the expected exit code
#   STDOUT   files whose concatenation is the expected stdout, separated by '|' (none: empty)
#   STDERR   the expected stderr lines, separated by '|' (none: empty)
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${TOOL}" ${args}
                WORKING_DIRECTORY "${WORKDIR}"
                RESULT_VARIABLE exitCode
                OUTPUT_VARIABLE actualOut
                ERROR_VARIABLE actualErr)

set(expectedOut "")
string(REPLACE "|" ";" outFiles "${STDOUT}")
foreach(file IN LISTS outFiles)
    file(READ "${WORKDIR}/${file}" content)
    string(APPEND expectedOut "${content}")
endforeach()

set(expectedErr "")
if(NOT STDERR STREQUAL "")
    string(REPLACE "|" "\n" expectedErr "${STDERR}")
    string(APPEND expectedErr "\n")
endif()

set(failures "")
if(NOT exitCode STREQUAL "${EXIT}")
    string(APPEND failures "exit code ${exitCode}, expected ${EXIT}\n")
endif()
if(NOT actualOut STREQUAL expectedOut)
    string(APPEND failures "stdout differs\n--- expected:\n${expectedOut}--- actual:\n${actualOut}")
endif()
if(NOT actualErr STREQUAL expectedErr)
    string(APPEND failures "stderr differs\n--- expected:\n${expectedErr}--- actual:\n${actualErr}")
endif()
if(NOT failures STREQUAL "")
    message(FATAL_ERROR "${failures}")
endif()
