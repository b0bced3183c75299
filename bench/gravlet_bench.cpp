// Throughput of GRAVLET's PAD generator over a large generated source of
// commented functions, in source lines per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_corpus.h"
#include "common/analysis/analysis_state.h"
#include "gravlet/converter/gx1002s.h"

namespace {

namespace fs = std::filesystem;

void append_function(std::string& out, int n) {
    const std::string id = std::to_string(n);
    out += "/*\n * NAME     : walk_" + id + "\n * FUNCTION : walks the table and sums its kinds\n */\n";
    out += "int walk_" + id + "(struct entry *table, int count, long *totals)\n{\n";
    out += "    int i, n = 0;                       /* entries seen */\n\n";
    out += "    for (i = 0; i < count; i++) {       /* every entry */\n";
    out += "        if (table[i].kind < 0) {        /* unused? */\n";
    out += "            continue;                   /* skip it */\n";
    out += "        } else if (table[i].kind > 9) { /* too big */\n";
    out += "            report(table[i].kind);      /* tell */\n";
    out += "        } else {\n";
    out += "            totals[table[i].kind] += table[i].value; /* add */\n";
    out += "        }\n";
    out += "        switch (table[i].kind) {        /* by kind */\n";
    out += "        case 1:                         /* one */\n";
    out += "        case 2:                         /* two */\n";
    out += "            n++;                        /* count */\n";
    out += "            break;\n";
    out += "        default:\n";
    out += "            break;\n";
    out += "        }\n";
    out += "    }\n";
    out += "    do {                                /* drain */\n";
    out += "        n = flush(n);                   /* flush */\n";
    out += "    } while (n > 0);                    /* until empty */\n";
    out += "    return n;                           /* count */\n";
    out += "}\n\n";
}

Corpus make_corpus(int functions) { return write_corpus("gravlet-bench", functions, append_function); }

void BM_PadGenerator(benchmark::State& state) {
    Corpus corpus = make_corpus(static_cast<int>(state.range(0)));
    std::vector<std::string> args = {"gx1002s", corpus.source, "-n",   "-v0",  "-ucfc", "-i10", "-X8462", "-mf",
                                      "-ti0",    "-c24",        "-lm21", "-d3", "-C0",   "-e" + (corpus.dir / "gx1000.err").string()};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    for (auto _ : state) {
        int status = run_pad_generator(static_cast<int>(argv.size()), argv.data());
        if (status != 0) state.SkipWithError("the generator failed");
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(corpus.lines) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    std::error_code ignored;
    fs::remove_all(corpus.dir, ignored);
}

BENCHMARK(BM_PadGenerator)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
