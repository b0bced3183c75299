# pad_dump in its three forms on the fixtures of tests/data/gravlet, its
# output compared with the expected files there.
# Called with -DPAD_DUMP=<tool> -DDATA=<tests/data/gravlet> -DWORK=<scratch dir>.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# Runs the tool and compares its standard output with an expected file.
function(expect_output expected)
    execute_process(COMMAND "${PAD_DUMP}" ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "pad_dump ${ARGN}: exit ${rc}: ${err}")
    endif()
    file(READ "${DATA}/dump/${expected}" wanted)
    if(NOT out STREQUAL wanted)
        file(WRITE "${WORK}/${expected}" "${out}")
        message(FATAL_ERROR "pad_dump ${ARGN}: output differs from dump/${expected} (see ${WORK}/${expected})")
    endif()
endfunction()

expect_output(index.txt "${DATA}/three_functions.pds")
expect_output(view_2.txt --level 8 --chars 60 "${DATA}/three_functions.pds" 2)
expect_output(raw_cells.txt --raw "${DATA}/cells.pds" 1)
expect_output(raw_quotes.txt --raw "${DATA}/quotes.pds" 1)

# The character output, as the output run writes it.
execute_process(COMMAND "${PAD_DUMP}" --output "${WORK}/out.txt" --level 8 --top 2 --left 4 "${DATA}/output.pds"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pad_dump --output: exit ${rc}: ${err}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/out.txt" "${DATA}/output/dosv_8_margins.txt"
                RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "pad_dump --output: differs from output/dosv_8_margins.txt")
endif()

# Failures: exit 1 with the result on stderr, nothing on stdout.
foreach(args "${DATA}/missing.pds" "${DATA}/three_functions.pds;9" "${DATA}/other_header.pds")
    execute_process(COMMAND "${PAD_DUMP}" ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(NOT rc EQUAL 1 OR NOT err STREQUAL "result -1\n" OR NOT out STREQUAL "")
        message(FATAL_ERROR "pad_dump ${args}: exit ${rc}, stderr '${err}', stdout '${out}'")
    endif()
endforeach()
execute_process(COMMAND "${PAD_DUMP}" --bogus 3 "${DATA}/cells.pds" ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^usage:")
    message(FATAL_ERROR "pad_dump with an unknown option: exit ${rc}, stderr '${err}'")
endif()
