# Files a program reads from its program directory (settings, keyword file)
# lie beside the executables, as an installation puts them.

# ship_beside_executables(FILE PROGRAM_DIR): copied at configure time into
# the directories of this tree that hold executables (bin, tools, tests and
# the program's own), so that a build starts from the shipped file.
function(ship_beside_executables file program_dir)
    get_filename_component(name "${file}" NAME)
    foreach(dir "${CMAKE_BINARY_DIR}/bin" "${CMAKE_BINARY_DIR}/tools" "${CMAKE_BINARY_DIR}/tests"
                "${CMAKE_BINARY_DIR}/${program_dir}")
        configure_file("${file}" "${dir}/${name}" COPYONLY)
    endforeach()
endfunction()

# ship_beside_target(TARGET FILE): also copied next to a target's executable
# after every build, wherever that executable is placed.
function(ship_beside_target target file)
    get_filename_component(name "${file}" NAME)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "$<TARGET_FILE_DIR:${target}>/${name}"
        VERBATIM)
endfunction()
