# Fails when the README names what is not there: a folder of its layout
# section (and the subfolders written "(name/)" beside it), a script, program
# or tool of its commands, a file of the tree in its code spans, or a picture
# or page it links (the pages under docs/ are checked for theirs too).
# -DROOT (the source tree) -DTARGETS (the targets of the programs and tools).
cmake_minimum_required(VERSION 3.25)

function(problem text)
    set_property(GLOBAL APPEND_STRING PROPERTY readme_problems "\n  ${text}")
endfunction()
function(expect_path what path)
    if(NOT EXISTS "${ROOT}/${path}")
        problem("${what} ${path} does not exist")
    endif()
endfunction()
function(expect_target what name)
    if(NOT name IN_LIST TARGETS)
        problem("${what} ${name} is no target of the build")
    endif()
endfunction()
# Every match of the regular expression in the text, less what the second
# one matches, is a path (kind "path") or a target ("target").
function(expect_each kind what text regex strip)
    string(REGEX MATCHALL "${regex}" found "${text}")
    foreach(item IN LISTS found)
        string(REGEX REPLACE "${strip}" "" item "${item}")
        cmake_language(CALL expect_${kind} "${what}" "${item}")
    endforeach()
endfunction()

# The text without what CMake's lists take for separators and brackets.
function(read_page page out)
    file(READ "${ROOT}/${page}" text)
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<open>" text "${text}")
    string(REPLACE "]" "<close>" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
read_page(README.md readme)

# The layout: an entry at the line start, its subfolders in parentheses.
string(REGEX MATCH "\n## Layout\n+```\n([^`]*)```" layout "${readme}")
if(NOT layout)
    problem("no layout section")
endif()
string(REPLACE "\n" ";" layout_lines "${CMAKE_MATCH_1}")
set(entry "")
foreach(line IN LISTS layout_lines)
    if(line MATCHES "^([^ ]+)")
        set(entry "${CMAKE_MATCH_1}")
        expect_path("the layout's" "${entry}")
    endif()
    string(REGEX MATCHALL "\\(([a-z_]+/)\\)" subfolders "${line}")
    foreach(sub IN LISTS subfolders)
        string(REGEX REPLACE "[()]" "" sub "${sub}")
        expect_path("the layout's" "${entry}${sub}")
    endforeach()
endforeach()

# Commands: scripts run with bash, programs and tools under a build folder,
# targets of a build command, the tools the tools section lists.
expect_each(path "the command's" "${readme}" "bash scripts/[a-z_.-]+" "^bash ")
expect_each(target "the command's" "${readme}" "build[a-z-]*/[a-z_]+/[a-z_]+[ \n`]" "^.*/|[ \n`]$")
string(REGEX MATCHALL "--target( [a-z_]+)+" target_lists "${readme}")
foreach(list IN LISTS target_lists)
    string(REPLACE "--target " "" list "${list}")
    string(REPLACE " " ";" names "${list}")
    foreach(name IN LISTS names)
        expect_target("the build command's" "${name}")
    endforeach()
endforeach()
string(REGEX MATCH "\n## Command-line tools\n(.*)\n## " tools_section "${readme}")
set(tools "${CMAKE_MATCH_1}")
if(NOT tools MATCHES "\n- `")
    problem("no tools listed")
endif()
expect_each(target "the tool" "${tools}" "\n- `[a-z_]+" "^\n- `")

# Files of the tree in code spans.
expect_each(path "the file" "${readme}" "`(samples|resources|scripts|docs|tests/data)/[^` ]+`" "`")

# Pictures and links, in the README and in every page under docs/.
file(GLOB pages RELATIVE "${ROOT}" "${ROOT}/docs/*.md")
foreach(page README.md ${pages})
    read_page("${page}" text)
    get_filename_component(folder "${page}" DIRECTORY)
    if(folder)
        set(folder "${folder}/")
    endif()
    # links to other sites are left alone
    string(REGEX REPLACE "<close>\\([a-z]+:[^)]*\\)" "" text "${text}")
    string(REGEX REPLACE "<close>\\(" "<close>(${folder}" text "${text}")
    expect_each(path "${page} links" "${text}" "<close>\\([^)#]+\\)" "^<close>\\(|\\)$")
endforeach()

get_property(problems GLOBAL PROPERTY readme_problems)
if(problems)
    message(FATAL_ERROR "README.md names what is not there:${problems}")
endif()
message(STATUS "everything README.md names exists")
