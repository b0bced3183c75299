// Each program's batch generation of Lua's sources as its user runs it (the
// program under a script, headless: its meter, its result box and error
// window) beside the same conversions without windows, in the same run. Every
// run is a child process of its own, measured by its CPU time and its peak
// memory; the same program started, given the list and cancelled before the
// run is measured too and taken off its batch.
// The closing table gives each batch's CPU as a multiple of its conversions'
// and the peak memory of both. The batch and the conversions must leave the
// same result files, byte for byte.
//
// Flags besides Google Benchmark's: --sources=N takes the first N sources of
// the list only (the test build's short run), --runs=N runs each kind N times
// (default 3; the table takes the least CPU of each).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/batch_runs.h"
#include "bench/bench_corpus.h"

namespace {

namespace fs = std::filesystem;

// Dates in the outputs come from this clock, so that the two kinds compare.
constexpr char kClock[] = "2024-04-01 09:30:00";

int g_sources = 0;  // 0: the whole list
int g_runs = 3;
bool g_failed = false;

struct Program {
    const char* name;
    const char* path;
    std::vector<std::string> shipped;  // files beside the program that it reads
    const char* script;                // the batch; @LIST@ is the list's name
    const char* idle_script;           // the same steps up to the run, then cancelled
    std::vector<std::string> results;  // extensions of the result files
};

const std::vector<Program>& programs() {
    static const std::vector<Program> list = {
        {"notarix", NOTARIX_PROGRAM, {"nx1000s.prm", "nx1000.kwd", "nx1000.lis", "nx1000.fms"},
         // the batch list dialog, read from the list file, run with OK
         "answer-next-message IDOK\nmenu 20486\nset-text 8466 \"@LIST@\"\npress-button 8498\n"
         "answer-file \"@LIST@\"\npress-button 1\n",
         "menu 20486\nset-text 8466 \"@LIST@\"\npress-button 8498\nanswer-file \"@LIST@\"\npress-button 2\n",
         {".lin", ".fss", ".fsm", ".flt"}},
        {"gravlet", GRAVLET_PROGRAM, {"gx1000s.prm"},
         "answer-next-message IDOK\nmenu 20485\nset-text 8466 \"@LIST@\"\npress-button 8498\n"
         "answer-file \"@LIST@\"\npress-button 1\n",
         "menu 20485\nset-text 8466 \"@LIST@\"\npress-button 8498\nanswer-file \"@LIST@\"\npress-button 2\n",
         {".pds"}},
        // the list opened: the notice that its chart is not made, then the
        // generation; without the run, the open dialog cancelled
        {"orbaline", ORBALINE_PROGRAM, {"oq1000s.prm"},
         "answer-file \"@LIST@\"\nanswer-next-message IDOK\nanswer-next-message IDOK\nmenu 4098\n",
         "answer-cancel\nmenu 4098\n", {".trd", ".flt"}},
    };
    return list;
}

// --- work folders -----------------------------------------------------------------

std::string work_dir(const Program& p, const char* kind) {
    return (fs::temp_directory_path() / "pbench" / p.name / kind).string();
}

// The corpus's sources (the first g_sources of them) and headers in a fresh
// src/ folder under dir, with the list lua.nam; the lines of the sources.
long write_sources(const std::string& dir) {
    std::error_code ignored;
    fs::remove_all(dir + "/src", ignored);
    fs::create_directories(dir + "/src");
    std::vector<std::string> sources;
    for (const auto& entry : fs::directory_iterator(LUA_CORPUS)) {
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        if (ext == ".h") fs::copy_file(entry.path(), dir + "/src/" + name);
        if (ext == ".c") sources.push_back(name);
    }
    std::sort(sources.begin(), sources.end());
    if (g_sources > 0 && sources.size() > static_cast<size_t>(g_sources)) sources.resize(g_sources);
    long lines = 0;
    std::ofstream list(dir + "/src/lua.nam", std::ios::binary);
    for (const std::string& name : sources) {
        fs::copy_file(std::string(LUA_CORPUS) + "/" + name, dir + "/src/" + name);
        lines += bench::count_lines(bench::read_file(dir + "/src/" + name));
        list << name << "\r\n";
    }
    return lines;
}

// The program, what it ships and a script in dir; the script's path.
std::string prepare_program(const Program& p, const std::string& dir, const std::string& script) {
    fs::create_directories(dir + "/home");
    const fs::path program(p.path);
    fs::copy_file(program, dir + "/" + program.filename().string(), fs::copy_options::overwrite_existing);
    for (const std::string& file : p.shipped)
        fs::copy_file(program.parent_path() / file, dir + "/" + file, fs::copy_options::overwrite_existing);
    std::string text = script;
    for (size_t at; (at = text.find("@LIST@")) != std::string::npos;) text.replace(at, 6, "src/lua.nam");
    const std::string path = dir + "/run.script";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// --- child processes --------------------------------------------------------------

// A child's environment: the platform's variables of this process left
// out, the clock set.
std::vector<std::string> child_environment(const std::vector<std::string>& extra) {
    std::vector<std::string> environment = extra;
    environment.push_back(std::string("PLATFORM_CLOCK=") + kClock);
    for (const std::string& entry : bench::current_environment())
        if (entry.rfind("PLATFORM_", 0) != 0) environment.push_back(entry);
    return environment;
}

// --- the kinds of run -----------------------------------------------------------------

enum Kind { kIdle, kBatch, kConversions };
const char* const kKindNames[] = {"idle", "batch", "conversions"};

// The least CPU and the largest peak of each program's kinds, for the table.
struct Measured {
    double cpu = 0;
    long peak_kb = 0;
    long lines = 0;
    bool seen = false;
};
std::map<std::pair<std::string, int>, Measured>& measured() {
    static std::map<std::pair<std::string, int>, Measured> m;
    return m;
}

// The result files a run left in its src/ folder, by name.
std::map<std::string, std::string> results_of(const Program& p, const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir + "/src")) {
        const std::string ext = entry.path().extension().string();
        if (std::find(p.results.begin(), p.results.end(), ext) != p.results.end())
            files[entry.path().filename().string()] = bench::read_file(entry.path().string());
    }
    return files;
}

void BM_Program(benchmark::State& state) {
    const Program& p = programs()[static_cast<size_t>(state.range(0))];
    const Kind kind = static_cast<Kind>(state.range(1));
    const std::string dir = work_dir(p, kKindNames[kind]);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    fs::create_directories(dir);
    const std::string script = prepare_program(p, dir, kind == kIdle ? p.idle_script : p.script);
    Measured& m = measured()[{p.name, kind}];
    for (auto _ : state) {
        state.PauseTiming();
        const long lines = write_sources(dir);
        for (const std::string& file : p.shipped)
            fs::copy_file(fs::path(p.path).parent_path() / file, dir + "/" + file, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        bench::ChildRun run;
        if (kind == kConversions) {
            run = bench::run_child({bench::self_path(), "--convert", p.name, dir}, dir + "/src",
                                   child_environment({"KRT=" + dir}), false);
        } else {
            const std::string program = dir + "/" + fs::path(p.path).filename().string();
            run = bench::run_child({program}, dir,
                                   child_environment({"PLATFORM_SCRIPT=" + script, "PLATFORM_HOME=" + dir + "/home"}),
                                   false);
        }
        if (!run.ok) {
            state.SkipWithError("the run failed (see its folder and run.script.log)");
            g_failed = true;
            break;
        }
        state.SetIterationTime(run.cpu_seconds);
        if (!m.seen || run.cpu_seconds < m.cpu) m.cpu = run.cpu_seconds;
        m.peak_kb = std::max(m.peak_kb, run.peak_kb);
        m.lines = lines;
        m.seen = true;
    }
    state.counters["peak MB"] = static_cast<double>(m.peak_kb) / 1024.0;
    state.SetLabel(std::string(p.name) + " " + kKindNames[kind]);
}

void register_all() {
    for (size_t i = 0; i < programs().size(); ++i)
        for (int kind : {kIdle, kBatch, kConversions})
            benchmark::RegisterBenchmark(
                (std::string("BM_Program/") + programs()[i].name + "/" + kKindNames[kind]).c_str(), BM_Program)
                ->Args({static_cast<int64_t>(i), kind})
                ->UseManualTime()
                ->Iterations(g_runs)
                ->Unit(benchmark::kMillisecond);
}

// The batch and the conversions leave the same result files.
bool compare_results() {
    bool same = true;
    for (const Program& p : programs()) {
        if (!measured()[{p.name, kBatch}].seen || !measured()[{p.name, kConversions}].seen) continue;
        const auto batch = results_of(p, work_dir(p, "batch"));
        const auto plain = results_of(p, work_dir(p, "conversions"));
        if (batch == plain && !batch.empty()) continue;
        std::printf("%s: the batch and the conversions left different result files\n", p.name);
        same = false;
    }
    return same;
}

void print_table() {
    std::printf("\n%-9s %7s %12s %12s %12s %8s %10s %10s\n", "program", "lines", "conversions", "batch", "idle",
                "ratio", "conv. MB", "batch MB");
    for (const Program& p : programs()) {
        const Measured& start = measured()[{p.name, kIdle}];
        const Measured& batch = measured()[{p.name, kBatch}];
        const Measured& conversions = measured()[{p.name, kConversions}];
        if (!batch.seen || !conversions.seen || !start.seen) continue;
        const double run = batch.cpu - start.cpu;
        std::printf("%-9s %7ld %10.0fms %10.0fms %10.0fms %7.2fx %10.1f %10.1f\n", p.name, conversions.lines,
                    conversions.cpu * 1e3, run * 1e3, start.cpu * 1e3, conversions.cpu > 0 ? run / conversions.cpu : 0,
                    conversions.peak_kb / 1024.0, batch.peak_kb / 1024.0);
    }
    std::printf("(CPU: the least of the runs; batch: the program's whole run less its idle run, the same\n"
                " steps cancelled before the batch; ratio: the batch's CPU to its conversions'; peak resident\n"
                " memory of each process)\n");
}

}  // namespace

int main(int argc, char** argv) {
    // a child of a "conversions" run: the program's conversions of the list
    // in its folder, as its batch has them
    if (argc == 4 && std::strcmp(argv[1], "--convert") == 0)
        return bench::convert_batch(argv[2], "lua.nam", argv[3], bench::Vectors::kShipped) ? 0 : 1;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--sources=", 10) == 0) {
            g_sources = std::atoi(argv[i] + 10);
        } else if (std::strncmp(argv[i], "--runs=", 7) == 0) {
            g_runs = std::max(1, std::atoi(argv[i] + 7));
        } else {
            rest.push_back(argv[i]);
        }
    }
    int rest_count = static_cast<int>(rest.size());
    benchmark::Initialize(&rest_count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(rest_count, rest.data())) return 1;
    register_all();
    benchmark::RunSpecifiedBenchmarks();
    print_table();
    const bool same = compare_results();
    benchmark::Shutdown();
    return g_failed || !same ? 1 : 0;
}
