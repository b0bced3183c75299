cmake_minimum_required(VERSION 3.25)
# Prepares a program directory and a document as a person would have them,
# then runs the desktop session script on a fresh X server (xvfb-run).
# -DMODE -DPROGRAM -DPROBE -DMAKE_DOCUMENT -DSOURCE -DCSS -DSETTINGS -DLAYOUT -DSESSION -DWORK
include("${CMAKE_CURRENT_LIST_DIR}/../scenario_notarix/prepare_notarix_work.cmake")
# A source with no document made from it: opening it brings up a question.
configure_file("${SOURCE}" "${WORK}/doc/lonely.c" COPYONLY)
find_program(XVFB_RUN xvfb-run)
if(NOT XVFB_RUN)
    message(FATAL_ERROR "xvfb-run is missing: run scripts/setup.sh")
endif()
execute_process(COMMAND "${XVFB_RUN}" -a -s "-screen 0 1280x1024x24" sh "${SESSION}" "${MODE}" "${WORK}/bin" "${PROBE}" "${WORK}"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
# Two X servers started at once by parallel jobs can race for a display
# number; a real fault of the session fails the second try as well.
if(NOT code EQUAL 0)
    message(WARNING "the desktop ${MODE} failed once (exit code ${code}), trying again:\n${out}${err}")
    # a fresh state: the first try may have moved the frame
    file(REMOVE_RECURSE "${WORK}/home")
    file(MAKE_DIRECTORY "${WORK}/home")
    execute_process(COMMAND "${XVFB_RUN}" -a -s "-screen 0 1280x1024x24" sh "${SESSION}" "${MODE}" "${WORK}/bin" "${PROBE}" "${WORK}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "the desktop ${MODE} failed (exit code ${code}):\n${out}${err}")
endif()
message(STATUS "${out}")
