#!/bin/sh
# An editor for the tests: writes the folder it was started in and each
# name it was given (the folder's own part left out), then takes the file
# its name at once so that whoever waits for it never reads half of it.
here=$(pwd -P)
{
    printf 'folder %s\n' "$(basename "$here")"
    for name in "$@"; do
        printf 'name %s\n' "${name#"$here"/}"
    done
} > editor-started.part
mv editor-started.part editor-started.txt
