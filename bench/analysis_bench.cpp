// Throughput of the C source analysis: a whole pass (reset, open, every
// unit, close) over a large generated source, in source lines per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"

namespace {

namespace fs = std::filesystem;

// One function of the generated source; the number keeps names apart.
void append_function(std::string& out, int n) {
    const std::string id = std::to_string(n);
    out += "/*\n * process_" + id + ": walks the table and sums the entries\n */\n";
    out += "static int process_" + id + "(const struct entry* table, int count, int flags)\n{\n";
    out += "    int total = 0;              /* running sum */\n";
    out += "    int i, j;\n";
    out += "    char name[32] = \"item\";     // default name\n";
    out += "    for (i = 0; i < count; i++) {\n";
    out += "        if (table[i].kind == KIND_A && (flags & FLAG_SKIP) == 0) {\n";
    out += "            total += table[i].value * " + std::to_string(n % 7 + 1) + ";\n";
    out += "        } else if (table[i].kind == KIND_B)\n";
    out += "            total -= table[i].value;\n";
    out += "        else {\n";
    out += "            switch (table[i].mode) {\n";
    out += "            case 0:\n";
    out += "                total++;\n";
    out += "                break;\n";
    out += "            case 1: {\n";
    out += "                int k = table[i].value >> 2;\n";
    out += "                total += CLAMP(k, 0, 255);\n";
    out += "                break;\n";
    out += "            }\n";
    out += "            default:\n";
    out += "                total += name[i % 32] == 'x' ? 1 : 0;\n";
    out += "            }\n";
    out += "        }\n";
    out += "    }\n";
    out += "#if DEBUG_LEVEL > 1\n";
    out += "    trace(\"process_" + id + "\", total);\n";
    out += "#else\n";
    out += "    j = 0;\n";
    out += "#endif\n";
    out += "    while (total > LIMIT)\n";
    out += "        total /= 2;\n";
    out += "    do {\n";
    out += "        j++;\n";
    out += "    } while (j < 3);\n";
    out += "    return total;\n";
    out += "}\n\n";
}

struct GeneratedSource {
    std::string path;
    long lines = 0;
};

GeneratedSource make_source(long target_lines) {
    std::string text;
    text.reserve(static_cast<size_t>(target_lines) * 40);
    text += "/* generated for the throughput benchmark */\n";
    text += "#include <stdio.h>\n";
    text += "#define DEBUG_LEVEL 0\n";
    text += "#define LIMIT 100000\n";
    text += "#define KIND_A 1\n#define KIND_B 2\n#define FLAG_SKIP 4\n";
    text += "#define CLAMP(v, lo, hi) ((v) < (lo) ? (lo) : (v) > (hi) ? (hi) : (v))\n\n";
    text += "struct entry {\n    int kind;   /* what it is */\n    int mode;\n    int value;\n};\n\n";
    int n = 0;
    long lines = 0;
    for (char c : text) lines += c == '\n';
    while (lines < target_lines) {
        std::string function;
        append_function(function, n++);
        if (n % 50 == 0) function += "#ifdef UNUSED_FEATURE\nstatic int unused_" + std::to_string(n) + ";\n#endif\n";
        if (n % 20 == 0) function += "int global_" + std::to_string(n) + "[16], *pointer_" + std::to_string(n) + ";\n";
        for (char c : function) lines += c == '\n';
        text += function;
    }
    GeneratedSource source;
    source.path = (fs::temp_directory_path() / ("analysis-bench-" + std::to_string(target_lines) + ".c")).string();
    std::ofstream(source.path, std::ios::binary | std::ios::trunc) << text;
    source.lines = lines;
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
