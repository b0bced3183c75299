cmake_minimum_required(VERSION 3.25)
# Runs GRAVLET under a script in a fresh program directory (the program, its
# settings file and the files named) and compares the log with the expected
# one. -DPROGRAM -DSETTINGS -DSCRIPT -DEXPECTED -DWORK; optional -DFILES
# (more files copied in), -DSETTINGS_STATE (missing: no settings file;
# other-kind: -DOTHER_SETTINGS, another program's, in its place), -DPREPARE (a
# script run first, its log not compared), -DOLD_FILES (files dated back to
# 2000 after it), -DEXIT_CODE (the exit code wanted, default 0), -DOUTPUTS
# (files the run must leave) and -DABSENT (files it must not leave).
if(NOT DEFINED EXIT_CODE)
    set(EXIT_CODE 0)
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")
file(COPY "${PROGRAM}" DESTINATION "${WORK}")
if(NOT SETTINGS_STATE STREQUAL "missing")
    file(COPY "${SETTINGS}" DESTINATION "${WORK}")
endif()
if(SETTINGS_STATE STREQUAL "other-kind")
    configure_file("${OTHER_SETTINGS}" "${WORK}/gx1000s.prm" COPYONLY)
endif()
foreach(file IN LISTS FILES)
    file(COPY "${file}" DESTINATION "${WORK}")
endforeach()
# the scripts may name the work directory as the chooser gives it, in lower case
string(TOLOWER "${WORK}" WORK_LOWER)
foreach(file IN LISTS SCRIPT PREPARE)
    get_filename_component(name "${file}" NAME)
    configure_file("${file}" "${WORK}/${name}" @ONLY)
endforeach()
get_filename_component(program_name "${PROGRAM}" NAME)

function(run_script script_path result_var)
    get_filename_component(name "${script_path}" NAME)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env "PLATFORM_SCRIPT=${WORK}/${name}" "PLATFORM_HOME=${WORK}/home"
                            "${WORK}/${program_name}"
                    WORKING_DIRECTORY "${WORK}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT EXISTS "${WORK}/${name}.log")
        message(FATAL_ERROR "the run of ${name} wrote no log (exit code ${code})\n${out}${err}")
    endif()
    set(${result_var} "${code}" PARENT_SCOPE)
    set(run_err "${err}" PARENT_SCOPE)
endfunction()

if(DEFINED PREPARE)
    run_script("${PREPARE}" prepared)
    if(NOT prepared EQUAL 0)
        message(FATAL_ERROR "the preparing run ended with ${prepared}")
    endif()
    foreach(file IN LISTS OLD_FILES)
        execute_process(COMMAND touch -d "2000-01-01 00:00:00" "${WORK}/${file}")
    endforeach()
endif()

run_script("${SCRIPT}" code)
get_filename_component(script_name "${SCRIPT}" NAME)
file(READ "${WORK}/${script_name}.log" got)
string(REPLACE "${WORK}" "@WORK@" got "${got}")
string(REPLACE "${WORK_LOWER}" "@WORK@" got "${got}")
file(READ "${EXPECTED}" want)
if(NOT got STREQUAL want)
    file(WRITE "${WORK}/got.log" "${got}")
    message(FATAL_ERROR "the log differs from ${EXPECTED} (see ${WORK}/got.log):\n${got}")
endif()
if(NOT code EQUAL EXIT_CODE)
    message(FATAL_ERROR "exit code ${code}, not ${EXIT_CODE}\n${run_err}")
endif()
foreach(file IN LISTS OUTPUTS)
    if(NOT EXISTS "${WORK}/${file}")
        message(FATAL_ERROR "the run left no ${file}")
    endif()
endforeach()
foreach(file IN LISTS ABSENT)
    if(EXISTS "${WORK}/${file}")
        message(FATAL_ERROR "the run left ${file}")
    endif()
endforeach()
