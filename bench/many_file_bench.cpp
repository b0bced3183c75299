// The many-file side by side, as people run the programs and their peers:
// each converter's batch in a process of its own, in the list's folder with
// the bare names the programs' batch hands on, beside `ctags -R
// --fields=+ne` and `cflow -b` on a clean copy of the same sources (no
// result files beside them). Every run is a child process; its CPU (user and
// system) comes from the kernel's accounting of that child. The runs go in
// rounds, each round every runner once, the order turned by one each round;
// the table gives medians and ranges over the rounds, and the load average
// before and after. Nothing pins the runs here: scripts/bench.sh runs the
// whole under taskset, which the children inherit.
//
//   many_file_bench [--rounds=N] [--sets=lua,small] [--small=N] [--instructions]
//
// --small=N makes the set of small sources N sources (200). A peer that is
// not installed is left out.
// --instructions runs each runner once more under valgrind's callgrind and
// gives its instructions beside the peers', which the load does not change.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/batch_runs.h"
#include "bench/bench_corpus.h"

namespace {

namespace fs = std::filesystem;

int g_small_sources = 200;

struct Set {
    std::string name;
    std::vector<bench::CorpusFile> files;
    long lines = 0;  // of the sources, headers left out
};

// One kind of run: a converter's batch with its vectors, or a peer.
struct Runner {
    std::string name;
    std::string converter;  // empty for a peer
    bench::Vectors vectors = bench::Vectors::kShipped;
    bool peer = false;
};

// Whether a program of that name is in PATH.
bool installed(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) return true;
    return false;
}

std::vector<Runner> runners() {
    using bench::Vectors;
    std::vector<Runner> list = {
        {"analysis shipped", "analysis", Vectors::kShipped},
        {"analysis headers", "analysis", Vectors::kHeadersRead},
        {"notarix shipped", "notarix", Vectors::kShipped},
        {"notarix headers", "notarix", Vectors::kHeadersRead},
        {"gravlet shipped", "gravlet", Vectors::kShipped},
        {"gravlet headers", "gravlet", Vectors::kHeadersRead},
        {"orbaline shipped", "orbaline", Vectors::kShipped},
    };
    if (installed("ctags")) list.push_back({"ctags -R", "", Vectors::kShipped, true});
    if (installed("cflow")) list.push_back({"cflow -b", "", Vectors::kShipped, true});
    return list;
}

std::string root() { return (fs::temp_directory_path() / "cbench-many").string(); }

std::string folder_name(const Runner& r) {
    std::string name = r.peer ? "peers" : r.name;
    std::replace(name.begin(), name.end(), ' ', '-');
    return name;
}

// A runner's folder: its sources with their list in src/, the program's
// shipped files (and its error file) in program/. The peers share one clean
// copy and write their output beside src/.
std::string run_dir(const Set& set, const Runner& r) { return root() + "/" + set.name + "/" + folder_name(r); }

void copy_shipped(const std::string& program_dir) {
    fs::create_directories(program_dir);
    for (const char* file : {"nx1000s.prm", "nx1000.kwd", "nx1000.lis", "nx1000.fms"}) {
        const fs::path from = fs::path(SHIPPED_DIR) / file;
        if (fs::exists(from)) fs::copy_file(from, program_dir + "/" + file, fs::copy_options::overwrite_existing);
    }
}

void prepare(const Set& set) {
    std::error_code ignored;
    fs::remove_all(root() + "/" + set.name, ignored);
    for (const Runner& r : runners()) {
        const std::string dir = run_dir(set, r);
        if (fs::exists(dir)) continue;
        bench::write_corpus_at(dir + "/src", set.files);
        copy_shipped(dir + "/program");
    }
}

std::vector<std::string> command_of(const Set& set, const Runner& r) {
    const std::string dir = run_dir(set, r);
    if (r.name == "ctags -R") return {"ctags", "-R", "--fields=+ne", "-o", dir + "/tags", "."};
    if (r.name == "cflow -b") {
        std::vector<std::string> command = {"cflow", "-b", "-o", dir + "/cflow.txt"};
        for (const std::string& name : bench::listed_names(dir + "/src/sources.nam")) command.push_back(name);
        return command;
    }
    return {bench::self_path(), "--convert", r.converter, dir + "/program",
            r.vectors == bench::Vectors::kHeadersRead ? "headers" : "shipped"};
}

bench::ChildRun run_once(const Set& set, const Runner& r, const std::vector<std::string>& prefix = {}) {
    std::vector<std::string> command = prefix;
    for (const std::string& part : command_of(set, r)) command.push_back(part);
    std::vector<std::string> environment = bench::current_environment();
    environment.push_back("KRT=" + run_dir(set, r) + "/program");
    return bench::run_child(command, run_dir(set, r) + "/src", environment);
}

std::string load_average() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The instructions of one run under callgrind, 0 when it failed.
double instructions_of(const Set& set, const Runner& r) {
    const std::string out = run_dir(set, r) + "/callgrind.out";
    std::error_code ignored;
    fs::remove(out, ignored);
    const bench::ChildRun run =
        run_once(set, r, {"valgrind", "--tool=callgrind", "--trace-children=no", "--callgrind-out-file=" + out, "-q"});
    if (!run.ok) return 0;
    std::ifstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("summary:", 0) == 0 || line.rfind("totals:", 0) == 0) return std::stod(line.substr(line.find(':') + 1));
    return 0;
}

int side_by_side(int rounds, const std::vector<std::string>& set_names, bool instructions) {
    bool failed = false;
    for (const std::string& set_name : set_names) {
        Set set;
        set.name = set_name;
        if (set_name == "lua") {
            if (!fs::exists(LUA_CORPUS)) continue;
            set.files = bench::lua_corpus_files(LUA_CORPUS);
        } else if (set_name == "small") {
            set.files = bench::small_corpus_files(g_small_sources);
        } else {
            std::fprintf(stderr, "no set %s\n", set_name.c_str());
            return 2;
        }
        for (const bench::CorpusFile& f : set.files)
            if (f.source) set.lines += bench::count_lines(f.text);
        prepare(set);

        const std::vector<Runner> list = runners();
        std::map<std::string, std::vector<double>> cpu;
        const std::string load_before = load_average();
        for (int round = 0; round < rounds; ++round) {
            for (size_t k = 0; k < list.size(); ++k) {
                const Runner& r = list[(k + static_cast<size_t>(round)) % list.size()];
                const bench::ChildRun run = run_once(set, r);
                if (!run.ok) {
                    std::fprintf(stderr, "%s on %s failed (see %s)\n", r.name.c_str(), set.name.c_str(),
                                 run_dir(set, r).c_str());
                    failed = true;
                    continue;
                }
                cpu[r.name].push_back(run.cpu_seconds);
            }
        }
        const std::string load_after = load_average();
        std::map<std::string, double> counted;
        if (instructions)
            for (const Runner& r : list) counted[r.name] = instructions_of(set, r);

        const double ctags = median(cpu["ctags -R"]), cflow = median(cpu["cflow -b"]);
        std::printf("\n%s: %zu sources, %ld lines; %d rounds; load average %s before, %s after\n", set.name.c_str(),
                    static_cast<size_t>(std::count_if(set.files.begin(), set.files.end(),
                                                      [](const bench::CorpusFile& f) { return f.source; })),
                    set.lines, rounds, load_before.c_str(), load_after.c_str());
        std::printf("%-18s %9s %17s %10s %9s %9s", "", "CPU ms", "range ms", "lines/s", "x ctags", "x cflow");
        if (instructions) std::printf(" %14s %9s %9s", "instructions", "x ctags", "x cflow");
        std::printf("\n");
        for (const Runner& r : list) {
            const std::vector<double>& v = cpu[r.name];
            if (v.empty()) continue;
            const double m = median(v);
            const auto [low, high] = std::minmax_element(v.begin(), v.end());
            // a ratio above 1 is faster than the peer
            std::printf("%-18s %9.1f %8.1f-%-8.1f %10.0f %9.2f %9.2f", r.name.c_str(), m * 1e3, *low * 1e3, *high * 1e3,
                        m > 0 ? set.lines / m : 0, m > 0 ? ctags / m : 0, m > 0 ? cflow / m : 0);
            if (instructions) {
                const double n = counted[r.name];
                std::printf(" %14.0f %9.2f %9.2f", n, n > 0 ? counted["ctags -R"] / n : 0,
                            n > 0 ? counted["cflow -b"] / n : 0);
            }
            std::printf("\n");
        }
    }
    std::printf("(CPU: user and system of each child, median and range over the rounds; x ctags, x cflow: the\n"
                " peer's median CPU (instructions) over the runner's, above 1 faster than the peer)\n");
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    // a child: one converter's batch of the list in the current folder
    if (argc == 5 && std::strcmp(argv[1], "--convert") == 0) {
        const bench::Vectors v = std::strcmp(argv[4], "headers") == 0 ? bench::Vectors::kHeadersRead
                                                                       : bench::Vectors::kShipped;
        return bench::convert_batch(argv[2], "sources.nam", argv[3], v) ? 0 : 1;
    }
    int rounds = 7;
    bool instructions = false;
    std::vector<std::string> sets = {"lua", "small"};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) {
            rounds = std::max(1, std::atoi(argv[i] + 9));
        } else if (std::strncmp(argv[i], "--small=", 8) == 0) {
            g_small_sources = std::max(1, std::atoi(argv[i] + 8));
        } else if (std::strcmp(argv[i], "--instructions") == 0) {
            instructions = true;
        } else if (std::strncmp(argv[i], "--sets=", 7) == 0) {
            sets.clear();
            std::stringstream list(argv[i] + 7);
            for (std::string name; std::getline(list, name, ',');) sets.push_back(name);
        } else {
            std::fprintf(stderr, "usage: many_file_bench [--rounds=N] [--sets=lua,small] [--small=N] [--instructions]\n");
            return 2;
        }
    }
    return side_by_side(rounds, sets, instructions);
}
