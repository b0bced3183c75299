// The programs' batch conversions as their users run them, for the
// benchmarks that run them in a child process of their own: the batch
// changes into the list's folder and hands each converter the bare names of
// the list, with an error file in the program's folder, all in one listing
// scope. The vectors are those the programs build from their shipped
// settings; "headers read" is the same with quoted includes read.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/result_files.h"
#include "common/analysis/scanner.h"
#include "gravlet/converter/gx1002s.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "orbaline/converter/oq1011s.h"
#include "platform/kernel/file_io.h"

extern char** environ;

namespace bench {

enum class Vectors { kShipped, kHeadersRead };

inline int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return entry(static_cast<int>(args.size()), argv.data());
}

// The statuses of a run that went to its end: done, warnings, errors in a
// source (Lua's lgc.c stops GRAVLET with 10).
inline bool finished(int status) { return status == 0 || status == 9 || status == 10; }

inline const char* include_vector(Vectors v) { return v == Vectors::kHeadersRead ? "-i10" : "-i00"; }

// The analysis alone, as NOTARIX's converter sets it up.
inline bool convert_analysis(const std::vector<std::string>& names, const std::string&, const std::string&, Vectors v) {
    for (const std::string& name : names) {
        reset_analysis_state(kNotarixAnalysis);
        g_analysis.settings.control_macro_mode = 0;
        g_analysis.settings.include_mode_quoted = v == Vectors::kHeadersRead ? 1 : 0;
        if (reset_scanner_state(kResetState) < -49 || open_source_file(name.c_str()) != 1) return false;
        SourceUnit unit;
        for (int r; (r = fetch_source_unit(unit)) != -1 && r >= -99;) {
        }
        close_all_source_files();
        close_source_file();
    }
    reset_analysis_state(kNotarixAnalysis);
    return true;
}

// The converter and the formatter of each source under one hold of its
// results, as NOTARIX's batch runs them.
inline bool convert_notarix(const std::vector<std::string>& names, const std::string& error_dir, const std::string&,
                            Vectors v) {
    const std::string error = "-e" + error_dir + "\\nx1000.erw";
    for (const std::string& name : names) {
        ResultHold hold;
        const int converter = call(run_function_spec_converter,
                                   {"nx1011s", name, error, "-v0", include_vector(v), "-d0", "-H0", "-mf", "-X8417", ""});
        if (!finished(converter)) return false;
        if (converter == 10) continue;
        const int formatter = call(run_spec_formatter, {"nx1012", "-s3", "-cnx1000.css", error, "-f", "-X8417", name});
        if (formatter != 0 && formatter != 8) return false;
    }
    return true;
}

inline bool convert_gravlet(const std::vector<std::string>& names, const std::string& error_dir, const std::string&,
                            Vectors v) {
    const std::string error = "-e" + error_dir + "\\gx1000.erw";
    for (const std::string& name : names)
        if (!finished(call(run_pad_generator, {"gx1002s", name, "-n", "-v0", "-ucfc", include_vector(v), "-X8462", "-mf",
                                               "-ti0", "-c80", "-lm20", "-d0", "-C0", error, ""})))
            return false;
    return true;
}

// ORBALINE's shipped settings read quoted includes already.
inline bool convert_orbaline(const std::vector<std::string>&, const std::string& error_dir, const std::string& list,
                             Vectors) {
    return finished(call(run_call_tree_generator, {"oq1011s", "-x", "-f+", "-v0", "-Fe" + error_dir + "\\oq1000.err",
                                                   "-X8439", "-mf", "-c20", "-d9", "-u0", "-i10", "-M3", "-R1", "-A0",
                                                   "-l", "[" + list + "]", ""}));
}

struct BatchConverter {
    const char* name;
    bool (*convert)(const std::vector<std::string>& names, const std::string& error_dir, const std::string& list,
                    Vectors v);
};
inline const BatchConverter kBatchConverters[] = {
    {"analysis", convert_analysis},
    {"notarix", convert_notarix},
    {"gravlet", convert_gravlet},
    {"orbaline", convert_orbaline},
};

// The names of a list file, one a line (LF or CR LF), blank lines left out.
inline std::vector<std::string> listed_names(const std::string& list) {
    std::vector<std::string> names;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.push_back(line);
    }
    return names;
}

// A child's batch: the current folder holds the list; one listing scope, as
// the programs' batch has it. False when a run failed.
inline bool convert_batch(const std::string& converter, const std::string& list_name, const std::string& error_dir,
                          Vectors v) {
    for (const BatchConverter& c : kBatchConverters) {
        if (converter != c.name) continue;
        const std::string list = get_current_directory() + "/" + list_name;
        ListingScope batch;
        return c.convert(listed_names(list), error_dir, list, v);
    }
    return false;
}

struct ChildRun {
    bool ok = false;
    double cpu_seconds = 0;  // user and system
    long peak_kb = 0;
};

inline std::vector<std::string> current_environment() {
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) environment.emplace_back(*e);
    return environment;
}

// Runs a program (looked up in PATH when the name has no folder) in a
// folder with that environment and waits for it; what it prints goes to
// /dev/null when `quiet`.
inline ChildRun run_child(const std::vector<std::string>& args, const std::string& directory,
                          const std::vector<std::string>& environment, bool quiet = true) {
    std::vector<char*> argv, envp;
    std::vector<std::string> arg_copy = args, environment_copy = environment;
    for (std::string& a : arg_copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : environment_copy) envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    const std::string kept = get_current_directory();
    pid_t pid = 0;
    int spawned = -1;
    if (::chdir(directory.c_str()) == 0) {
        spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        if (::chdir(kept.c_str()) != 0) spawned = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peak_kb = usage.ru_maxrss;
    return run;
}

inline std::string self_path() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return {};
    self[n] = '\0';
    return self;
}

}  // namespace bench
