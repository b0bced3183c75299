# Runs lyg as a user would, in a folder of its own, and checks its exit code
# and that its standard error says what it could not do.
#   -DLYG=... -DWORK=... -DFORM=name -DEXPECT_EXIT=... -DEXPECT_ERROR=text
#   [-DFORM_DATA=file copied in as FORM] [-DTAKEN=name made a folder]
#   [-DERROR_FILE=name given to -e, lyg.err when not given]
#   [-DOPTIONS=more arguments, after those]
#   [-DONLY_ARGUMENTS=the whole command line instead, FORM unused]
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(DEFINED FORM_DATA)
    configure_file("${FORM_DATA}" "${WORK}/${FORM}" COPYONLY)
endif()
if(DEFINED TAKEN)
    file(MAKE_DIRECTORY "${WORK}/${TAKEN}")
endif()
if(NOT DEFINED ERROR_FILE)
    set(ERROR_FILE lyg.err)
endif()
if(DEFINED ONLY_ARGUMENTS)
    set(arguments ${ONLY_ARGUMENTS})
else()
    set(arguments "${FORM}" "-e${ERROR_FILE}" ${OPTIONS})
endif()
execute_process(COMMAND "${LYG}" ${arguments} WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE exit_code OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT exit_code EQUAL EXPECT_EXIT)
    message(FATAL_ERROR "lyg exited with ${exit_code}, not ${EXPECT_EXIT}\n${output}\n${errors}")
endif()
string(FIND "${errors}" "${EXPECT_ERROR}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "lyg did not say \"${EXPECT_ERROR}\": \"${errors}\"")
endif()
