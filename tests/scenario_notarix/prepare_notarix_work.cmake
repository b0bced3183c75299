# Included by the NOTARIX run scripts: a fresh program directory WORK/bin
# with the program, its settings and page form (so the run starts from the
# shipped state), a fresh platform state directory WORK/home, and WORK/doc
# holding SOURCE with the document made from it.
# -DPROGRAM -DMAKE_DOCUMENT -DSOURCE -DCSS -DSETTINGS -DLAYOUT -DWORK
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/bin" "${WORK}/doc" "${WORK}/home")
file(COPY "${PROGRAM}" DESTINATION "${WORK}/bin")
configure_file("${SETTINGS}" "${WORK}/bin/nx1000s.prm" COPYONLY)
configure_file("${LAYOUT}" "${WORK}/bin/nx1000.lis" COPYONLY)
get_filename_component(program_name "${PROGRAM}" NAME)

get_filename_component(source_name "${SOURCE}" NAME)
configure_file("${SOURCE}" "${WORK}/doc/${source_name}" COPYONLY)
execute_process(COMMAND "${MAKE_DOCUMENT}" "${WORK}/doc/${source_name}" "${CSS}"
                RESULT_VARIABLE made ERROR_VARIABLE made_err)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "the document could not be made: ${made_err}")
endif()
