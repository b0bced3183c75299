# The shipped settings file "nx1000s.prm" lies beside the executables, in the
# program directory where start-up reads it. The file in resources/ holds the
# standard values of the layout table; notarix_viewer_tests checks it against
# the table byte for byte.
# Include this file from notarix/CMakeLists.txt.
set(NOTARIX_SETTINGS_FILE "${PROJECT_SOURCE_DIR}/resources/notarix/nx1000s.prm")
ship_beside_executables("${NOTARIX_SETTINGS_FILE}" notarix)

# notarix_settings_file_beside(TARGET): also next to a target's executable
# after every build.
function(notarix_settings_file_beside target)
    ship_beside_target(${target} "${NOTARIX_SETTINGS_FILE}")
endfunction()
