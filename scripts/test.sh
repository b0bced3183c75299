#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks) with the
# sanitizers, and runs the tests. "test.sh clang" does the same with clang++
# in build-test-clang/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=build-test
compiler=()
if [ "${1:-}" = clang ]; then
    build=build-test-clang
    compiler=(-DCMAKE_CXX_COMPILER=clang++)
fi

jobs="$(nproc)"
cmake -S . -B "$build" "${compiler[@]}" \
    -DCMAKE_BUILD_TYPE=Debug \
    -DENABLE_SANITIZERS=ON \
    -DBUILD_BENCHMARKS=ON \
    -DBUILD_TESTING=ON
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$jobs"
