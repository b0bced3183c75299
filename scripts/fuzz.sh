#!/usr/bin/env bash
# Runs every fuzz target under libFuzzer, with ASan and UBSan, for the given
# number of seconds each (default 60; targets named after the seconds run
# alone), starting from its committed corpus in
# tests/fuzz/corpus. New inputs collect in build-fuzz/corpus; an input that
# finds a fault is kept in build-fuzz/findings/<target>/ and the script ends
# with 1. Add such an input to the committed corpus as regression-<what> once
# the fault is mended: CI replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
targets=(fuzz_nx1011s fuzz_gx1002s fuzz_oq1011s fuzz_nx1012 fuzz_lin fuzz_settings fuzz_script
         fuzz_frm fuzz_layout fuzz_pds fuzz_trd fuzz_header fuzz_control_files fuzz_viewer_lists fuzz_registry)
if [ "$#" -gt 1 ]; then
    targets=("${@:2}")
fi
# the test fixtures each target starts from besides its own corpus
declare -A seeds=(
    [fuzz_nx1011s]="tests/data/nx1011s"
    [fuzz_gx1002s]="tests/data/gx1002s"
    [fuzz_oq1011s]="tests/data/oq1011s"
    [fuzz_nx1012]="tests/data/nx1012"
    [fuzz_lin]="tests/data/pipeline tests/data/nx1012"
    [fuzz_settings]="resources/notarix resources/gravlet resources/orbaline"
    [fuzz_script]="tests/scenario tests/scenario_notarix"
    [fuzz_frm]="tests/data/layout resources/notarix"
    [fuzz_pds]="tests/data/gravlet tests/data/gx1002s"
    [fuzz_trd]="tests/data/chart tests/data/oq1011s"
    [fuzz_header]="samples/notarix"
)

bash scripts/setup.sh

cmake -S . -B build-fuzz \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug \
    -DENABLE_SANITIZERS=ON \
    -DBUILD_FUZZERS=ON \
    -DBUILD_TESTING=ON
cmake --build build-fuzz -j"${FUZZ_BUILD_JOBS:-3}" --target "${targets[@]}"

found=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    findings="build-fuzz/findings/$target"
    mkdir -p "$corpus" "$findings"
    echo "fuzz.sh: $target for ${seconds}s"
    if ! "build-fuzz/tests/fuzz/$target" \
        -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=65536 \
        -artifact_prefix="$findings/" -print_final_stats=1 \
        "$corpus" "tests/fuzz/corpus/$target" ${seeds[$target]:-}; then
        echo "fuzz.sh: $target found a fault; its input is in $findings" >&2
        found=1
    fi
done
exit "$found"
