# add_unit_test_suite(NAME DIR LIBS...): one GoogleTest executable from the
# sources of tests/DIR, registered test by test with CTest. A missing library
# or a folder without sources stops the configuration: a suite is never
# skipped in silence.
function(add_unit_test_suite name dir)
    foreach(library IN LISTS ARGN)
        if(NOT TARGET ${library})
            message(FATAL_ERROR "${name}: the library ${library} it tests does not exist")
        endif()
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
    if(NOT sources)
        message(FATAL_ERROR "${name}: no sources in tests/${dir}")
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${TEST_DATA_DIR}")
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "PLATFORM_HOME=${PLATFORM_TEST_HOME}")
endfunction()
