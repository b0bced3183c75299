# The default page form "nx1000.frm" is drawn in resources/; its layout
# records "nx1000.lis" and field positions "nx1000.fms" are made from it at
# build time by our own layout generator (the tool lyg) and lie beside the
# notarix executable, where the page view looks for them.
# Include this file from notarix/CMakeLists.txt, after notarix_form.
set(NOTARIX_DEFAULT_FORM "${PROJECT_SOURCE_DIR}/resources/notarix/nx1000.frm")
set(NOTARIX_LAYOUT_DIR "${CMAKE_CURRENT_BINARY_DIR}/default_layout")
set(NOTARIX_DEFAULT_LAYOUT "${NOTARIX_LAYOUT_DIR}/nx1000.lis" "${NOTARIX_LAYOUT_DIR}/nx1000.fms")

# lyg is made in tools/; its name stands for its executable here. A status
# other than 0 (a cut form, a failure) fails the build.
add_custom_command(OUTPUT ${NOTARIX_DEFAULT_LAYOUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory "${NOTARIX_LAYOUT_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy "${NOTARIX_DEFAULT_FORM}" "${NOTARIX_LAYOUT_DIR}/nx1000.frm"
    COMMAND lyg "${NOTARIX_LAYOUT_DIR}/nx1000.frm" "-e${NOTARIX_LAYOUT_DIR}/nx1000.erf"
    DEPENDS lyg "${NOTARIX_DEFAULT_FORM}"
    COMMENT "Generating the default page layout nx1000.lis and nx1000.fms"
    VERBATIM)
add_custom_target(notarix_default_layout DEPENDS ${NOTARIX_DEFAULT_LAYOUT})

# notarix_default_layout_beside(TARGET): copies the layout, and the form it
# was made from (for the form editor), next to a target's executable after
# every build.
function(notarix_default_layout_beside target)
    add_dependencies(${target} notarix_default_layout)
    foreach(file IN LISTS NOTARIX_DEFAULT_LAYOUT NOTARIX_DEFAULT_FORM)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "$<TARGET_FILE_DIR:${target}>"
            VERBATIM)
    endforeach()
endfunction()
