# The standard keyword file "nx1000.kwd" lies beside the executables, where
# the viewer's program directory (and so the converter's error file) is.
# Include this file from notarix/CMakeLists.txt.
set(NX1011S_KEYWORD_FILE "${PROJECT_SOURCE_DIR}/resources/notarix/nx1000.kwd")
ship_beside_executables("${NX1011S_KEYWORD_FILE}" notarix)

# nx1011s_keyword_file_beside(TARGET): also next to a target's executable
# after every build.
function(nx1011s_keyword_file_beside target)
    ship_beside_target(${target} "${NX1011S_KEYWORD_FILE}")
endfunction()
