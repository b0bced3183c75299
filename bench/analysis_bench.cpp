// Throughput of the C source analysis: a whole pass (reset, open, every
// unit, close) over a large generated source, in source lines per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "bench/bench_corpus.h"
#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"

namespace {

namespace fs = std::filesystem;

struct GeneratedSource {
    std::string path;
    long lines = 0;
};

GeneratedSource make_source(long target_lines) {
    const std::string text = bench::large_source_text(target_lines);
    GeneratedSource source;
    source.path = (fs::temp_directory_path() / ("analysis-bench-" + std::to_string(target_lines) + ".c")).string();
    std::ofstream(source.path, std::ios::binary | std::ios::trunc) << text;
    source.lines = bench::count_lines(text);
    return source;
}

void BM_WholePass(benchmark::State& state) {
    // generated once per size, outside the timing
    static std::map<long, GeneratedSource> sources;
    auto found = sources.find(state.range(0));
    if (found == sources.end()) found = sources.emplace(state.range(0), make_source(state.range(0))).first;
    const GeneratedSource& source = found->second;
    long units = 0;
    for (auto _ : state) {
        reset_analysis_state(kNotarixAnalysis);
        if (reset_scanner_state(kResetState) < -49 || open_source_file(source.path.c_str()) != 1) {
            state.SkipWithError("cannot start the analysis");
            break;
        }
        SourceUnit unit;
        int r;
        units = 0;
        while ((r = fetch_source_unit(unit)) != -1 && r >= -99) ++units;
        close_all_source_files();
        close_source_file();
        benchmark::DoNotOptimize(units);
        if (r != -1) {
            state.SkipWithError("the pass stopped with an error");
            break;
        }
    }
    reset_analysis_state(kNotarixAnalysis);
    state.counters["units"] = static_cast<double>(units);
    state.SetItemsProcessed(static_cast<int64_t>(source.lines) * state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(std::filesystem::file_size(source.path)) * state.iterations());
}

// the small size is there for profiling runs (--benchmark_filter=/20000)
BENCHMARK(BM_WholePass)->Arg(200000)->Arg(20000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
