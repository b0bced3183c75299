# Warnings and sanitizers for every target of this tree. Third-party headers
# come from system include paths, so their warnings stay quiet.
add_compile_options(-Wall -Wextra)

if(ENABLE_SANITIZERS)
    set(PROJECT_SANITIZER_FLAGS
        -fsanitize=address,undefined
        -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    add_compile_options(${PROJECT_SANITIZER_FLAGS})
    add_link_options(${PROJECT_SANITIZER_FLAGS})
endif()
