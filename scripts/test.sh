#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks) with the
# sanitizers, and runs the tests; then builds the programs, tools and tests as
# a release, where any warning stops the build, and runs the tests again. "test.sh clang" does the same
# with clang++ in build-test-clang/ and build-release-clang/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=build-test
release=build-release
compiler=()
if [ "${1:-}" = clang ]; then
    build=build-test-clang
    release=build-release-clang
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

# The release build a user makes, where any warning stops the build (the
# optimiser warns where the sanitizer build does not), and the same tests run
# in it: a fault that shows only when optimised must fail here too.
cmake -S . -B "$release" "${compiler[@]}" \
    -DCMAKE_BUILD_TYPE=Release \
    -DWARNINGS_AS_ERRORS=ON \
    -DBUILD_BENCHMARKS=OFF \
    -DBUILD_TESTING=ON
cmake --build "$release" -j"$jobs"
ctest --test-dir "$release" --output-on-failure --no-tests=error -j"$jobs"
