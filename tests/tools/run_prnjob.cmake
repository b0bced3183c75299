# Runs prnjob as a user would and checks its exit code, its last output line
# and, when GOLDEN is given, the file it names; with NAMES_NO_FILE, that it
# names none.
#   -DPRNJOB=... -DKIND=... -DORIENTATION=... -DOPS=... -DWORK=... -DEXPECT_EXIT=...
#   [-DGOLDEN=...] [-DWIN_INI=text] [-DBLOCK_PORT=1] [-DNAMES_NO_FILE=1]
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(DEFINED WIN_INI)
    file(WRITE "${WORK}/WIN.INI" "${WIN_INI}")
endif()
if(BLOCK_PORT)
    # a folder where the port's file goes: the port cannot be opened
    file(MAKE_DIRECTORY "${WORK}/LPT1")
endif()
set(ENV{PLATFORM_HOME} "${WORK}")
execute_process(COMMAND "${PRNJOB}" ${KIND} ${ORIENTATION} "${OPS}"
                RESULT_VARIABLE exit_code OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT exit_code EQUAL EXPECT_EXIT)
    message(FATAL_ERROR "prnjob exited with ${exit_code}, not ${EXPECT_EXIT}\n${output}\n${errors}")
endif()
if(NAMES_NO_FILE AND NOT output STREQUAL "")
    message(FATAL_ERROR "prnjob named a file it did not write: ${output}")
endif()
if(DEFINED GOLDEN)
    string(STRIP "${output}" output)
    string(REGEX REPLACE "^.*\n" "" last_line "${output}")
    if(NOT EXISTS "${last_line}")
        message(FATAL_ERROR "the last line names no file: ${last_line}")
    endif()
    file(READ "${last_line}" written)
    file(READ "${GOLDEN}" expected)
    if(NOT written STREQUAL expected)
        message(FATAL_ERROR "${last_line} differs from ${GOLDEN}")
    endif()
endif()
