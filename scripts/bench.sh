#!/usr/bin/env bash
# Release build of the benchmarks, then runs them: the C source analysis, a
# whole NOTARIX generation (converter and formatter), the other converters
# and the layout generator. Extra arguments go to
# each benchmark, e.g. --benchmark_filter=...
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=ON
cmake --build build-bench --target analysis_bench notarix_bench gravlet_bench orbaline_bench layout_bench -j"$(nproc)"
build-bench/bench/analysis_bench "$@"
build-bench/bench/notarix_bench "$@"
build-bench/bench/gravlet_bench "$@"
build-bench/bench/orbaline_bench "$@"
build-bench/bench/layout_bench "$@"
