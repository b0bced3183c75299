#!/usr/bin/env bash
# Release build of the benchmarks, then runs them: the C source analysis
# alone; the three converters beside the analysis on the same inputs, with a
# table of their rates, their ratios to the analysis and their peak memory;
# the viewer's document open and page replay; the layout generator; each
# program's batch generation beside its conversions alone. Extra arguments
# go to each benchmark, e.g. --benchmark_filter=...
#
# Then, side by side on one large source (Lua's .c files 20 times over), the
# converters against doxygen's HTML output, GNU cflow --cpp -b and ctags
# --fields=+ne; and on the many-file sets (Lua's 34 sources with their
# headers, 200 small sources) each converter's batch as the programs run it
# (one process a batch, in the list's folder with bare names, the shipped
# settings and the same with headers read) against ctags -R --fields=+ne and
# cflow -b on a clean copy of the same sources: many_file_bench, every
# process on one core (BENCH_CPU, default 0), BENCH_RUNS interleaved rounds
# (default 11), medians and ranges, the load average before and after.
# BENCH_INSTRUCTIONS=1 adds each run's instructions under callgrind (they do
# not depend on the load). doxygen, cflow and ctags (and valgrind for the
# instructions) are installed here when missing (apt-get, with sudo when not
# root); nothing else needs them. BENCH_SIDE_BY_SIDE=0 leaves that part out.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=ON
cmake --build build-bench --target analysis_bench converter_bench viewer_bench layout_bench program_bench many_file_bench \
    -j"${BUILD_JOBS:-3}"
build-bench/bench/analysis_bench "$@"
build-bench/bench/converter_bench "$@"
build-bench/bench/viewer_bench "$@"
build-bench/bench/layout_bench "$@"
build-bench/bench/program_bench "$@"

[ "${BENCH_SIDE_BY_SIDE:-1}" = 0 ] && exit 0

# --- the side-by-side --------------------------------------------------------------

# doxygen, cflow, and the preprocessor cflow --cpp runs, and GNU time
bash scripts/setup.sh doxygen cflow cpp time universal-ctags
[ "${BENCH_INSTRUCTIONS:-0}" = 1 ] && bash scripts/setup.sh valgrind

runs=${BENCH_RUNS:-11}
cpu=${BENCH_CPU:-0}
pin() { taskset -c "$cpu" "$@"; }

# The converters' rates on the concatenated source (their own table).
pin build-bench/bench/converter_bench --concat --benchmark_filter=/concat --benchmark_min_time=2 | tee build-bench/concat.txt
work="${TMPDIR:-/tmp}/cbench-concat"
lines=$(wc -l < "$work/concat.c")

# CPU seconds (user + system, its children's too) of a command run in the
# source's folder; what it writes is held to 1 GB.
cpu_of() {
    local out
    out=$(cd "$work" && ulimit -f 1048576 && /usr/bin/time -f "%U %S" taskset -c "$cpu" "$@" 2>&1 >/dev/null | tail -1)
    awk -v t="$out" 'BEGIN { split(t, a, " "); printf "%.3f", a[1] + a[2] }'
}

rm -rf "$work/doxygen"
cat > "$work/Doxyfile" <<'EOF'
INPUT = concat.c
OUTPUT_DIRECTORY = doxygen
GENERATE_HTML = YES
GENERATE_LATEX = NO
EXTRACT_ALL = YES
EXTRACT_STATIC = YES
OPTIMIZE_OUTPUT_FOR_C = YES
HAVE_DOT = NO
QUIET = YES
WARNINGS = NO
WARN_IF_UNDOCUMENTED = NO
EOF
doxygen_cpu=$(cpu_of doxygen Doxyfile)
# -b prints each function's calls once: the whole tree of twenty copies
# would run to tens of gigabytes
cflow_cpu=$(cpu_of cflow --cpp -b -o cflow.txt concat.c)
ctags_cpu=$(cpu_of ctags --fields=+ne -o /dev/null concat.c)

# The converters' rates are CPU time too: lines per second from the table.
awk -v lines="$lines" -v dox="$doxygen_cpu" -v cfl="$cflow_cpu" -v ctg="$ctags_cpu" '
    /^concat / {
        names[1] = "analysis"; names[2] = "nx1011s+nx1012"; names[3] = "gx1002s"; names[4] = "oq1011s"
        k = 0
        for (i = 1; i <= NF; ++i) if ($i ~ /M\/s$/) { rate[++k] = substr($i, 1, length($i) - 3) * 1e6 }
        dox_rate = lines / dox; cfl_rate = lines / cfl; ctg_rate = lines / ctg
        printf "\n%d lines: doxygen %.2f s (%.0f lines/s), cflow --cpp %.2f s (%.0f lines/s), ctags %.2f s (%.0f lines/s)\n",
            lines, dox, dox_rate, cfl, cfl_rate, ctg, ctg_rate
        printf "%-16s %12s %12s %12s %12s\n", "", "lines/s", "x doxygen", "x cflow", "x ctags"
        for (i = 1; i <= k; ++i)
            printf "%-16s %12.0f %12.1f %12.1f %12.1f\n", names[i], rate[i], rate[i] / dox_rate, rate[i] / cfl_rate, rate[i] / ctg_rate
    }' build-bench/concat.txt

# --- the many-file side-by-side ----------------------------------------------------

# Each round runs every converter and both peers once, one after the other on
# the same core, the order turned by one each round: a shared machine's
# cores slow down and speed up by half from one second to the next.
instructions=()
[ "${BENCH_INSTRUCTIONS:-0}" = 1 ] && instructions=(--instructions)
pin build-bench/bench/many_file_bench --rounds="$runs" "${instructions[@]}" | tee build-bench/many-file.txt
