# A message list edited after configuring reaches its table at the next
# build, with no manual reconfigure: a scratch project that uses
# cmake/MessageLists.cmake on a list of its own is built, its list edited,
# and built again.
#   -DMODULES=<the project's cmake folder> -DWORK=<scratch folder> -DGENERATOR=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/src/resources/messages")
file(WRITE "${WORK}/src/resources/messages/trial.txt" "array kTrial\n1\tfirst\n")
file(WRITE "${WORK}/src/empty.c" "int trial_unused;\n")
file(WRITE "${WORK}/src/CMakeLists.txt"
     "cmake_minimum_required(VERSION 3.20)\nproject(trial LANGUAGES C)\n"
     "list(APPEND CMAKE_MODULE_PATH \"${MODULES}\")\ninclude(MessageLists)\n"
     "add_library(trial STATIC empty.c)\nadd_message_lists(trial)\n")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed:\n${out}\n${err}")
    endif()
endfunction()

run("${CMAKE_COMMAND}" -S "${WORK}/src" -B "${WORK}/build" -G "${GENERATOR}")
run("${CMAKE_COMMAND}" --build "${WORK}/build")
file(READ "${WORK}/build/messages/trial.inc" before)
if(NOT before MATCHES "\"first\"")
    message(FATAL_ERROR "the table does not hold the list: ${before}")
endif()

# a later time than the build's own files, whatever the file system's grain
execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 1.1)
file(WRITE "${WORK}/src/resources/messages/trial.txt" "array kTrial\n1\tedited\n2\tadded\n")
run("${CMAKE_COMMAND}" --build "${WORK}/build")
file(READ "${WORK}/build/messages/trial.inc" after)
if(NOT after MATCHES "\"edited\"" OR NOT after MATCHES "\"added\"")
    message(FATAL_ERROR "the edited list did not reach its table:\n${after}")
endif()
