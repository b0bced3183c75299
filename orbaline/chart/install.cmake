# The shipped settings file "oq1000s.prm" lies beside the executables, in the
# program directory where ORBALINE reads it. The file in resources/ holds the
# standard values of the layout table; orbaline_chart_tests checks it against
# the table byte for byte.
# Include this file from orbaline/CMakeLists.txt.
set(ORBALINE_SETTINGS_FILE "${PROJECT_SOURCE_DIR}/resources/orbaline/oq1000s.prm")

# Copied at configure time into the directories that hold executables. A
# build starts from the shipped settings, as an installation does.
foreach(dir "${CMAKE_BINARY_DIR}/bin" "${CMAKE_BINARY_DIR}/tools" "${CMAKE_BINARY_DIR}/tests"
            "${CMAKE_BINARY_DIR}/orbaline")
    configure_file("${ORBALINE_SETTINGS_FILE}" "${dir}/oq1000s.prm" COPYONLY)
endforeach()

# orbaline_settings_file_beside(TARGET): also copies it next to a target's
# executable after every build, wherever that executable is placed.
function(orbaline_settings_file_beside target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${ORBALINE_SETTINGS_FILE}" "$<TARGET_FILE_DIR:${target}>/oq1000s.prm"
        VERBATIM)
endfunction()
