#!/usr/bin/env bash
# Release build of the benchmarks, then runs them: the C source analysis
# alone; the three converters beside the analysis on the same inputs, with a
# table of their rates, their ratios to the analysis and their peak memory;
# the viewer's document open and page replay; the layout generator. Extra
# arguments go to each benchmark, e.g. --benchmark_filter=...
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=ON
cmake --build build-bench --target analysis_bench converter_bench viewer_bench layout_bench -j"${BUILD_JOBS:-3}"
build-bench/bench/analysis_bench "$@"
build-bench/bench/converter_bench "$@"
build-bench/bench/viewer_bench "$@"
build-bench/bench/layout_bench "$@"
