#!/usr/bin/env bash
# The system calls one small source costs NOTARIX inside a batch (the
# converter and the formatter, as the program's batch runs them), counted by
# strace: the batch of 20 small sources less the batch of 10, over 10, so that
# what the process costs once is left out; calls of memory are not counted.
# Fails above the bound.
#   syscalls_per_source.sh MANY_FILE_BENCH BOUND
set -euo pipefail
bench=$(realpath "$1")
bound=$2
command -v strace >/dev/null || { echo "strace is missing (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

calls_of() {
    local n=$1 dir="$work/$1"
    TMPDIR="$dir" "$bench" --rounds=1 --sets=small --small="$n" >/dev/null 2>&1
    local run="$dir/cbench-many/small/notarix-shipped"
    # a second batch over the first one's results: the usual case
    # (the leak check of a sanitizer build cannot run under strace)
    (cd "$run/src" && KRT="$run/program" ASAN_OPTIONS=detect_leaks=0 \
        strace -f -c -o "$dir/count" "$bench" --convert notarix "$run/program" shipped)
    # every call but those of memory, which the sanitizer build's allocator
    # makes where the release build's does not: the calls column is the one
    # before the errors, when a line has any
    awk '$NF != "total" && $NF !~ /^(mmap|munmap|mremap|brk|mprotect|madvise)$/ && $1 ~ /^[0-9.]+$/ {
             calls += (NF == 6 ? $(NF - 2) : $(NF - 1)) }
         END { print calls }' "$dir/count"
}
mkdir -p "$work/10" "$work/20"
ten=$(calls_of 10)
twenty=$(calls_of 20)
per_source=$(( (twenty - ten) / 10 ))
echo "system calls a source: $per_source (batch of 10: $ten, of 20: $twenty; bound $bound)"
[ "$per_source" -le "$bound" ]
