// Time of the layout generator on the shipped page form, and its ratio to a
// baseline measured in the same run: copying the form into two files under
// work names and renaming them into place, the file work any run does.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "notarix/form/layout_generator.h"
#include "platform/kernel/file_io.h"

namespace {

namespace fs = std::filesystem;

struct Scratch {
    fs::path dir;
    std::string form;
    std::string bytes;
};

Scratch make_scratch() {
    Scratch s;
    s.dir = fs::temp_directory_path() / "layout-bench";
    fs::create_directories(s.dir);
    std::ifstream in(DEFAULT_FORM, std::ios::binary);
    s.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    s.form = (s.dir / "nx1000.frm").string();
    std::ofstream(s.form, std::ios::binary) << s.bytes;
    return s;
}

int generate(const Scratch& s) {
    std::string tool = "nx1012", form = s.form, error = "-e" + (s.dir / "nx1000.erf").string();
    std::vector<char*> argv = {tool.data(), form.data(), error.data()};
    return run_layout_generator(static_cast<int>(argv.size()), argv.data());
}

bool copy_form(const Scratch& s) {
    bool ok = true;
    for (const char* ext : {".lis", ".fms"}) {
        const std::string work = (s.dir / "copy.tmp").string(), result = (s.dir / "copy").string() + ext;
        const int fd = crt_open(work.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_BINARY);
        ok = fd >= 0 && crt_write(fd, s.bytes.data(), static_cast<unsigned>(s.bytes.size())) >= 0 && ok;
        ok = fd >= 0 && crt_close(fd) == 0 && ok;
        ok = crt_rename(work.c_str(), result.c_str()) == 0 && ok;
    }
    return ok;
}

double seconds_per_copy(const Scratch& s, int runs) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) copy_form(s);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

void BM_LayoutGenerator(benchmark::State& state) {
    Scratch s = make_scratch();
    const double baseline = seconds_per_copy(s, 200);
    const auto start = std::chrono::steady_clock::now();
    int64_t runs = 0;
    for (auto _ : state) {
        if (generate(s) != kLayoutDone) {
            state.SkipWithError("the layout generator failed");
            break;
        }
        ++runs;
    }
    const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                        static_cast<double>(runs > 0 ? runs : 1);
    state.counters["ms_per_run"] = each * 1000.0;
    state.counters["x_copy"] = baseline > 0 ? each / baseline : 0;
    std::error_code ignored;
    fs::remove_all(s.dir, ignored);
}

BENCHMARK(BM_LayoutGenerator)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
