# The shipped settings file "gx1000s.prm" lies beside the executables, in the
# program directory where start-up reads it. The file in resources/ holds the
# standard values of the layout table; gravlet_pad_tests checks it against
# the table byte for byte.
# Include this file from gravlet/CMakeLists.txt.
set(GRAVLET_SETTINGS_FILE "${PROJECT_SOURCE_DIR}/resources/gravlet/gx1000s.prm")

# Copied at configure time into the directories that hold executables. A
# build starts from the shipped settings, as an installation does.
foreach(dir "${CMAKE_BINARY_DIR}/bin" "${CMAKE_BINARY_DIR}/tools" "${CMAKE_BINARY_DIR}/tests"
            "${CMAKE_BINARY_DIR}/gravlet")
    configure_file("${GRAVLET_SETTINGS_FILE}" "${dir}/gx1000s.prm" COPYONLY)
endforeach()

# gravlet_settings_file_beside(TARGET): also copies it next to a target's
# executable after every build, wherever that executable is placed (from any
# directory's CMakeLists, so the path does not rest on a variable of this one).
function(gravlet_settings_file_beside target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${PROJECT_SOURCE_DIR}/resources/gravlet/gx1000s.prm"
                "$<TARGET_FILE_DIR:${target}>/gx1000s.prm"
        VERBATIM)
endfunction()
