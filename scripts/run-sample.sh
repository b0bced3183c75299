#!/usr/bin/env bash
# Builds the analysis demo (release) and runs it on the sample C source.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF
cmake --build build --target analysis_demo -j"$(nproc)"
build/tools/analysis_demo samples/sample.c
