#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks) with the
# sanitizers, and runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs="$(nproc)"
cmake -S . -B build-test \
    -DCMAKE_BUILD_TYPE=Debug \
    -DENABLE_SANITIZERS=ON \
    -DBUILD_BENCHMARKS=ON \
    -DBUILD_TESTING=ON
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure --no-tests=error -j"$jobs"
