cmake_minimum_required(VERSION 3.25)
# Runs ORBALINE as its own process under one or more scripts, one after the
# other in the same program and platform directories, and compares each log
# with its expected one. Files named in OUTPUTS must exist afterwards, those
# in ABSENT must not.
# A script's expected log is <stem>.expected.log beside it, or in
# EXPECTED_DIR when given.
# -DPROGRAM -DSETTINGS -DFILES -DSCRIPTS -DOUTPUTS -DABSENT -DWORK -DEXPECTED_DIR
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")
file(COPY "${PROGRAM}" DESTINATION "${WORK}")
configure_file("${SETTINGS}" "${WORK}/oq1000s.prm" COPYONLY)
get_filename_component(program_name "${PROGRAM}" NAME)
foreach(file IN LISTS FILES)
    file(COPY "${file}" DESTINATION "${WORK}")
endforeach()

string(TOLOWER "${WORK}" work_lower)
foreach(script_file IN LISTS SCRIPTS)
    get_filename_component(name "${script_file}" NAME)
    get_filename_component(stem "${script_file}" NAME_WE)
    get_filename_component(folder "${script_file}" DIRECTORY)
    set(script "${WORK}/${name}")
    # a script names the work folder as @WORK@, as its log shows it
    file(READ "${script_file}" script_text)
    string(REPLACE "@WORK@" "${WORK}" script_text "${script_text}")
    file(WRITE "${script}" "${script_text}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env "PLATFORM_SCRIPT=${script}" "PLATFORM_HOME=${WORK}/home"
                            "${WORK}/${program_name}"
                    WORKING_DIRECTORY "${WORK}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT EXISTS "${script}.log")
        message(FATAL_ERROR "${name} wrote no log (exit code ${code})\n${out}${err}")
    endif()
    file(READ "${script}.log" got)
    # the work directory differs from build to build (and the program lower-cases it)
    string(REPLACE "${WORK}" "@WORK@" got "${got}")
    string(REPLACE "${work_lower}" "@WORK@" got "${got}")
    if(EXPECTED_DIR)
        set(folder "${EXPECTED_DIR}")
    endif()
    file(READ "${folder}/${stem}.expected.log" want)
    if(NOT got STREQUAL want)
        file(WRITE "${WORK}/${stem}.got.log" "${got}")
        message(FATAL_ERROR "the log of ${name} differs (see ${WORK}/${stem}.got.log):\n${got}")
    endif()
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${name}: exit code ${code}\n${err}")
    endif()
endforeach()
foreach(file IN LISTS OUTPUTS)
    if(NOT EXISTS "${WORK}/${file}")
        message(FATAL_ERROR "the run left no ${file}")
    endif()
endforeach()
# the program never leaves its working copy behind
file(GLOB working_copies "${WORK}/oq*.trd")
list(APPEND ABSENT ${working_copies})
foreach(file IN LISTS ABSENT)
    if(EXISTS "${file}" OR EXISTS "${WORK}/${file}")
        message(FATAL_ERROR "the run left ${file} behind")
    endif()
endforeach()
