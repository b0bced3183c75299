// Throughput of the three converters beside the C source analysis alone, on
// the same inputs in the same run: a large generated source, a source of
// headed comments, a set of small sources and Lua's sources with their
// headers (and, with --concat, Lua's .c files 20 times over in one source). Each converter is run as its viewer runs it: NOTARIX's
// converter and formatter per source, GRAVLET's generator per source,
// ORBALINE's generator once over the list. After the runs a table gives
// each one's lines per second, its ratio to the analysis, and its peak
// memory, measured in a child process of its own.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bench/bench_corpus.h"
#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "gravlet/converter/gx1002s.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "orbaline/converter/oq1011s.h"
#include "platform/kernel/file_io.h"

namespace {

using bench::Corpus;

// --- inputs ------------------------------------------------------------------

constexpr long kLargeLines = 200000;
constexpr int kHeadedFunctions = 5000;
constexpr int kSmallSources = 200;

struct Input {
    const char* name;
    std::function<Corpus()> write;  // nullptr: no input of this kind here
};

Corpus write_large() { return bench::write_corpus("large", {{"large.c", bench::large_source_text(kLargeLines)}}); }

Corpus write_headed() {
    return bench::write_corpus("headed", {{"headed.c", bench::headed_source_text(kHeadedFunctions)}});
}

Corpus write_small() { return bench::write_corpus("small", bench::small_corpus_files(kSmallSources)); }

// Lua's sources with their headers, read by each source that includes them
// (-i10).
Corpus write_lua() { return bench::write_corpus("lua", bench::lua_corpus_files(LUA_CORPUS)); }

// Lua's .c files one after the other 20 times in one source, beside their
// headers: the large real source that scripts/bench.sh also hands doxygen
// and cflow. Only with --concat.
Corpus write_concat() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(LUA_CORPUS))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<bench::CorpusFile> files;
    std::string whole;
    for (int copy = 0; copy < 20; ++copy)
        for (const std::string& name : names)
            if (name.size() > 2 && name.substr(name.size() - 2) == ".c")
                whole += bench::read_file(std::string(LUA_CORPUS) + "/" + name);
    files.push_back({"concat.c", whole});
    for (const std::string& name : names)
        if (name.size() > 2 && name.substr(name.size() - 2) == ".h")
            files.push_back({name, bench::read_file(std::string(LUA_CORPUS) + "/" + name), false});
    return bench::write_corpus("concat", files);
}

bool g_concat = false;

const std::vector<Input>& inputs() {
    static const std::vector<Input> list = {
        {"large", write_large},
        {"headed", write_headed},
        {"small", write_small},
        {"lua", std::filesystem::exists(LUA_CORPUS) ? std::function<Corpus()>(write_lua) : nullptr},
        {"concat", g_concat && std::filesystem::exists(LUA_CORPUS) ? std::function<Corpus()>(write_concat) : nullptr},
    };
    return list;
}

// Written once per process; a child reads what its parent wrote.
std::map<std::string, Corpus>& corpora() {
    static std::map<std::string, Corpus> written;
    return written;
}

const Corpus& corpus(size_t input) {
    const Input& in = inputs()[input];
    auto found = corpora().find(in.name);
    if (found == corpora().end()) found = corpora().emplace(in.name, in.write()).first;
    return found->second;
}

// --- one run of each kind over a corpus ----------------------------------------------------

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}

// The control-macro level: in one concatenated source an error ends the
// whole run, and Lua's lgc.c reads as C only when control macros are left
// alone (-d0, the programs' shipped setting).
const char* macro_level(const Corpus& c) { return c.name == "concat" ? "-d0" : "-d3"; }

// The analysis alone, every source of the corpus in one listing scope as a
// batch has them; false when a source cannot be read.
bool run_analysis(const Corpus& c) {
    ListingScope batch;
    for (const std::string& source : c.sources) {
        reset_analysis_state(kNotarixAnalysis);
        if (std::string_view(macro_level(c)) == "-d0") g_analysis.settings.control_macro_mode = 0;
        if (reset_scanner_state(kResetState) < -49 || open_source_file(source.c_str()) != 1) return false;
        SourceUnit unit;
        int r;
        long units = 0;
        while ((r = fetch_source_unit(unit)) != -1 && r >= -99) ++units;
        benchmark::DoNotOptimize(units);
        close_all_source_files();
        close_source_file();
        // an error in a source (lgc.c's macro braces) ends that source only
    }
    reset_analysis_state(kNotarixAnalysis);
    return true;
}

// The vectors the viewers build with their default settings.
// A set of sources is converted as the viewer's batch run converts it, in
// one listing scope.
bool run_notarix(const Corpus& c) {
    ListingScope batch;
    const std::string error = "-e" + c.dir + "\\nx1000.err";
    for (const std::string& source : c.sources) {
        const int converter =
            call(run_function_spec_converter, {"nx1011s", source, error, "-v0", "-i10", macro_level(c), "-H0", "-mf", "-X8417"});
        if (converter != 0 && converter != 9) return false;
        const int formatter = call(run_spec_formatter, {"nx1012", "-s2", "-c", error, "-f", "-X8417", source});
        if (formatter != 0 && formatter != 8) return false;
    }
    return true;
}

bool run_gravlet(const Corpus& c) {
    ListingScope batch;
    const std::string error = "-e" + c.dir + "\\gx1000.err";
    for (const std::string& source : c.sources) {
        const int status = call(run_pad_generator, {"gx1002s", source, "-n", "-v0", "-ucfc", "-i10", "-X8462", "-mf",
                                                    "-ti0", "-c24", "-lm21", macro_level(c), "-C0", error});
        // errors in a source (lgc.c's macro braces) end that source only
        if (status != 0 && status != 9 && status != 10) return false;
    }
    return true;
}

bool run_orbaline(const Corpus& c) {
    const int status = call(run_call_tree_generator,
                            {"oq1011s", "-x", "-f+", "-v0", "-Fe" + c.dir + "\\oq1000.err", "-X8439", "-mf", "-c20",
                             "-d9", "-u0", "-i10", "-M3", "-R0", "-A0", "-l", "[" + c.list + "]"});
    return status == 0 || status == 9;
}

struct Kind {
    const char* name;
    bool (*run)(const Corpus&);
};
const Kind kKinds[] = {
    {"analysis", run_analysis},
    {"nx1011s+nx1012", run_notarix},
    {"gx1002s", run_gravlet},
    {"oq1011s", run_orbaline},
};

void BM_Converter(benchmark::State& state) {
    const Kind& kind = kKinds[state.range(0)];
    const Corpus& c = corpus(static_cast<size_t>(state.range(1)));
    for (auto _ : state) {
        if (!kind.run(c)) {
            state.SkipWithError("the run failed");
            break;
        }
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(c.lines), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["lines"] = static_cast<double>(c.lines);
    state.SetLabel(std::string(kind.name) + " " + c.name);
}

void register_all() {
    for (size_t i = 0; i < inputs().size(); ++i) {
        if (!inputs()[i].write) continue;
        for (size_t k = 0; k < std::size(kKinds); ++k)
            benchmark::RegisterBenchmark((std::string("BM_Converter/") + kKinds[k].name + "/" + inputs()[i].name).c_str(),
                                         BM_Converter)
                ->Args({static_cast<int64_t>(k), static_cast<int64_t>(i)})
                ->Unit(benchmark::kMillisecond)
                ->MinTime(1.0);
    }
}

// --- the table after the runs ----------------------------------------------------------

class TableReporter : public benchmark::ConsoleReporter {
public:
    // With repetitions the median stands for the run, else the one run.
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && (run.run_type != Run::RT_Iteration || medians.count(run.report_label) != 0)) continue;
            auto found = run.counters.find("lines/s");
            if (found == run.counters.end()) continue;
            rates[run.report_label] = found->second.value;
            if (median) medians.insert(run.report_label);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> rates;  // by "kind input"
    std::set<std::string> medians;
};

// The process's peak resident memory in kilobytes (VmHWM), -1 unknown.
long own_peak_kb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Peak resident memory of one run of a kind over an input, in kilobytes,
// measured by a fresh child process that runs it alone; -1 when it failed.
// (The peak a child inherits across exec is cleared first.)
long peak_memory_kb(size_t kind, size_t input) {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return -1;
    self[n] = '\0';
    const std::string command = std::string("'") + self + "' " + (g_concat ? "--concat " : "") + "--peak " +
                                std::to_string(kind) + " " + std::to_string(input);
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return -1;
    long peak = -1;
    if (std::fscanf(child, "%ld", &peak) != 1) peak = -1;
    return pclose(child) == 0 ? peak : -1;
}

void print_table(const TableReporter& reporter) {
    std::printf("\n%-8s %9s", "input", "lines");
    for (const Kind& k : kKinds) std::printf(" %24s", k.name);
    std::printf("\n");
    for (size_t i = 0; i < inputs().size(); ++i) {
        if (!inputs()[i].write) continue;
        const Corpus& c = corpus(i);
        std::printf("%-8s %9ld", c.name.c_str(), c.lines);
        auto rate = [&](const Kind& k) {
            auto found = reporter.rates.find(std::string(k.name) + " " + c.name);
            return found == reporter.rates.end() ? 0.0 : found->second;
        };
        const double base = rate(kKinds[0]);
        for (size_t k = 0; k < std::size(kKinds); ++k) {
            const double r = rate(kKinds[k]);
            const long peak = r > 0 ? peak_memory_kb(k, i) : -1;
            char cell[64];
            if (k == 0)
                std::snprintf(cell, sizeof cell, "%.2fM/s %5.1fMB", r / 1e6, peak / 1024.0);
            else
                std::snprintf(cell, sizeof cell, "%.2fM/s %3.0f%% %5.1fMB", r / 1e6, base > 0 ? 100.0 * r / base : 0.0,
                              peak / 1024.0);
            std::printf(" %24s", r > 0 ? cell : "-");
        }
        std::printf("\n");
    }
    std::printf("(lines per second, the share of the analysis's rate on the same input, peak memory)\n");
}

}  // namespace

int main(int argc, char** argv) {
    // --concat adds the concatenated source to the inputs
    if (argc > 1 && std::strcmp(argv[1], "--concat") == 0) {
        g_concat = true;
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    // a child of the table: one run, nothing else in the process
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0) {
        const size_t kind = std::stoul(argv[2]), input = std::stoul(argv[3]);
        if (kind >= std::size(kKinds) || input >= inputs().size()) return 2;
        corpora().emplace(inputs()[input].name, bench::load_corpus(inputs()[input].name, false));
        std::ofstream("/proc/self/clear_refs") << "5";
        if (!kKinds[kind].run(corpora()[inputs()[input].name])) return 1;
        std::printf("%ld\n", own_peak_kb());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    register_all();
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_table(reporter);
    benchmark::Shutdown();
    return 0;
}
