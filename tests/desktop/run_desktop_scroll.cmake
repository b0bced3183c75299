cmake_minimum_required(VERSION 3.25)
# A fresh program directory (the program and FILES) and state directory,
# then the scroll session of desktop_scroll.sh on a fresh X server.
# -DMODE -DPROGRAM -DFILES -DPROBE -DSESSION -DWORK
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/bin" "${WORK}/home")
foreach(file IN LISTS PROGRAM FILES)
    file(COPY "${file}" DESTINATION "${WORK}/bin")
endforeach()
find_program(XVFB_RUN xvfb-run)
if(NOT XVFB_RUN)
    message(FATAL_ERROR "xvfb-run is missing: run scripts/setup.sh")
endif()
set(run "${XVFB_RUN}" -a -s "-screen 0 1280x1024x24" sh "${SESSION}" "${MODE}" "${WORK}/bin" "${PROBE}" "${WORK}")
execute_process(COMMAND ${run} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
# As desktop_session's runs: a race of two X servers for a display number
# is given a second try; a real fault fails that one too.
if(NOT code EQUAL 0)
    message(WARNING "the desktop scroll of ${MODE} failed once (exit code ${code}), trying again:\n${out}${err}")
    file(REMOVE_RECURSE "${WORK}/home/screens")
    execute_process(COMMAND ${run} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "the desktop scroll of ${MODE} failed (exit code ${code}):\n${out}${err}")
endif()
message(STATUS "${out}")
