# The shipped settings file "gx1000s.prm" lies beside the executables, in the
# program directory where start-up reads it. The file in resources/ holds the
# standard values of the layout table; gravlet_pad_tests checks it against
# the table byte for byte.
# Include this file from gravlet/CMakeLists.txt.
set(GRAVLET_SETTINGS_FILE "${PROJECT_SOURCE_DIR}/resources/gravlet/gx1000s.prm")
ship_beside_executables("${GRAVLET_SETTINGS_FILE}" gravlet)

# gravlet_settings_file_beside(TARGET): also next to a target's executable
# after every build; callable from any directory, so the path does not rest
# on a variable of this one.
function(gravlet_settings_file_beside target)
    ship_beside_target(${target} "${PROJECT_SOURCE_DIR}/resources/gravlet/gx1000s.prm")
endfunction()
