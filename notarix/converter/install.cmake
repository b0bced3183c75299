# The standard keyword file "nx1000.kwd" lies beside the executables, where
# the viewer's program directory (and so the converter's error file) is.
# Include this file from notarix/CMakeLists.txt.
set(NX1011S_KEYWORD_FILE "${PROJECT_SOURCE_DIR}/resources/notarix/nx1000.kwd")

# Copied at configure time into the directories that hold executables.
foreach(dir "${CMAKE_BINARY_DIR}/bin" "${CMAKE_BINARY_DIR}/tools" "${CMAKE_BINARY_DIR}/tests"
            "${CMAKE_BINARY_DIR}/notarix")
    configure_file("${NX1011S_KEYWORD_FILE}" "${dir}/nx1000.kwd" COPYONLY)
endforeach()

# nx1011s_keyword_file_beside(TARGET): also copies it next to a target's
# executable after every build, wherever that executable is placed.
function(nx1011s_keyword_file_beside target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${NX1011S_KEYWORD_FILE}" "$<TARGET_FILE_DIR:${target}>/nx1000.kwd"
        VERBATIM)
endfunction()
