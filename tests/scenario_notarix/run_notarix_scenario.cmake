cmake_minimum_required(VERSION 3.25)
# Runs NOTARIX as its own process under a script and compares its log with
# the expected one, in a fresh program and state directory (no window
# placement kept).
# -DPROGRAM -DMAKE_DOCUMENT -DSOURCE -DCSS -DSETTINGS -DLAYOUT -DSCRIPT -DEXPECTED -DWORK
include("${CMAKE_CURRENT_LIST_DIR}/prepare_notarix_work.cmake")

get_filename_component(name "${SCRIPT}" NAME)
set(script "${WORK}/${name}")
configure_file("${SCRIPT}" "${script}" COPYONLY)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "PLATFORM_SCRIPT=${script}" "PLATFORM_HOME=${WORK}/home"
                        "${WORK}/bin/${program_name}"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT EXISTS "${script}.log")
    message(FATAL_ERROR "the run wrote no log (exit code ${code})\n${out}${err}")
endif()
file(READ "${script}.log" got)
# the work directory differs from build to build (and the program lower-cases it)
string(TOLOWER "${WORK}" work_lower)
string(REPLACE "${WORK}" "@WORK@" got "${got}")
string(REPLACE "${work_lower}" "@WORK@" got "${got}")
file(READ "${EXPECTED}" want)
if(NOT got STREQUAL want)
    file(WRITE "${WORK}/got.log" "${got}")
    message(FATAL_ERROR "the log differs from ${EXPECTED} (see ${WORK}/got.log):\n${got}")
endif()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "exit code ${code}\n${err}")
endif()
foreach(png IN LISTS CAPTURES)
    if(NOT EXISTS "${WORK}/${png}")
        message(FATAL_ERROR "the run captured no ${png}")
    endif()
endforeach()
