# Runs chart_demo on a copy of a chart and compares what it prints with the
# expected text. -DPROGRAM -DCHART -DWORK -DEXPECTED, -DCOMMAND (grid, edit,
# search, output), -DEXTRA (further arguments, ";"-separated), -DSTDIN=1 to
# hand the chart in on standard input ("<"). The work folder's path reads as
# "$WORK" in the output and in EXTRA; -DPROGRAM_DIR defaults to the tool's
# folder.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${CHART}" NAME)
configure_file("${CHART}" "${WORK}/${name}" COPYONLY)
string(REPLACE "$WORK" "${WORK}" EXTRA "${EXTRA}")
set(args)
if(PROGRAM_DIR)
    list(APPEND args -p "${PROGRAM_DIR}")
endif()
if(STDIN)
    list(APPEND args "${COMMAND}" "<" ${EXTRA})
    execute_process(COMMAND "${PROGRAM}" ${args} INPUT_FILE "${WORK}/${name}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE got ERROR_VARIABLE err)
else()
    list(APPEND args "${COMMAND}" "${WORK}/${name}" ${EXTRA})
    execute_process(COMMAND "${PROGRAM}" ${args} WORKING_DIRECTORY "${WORK}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE got ERROR_VARIABLE err)
endif()
string(REPLACE "${WORK}" "$WORK" got "${got}")
# CHART_DEMO_UPDATE=1 writes the expected text afresh (review it before
# committing it).
if(DEFINED ENV{CHART_DEMO_UPDATE})
    file(WRITE "${EXPECTED}" "${got}")
endif()
file(READ "${EXPECTED}" want)
if(NOT got STREQUAL want)
    message(FATAL_ERROR "chart_demo ${COMMAND} ${name} differs from ${EXPECTED}:\n${got}\n${err}")
endif()
if(err)
    message(FATAL_ERROR "chart_demo wrote to stderr (exit code ${code}):\n${err}")
endif()
