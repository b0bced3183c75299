#!/usr/bin/env bash
# The main job: NOTARIX runs headless under a bundled script on a bundled
# sample source. It generates the document, pages through it, opens the
# source list and the function summary, and leaves in out/sample/:
#   sample.lin (and .fss, .fsm, .flt)  the generated document
#   *.png                              captures of the window on the way
#   main.script.log                    what the run saw
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF > /dev/null
cmake --build build --target notarix -j"$(nproc)"

out=out/sample
rm -rf "$out"
mkdir -p "$out/home"
# the program directory: the program with its shipped files, the page form
# and the sample beside it
cp build/notarix/notarix build/notarix/nx1000s.prm build/notarix/nx1000.kwd "$out/"
cp samples/notarix/nx1000.lis samples/notarix/nx1000.css samples/notarix/sample.c samples/notarix/main.script "$out/"
(cd "$out" && PLATFORM_HOME="$PWD/home" PLATFORM_SCRIPT="$PWD/main.script" ./notarix) || status=$?
echo "NOTARIX ended with ${status:-0}; its log:"
cat "$out/main.script.log"
ls "$out"
exit "${status:-0}"
