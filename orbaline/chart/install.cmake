# The shipped settings file "oq1000s.prm" lies beside the executables, in the
# program directory where ORBALINE reads it. The file in resources/ holds the
# standard values of the layout table; orbaline_chart_tests checks it against
# the table byte for byte.
# Include this file from orbaline/CMakeLists.txt.
set(ORBALINE_SETTINGS_FILE "${PROJECT_SOURCE_DIR}/resources/orbaline/oq1000s.prm")
ship_beside_executables("${ORBALINE_SETTINGS_FILE}" orbaline)

# orbaline_settings_file_beside(TARGET): also next to a target's executable
# after every build.
function(orbaline_settings_file_beside target)
    ship_beside_target(${target} "${ORBALINE_SETTINGS_FILE}")
endfunction()
