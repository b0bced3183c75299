// Throughput of a whole NOTARIX generation (converter and formatter) over a
// large source of commented functions, in source lines per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_corpus.h"
#include "common/analysis/analysis_state.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"

namespace {

namespace fs = std::filesystem;

void append_function(std::string& out, int n) {
    const std::string id = std::to_string(n);
    out += "/*\n";
    out += " * NAME: update_" + id + "\n";
    out += " * FUNCTION: updates the entries of the table\n";
    out += " *           and keeps the running totals\n";
    out += " * INPUT: table - the entries\n";
    out += " *        count - how many\n";
    out += " * OUTPUT: totals - the sums per kind\n";
    out += " * RETURN: the number of entries updated\n";
    out += " * REMARKS: the table is not sorted\n";
    out += " */\n";
    out += "int update_" + id + "(struct entry *table, int count, long *totals)\n{\n";
    out += "    int i, n = 0;               /* entries updated */\n";
    out += "    for (i = 0; i < count; i++) {\n";
    out += "        if (table[i].kind < 0)\n";
    out += "            continue;\n";
    out += "        totals[table[i].kind] += table[i].value;\n";
    out += "        n++;\n";
    out += "    }\n";
    out += "    return n;\n";
    out += "}\n\n";
}

Corpus make_corpus(int functions) { return write_corpus("notarix-bench", functions, append_function); }

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}

void BM_Generation(benchmark::State& state) {
    Corpus corpus = make_corpus(static_cast<int>(state.range(0)));
    const std::string error = "-e" + corpus.dir.string() + "\\nx1000.err";
    for (auto _ : state) {
        int converter = call(run_function_spec_converter, {"nx1011s", corpus.source, error, "-v0", "-i10", "-d3",
                                                           "-H0", "-mf", "-X8417", ""});
        int formatter = call(run_spec_formatter, {"nx1012", "-s2", "-c", error, "-f", "-X8417", corpus.source});
        if (converter != 0 || (formatter != 0 && formatter != 8)) {
            state.SkipWithError("generation failed");
            break;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(corpus.lines) * state.iterations());
    state.counters["lines"] = corpus.lines;
    std::error_code ignored;
    fs::remove_all(corpus.dir, ignored);
}

BENCHMARK(BM_Generation)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
