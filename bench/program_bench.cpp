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
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_corpus.h"
#include "gravlet/converter/gx1002s.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "orbaline/converter/oq1011s.h"
#include "platform/kernel/file_io.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Dates in the outputs come from this clock, so that the two kinds compare.
constexpr char kClock[] = "2024-04-01 09:30:00";

int g_sources = 0;  // 0: the whole list
int g_runs = 3;
bool g_failed = false;

// --- the conversions, as each program's batch calls them ---------------------

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return entry(static_cast<int>(args.size()), argv.data());
}

// The vectors are those the programs build from their shipped settings; the
// batch runs in the list's folder with bare names and an error file for
// each source in the program's folder.
void convert_notarix(const std::vector<std::string>& names, const std::string& error_dir, const std::string&) {
    const std::string error = "-e" + error_dir + "\\nx1000.erw";
    for (const std::string& name : names) {
        const int converter =
            call(run_function_spec_converter, {"nx1011s", name, error, "-v0", "-i00", "-d0", "-H0", "-mf", "-X8417", ""});
        if (converter == 0 || converter == 9)
            call(run_spec_formatter, {"nx1012", "-s3", "-cnx1000.css", error, "-f", "-X8417", name});
    }
}

void convert_gravlet(const std::vector<std::string>& names, const std::string& error_dir, const std::string&) {
    const std::string error = "-e" + error_dir + "\\gx1000.erw";
    for (const std::string& name : names)
        call(run_pad_generator, {"gx1002s", name, "-n", "-v0", "-ucfc", "-i00", "-X8462", "-mf", "-ti0", "-c80",
                                 "-lm20", "-d0", "-C0", error, ""});
}

void convert_orbaline(const std::vector<std::string>&, const std::string& error_dir, const std::string& list) {
    call(run_call_tree_generator, {"oq1011s", "-x", "-f+", "-v0", "-Fe" + error_dir + "\\oq1000.err", "-X8439", "-mf",
                                   "-c20", "-d9", "-u0", "-i10", "-M3", "-R1", "-A0", "-l", "[" + list + "]", ""});
}

struct Program {
    const char* name;
    const char* path;
    std::vector<std::string> shipped;  // files beside the program that it reads
    const char* script;                // the batch; @LIST@ is the list's name
    const char* idle_script;           // the same steps up to the run, then cancelled
    std::vector<std::string> results;  // extensions of the result files
    void (*convert)(const std::vector<std::string>& names, const std::string& error_dir, const std::string& list);
};

const std::vector<Program>& programs() {
    static const std::vector<Program> list = {
        {"notarix", NOTARIX_PROGRAM, {"nx1000s.prm", "nx1000.kwd", "nx1000.lis", "nx1000.fms"},
         // the batch list dialog, read from the list file, run with OK
         "answer-next-message IDOK\nmenu 20486\nset-text 8466 \"@LIST@\"\npress-button 8498\n"
         "answer-file \"@LIST@\"\npress-button 1\n",
         "menu 20486\nset-text 8466 \"@LIST@\"\npress-button 8498\nanswer-file \"@LIST@\"\npress-button 2\n",
         {".lin", ".fss", ".fsm", ".flt"}, convert_notarix},
        {"gravlet", GRAVLET_PROGRAM, {"gx1000s.prm"},
         "answer-next-message IDOK\nmenu 20485\nset-text 8466 \"@LIST@\"\npress-button 8498\n"
         "answer-file \"@LIST@\"\npress-button 1\n",
         "menu 20485\nset-text 8466 \"@LIST@\"\npress-button 8498\nanswer-file \"@LIST@\"\npress-button 2\n",
         {".pds"}, convert_gravlet},
        // the list opened: the notice that its chart is not made, then the
        // generation; without the run, the open dialog cancelled
        {"orbaline", ORBALINE_PROGRAM, {"oq1000s.prm"},
         "answer-file \"@LIST@\"\nanswer-next-message IDOK\nanswer-next-message IDOK\nmenu 4098\n",
         "answer-cancel\nmenu 4098\n", {".trd", ".flt"}, convert_orbaline},
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

std::vector<std::string> listed_names(const std::string& list) {
    std::vector<std::string> names;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.push_back(line);
    }
    return names;
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

struct ChildRun {
    bool ok = false;
    double cpu_seconds = 0;
    long peak_kb = 0;
};

ChildRun run_child(const std::vector<std::string>& args, const std::string& directory,
                   const std::vector<std::string>& extra_environment) {
    std::vector<std::string> environment = extra_environment;
    environment.push_back(std::string("PLATFORM_CLOCK=") + kClock);
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        if (entry.rfind("PLATFORM_", 0) != 0) environment.emplace_back(entry);
    }
    std::vector<char*> argv, envp;
    std::vector<std::string> arg_copy = args;
    for (std::string& a : arg_copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    const std::string kept = get_current_directory();
    if (::chdir(directory.c_str()) != 0) return run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
    if (::chdir(kept.c_str()) != 0 || spawned != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peak_kb = usage.ru_maxrss;
    return run;
}

std::string self_path() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return {};
    self[n] = '\0';
    return self;
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
        ChildRun run;
        if (kind == kConversions) {
            run = run_child({self_path(), "--convert", p.name, dir + "/src", dir}, dir + "/src", {});
        } else {
            const std::string program = dir + "/" + fs::path(p.path).filename().string();
            run = run_child({program}, dir, {"PLATFORM_SCRIPT=" + script, "PLATFORM_HOME=" + dir + "/home"});
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

// A child of a "conversions" run: the program's conversions of the list in
// its folder, in one listing scope as its batch has them.
int convert_child(const std::string& name, const std::string& error_dir) {
    for (const Program& p : programs()) {
        if (name != p.name) continue;
        const std::string list = get_current_directory() + "/lua.nam";
        ListingScope batch;
        p.convert(listed_names(list), error_dir, list);
        return 0;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--convert") == 0) return convert_child(argv[2], argv[4]);
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
