// Throughput of the call-tree generator: a tree run over a generated list of
// many sources, reported as source lines per second.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "orbaline/converter/oq1011s.h"

namespace {

constexpr int kSources = 60;
constexpr int kFunctionsPerSource = 25;

struct Workspace {
    std::string dir;
    std::string list;
    long lines = 0;

    Workspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "oq-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return;
        dir = pattern;
        list = dir + "/bench.nam";
        std::ofstream nam(list, std::ios::binary);
        for (int s = 0; s < kSources; ++s) {
            std::string name = "src" + std::to_string(s) + ".c";
            nam << name << "\n";
            std::ofstream out(dir + "/" + name, std::ios::binary);
            for (int f = 0; f < kFunctionsPerSource; ++f) {
                int next = (s * kFunctionsPerSource + f + 1) % (kSources * kFunctionsPerSource);
                out << "/*\n * FUNCTION : function " << f << " of source " << s << "\n */\n"
                    << "static int fn_" << s << "_" << f << "(int value, const char *text)\n{\n"
                    << "    int i;\n    for (i = 0; i < value; i++) {\n"
                    << "        if (text[i] == 'x')\n            helper_call(text, i);\n"
                    << "        else\n            fn_" << next / kFunctionsPerSource << "_"
                    << next % kFunctionsPerSource << "(i, \"literal (not a call)\");\n    }\n"
                    << "    switch (value) {\n    case 1:\n        printf(\"%d\\n\", value);\n        break;\n"
                    << "    default:\n        obj->method(value);\n    }\n    return value + 1;\n}\n\n";
                lines += 22;
            }
        }
    }
    ~Workspace() {
        std::error_code ignored;
        if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
    }
};

void BM_TreeRun(benchmark::State& state) {
    Workspace ws;
    if (ws.dir.empty()) {
        state.SkipWithError("no scratch directory");
        return;
    }
    std::vector<std::string> args = {"oq1011s", "-x", "-f+", "-v0", "-Fe" + ws.dir + "/oq1000.err", "-X8439",
                                     "-mf", "-c20", "-d9", "-u0", "-i10", "-M3", "-R0", "-A0", "-l",
                                     "[" + ws.list + "]", ""};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    for (auto _ : state) {
        int status = run_call_tree_generator(static_cast<int>(argv.size()), argv.data());
        if (status != 0 && status != 9) state.SkipWithError("run failed");
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(ws.lines), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_TreeRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
