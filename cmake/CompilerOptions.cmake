# Warnings and sanitizers for every target of this tree. Third-party headers
# come from system include paths, so their warnings stay quiet.
add_compile_options(-Wall -Wextra)
option(WARNINGS_AS_ERRORS "Stop the build at any warning (the test command's release build)" OFF)
if(WARNINGS_AS_ERRORS)
    add_compile_options(-Werror)
endif()

if(ENABLE_SANITIZERS)
    set(PROJECT_SANITIZER_FLAGS
        -fsanitize=address,undefined
        -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    add_compile_options(${PROJECT_SANITIZER_FLAGS})
    add_link_options(${PROJECT_SANITIZER_FLAGS})
endif()

# Coverage for libFuzzer in every library; the fuzz targets link the fuzzer
# itself (tests/fuzz). clang only.
option(BUILD_FUZZERS "Build the fuzz targets for libFuzzer (clang)" OFF)
if(BUILD_FUZZERS)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
