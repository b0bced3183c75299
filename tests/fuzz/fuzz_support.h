// What every fuzz target shares: a scratch folder made once per process, the
// earlier results a run must never spoil, and the checks that end the
// process (a finding) when a run breaks a promise.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/kernel/file_io.h"

// A freed block waits in the address sanitizer's quarantine before it is
// used again: 32 MB still outlasts what one input frees, and keeps a run
// from mapping fresh pages for every allocation of its first thousand inputs.
// Defined here: every target is one source that includes this header.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32"; }

namespace fuzz {

// Reports a broken promise and ends the process so the fuzzer keeps the input.
[[noreturn]] inline void finding(const std::string& what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// No file may stay open after a run.
inline void check_closed() {
    if (crt_open_count() != 0) finding("a file left open");
}

class Scratch {
public:
    Scratch() {
        // files in memory when the system has such a folder: each input writes and reads several
        const char* base = std::getenv("TMPDIR");
        if (!base || !*base) base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) finding("no scratch folder");
        path_ = pattern;
        // the state of the platform (registry, WIN.INI) stays in the scratch folder
        ::setenv("PLATFORM_HOME", path_.c_str(), 1);
        ::setenv("KRT", "", 1);
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string path(const std::string& name) const { return path_ + "/" + name; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }

    // A file the run only reads: written here, and found by check_inputs()
    // with the same bytes and the same time.
    void write_input(const std::string& name, const std::string& bytes) const {
        write(name, bytes);
        inputs_[name] = {bytes, std::filesystem::last_write_time(path(name))};
    }
    void check_inputs() const {
        for (const auto& [name, written] : inputs_) {
            std::error_code error;
            const auto time = std::filesystem::last_write_time(path(name), error);
            if (error || time != written.second || read(name) != written.first) finding("the run changed " + name);
        }
        inputs_.clear();
    }

    // Earlier results of the input, each holding its own name.
    void plant(const std::vector<std::string>& names) const {
        for (const std::string& name : names) write(name, "earlier " + name);
    }

    // After a failed run the earlier results are as they were; after a good
    // one they are planted again for the next input.
    void check_results(const std::vector<std::string>& names, bool failed) const {
        for (const std::string& name : names) {
            if (failed && read(name) != "earlier " + name) finding("a failed run changed " + name);
            if (!failed) write(name, "earlier " + name);
        }
    }

    // A run leaves none of its work files and no file open.
    void check_left_over(const std::vector<std::string>& work_names) const {
        for (const std::string& name : work_names)
            if (exists(name)) finding("work file left: " + name);
        check_closed();
    }

private:
    std::string path_;
    mutable std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> inputs_;
};

// The process's scratch folder with a converter's earlier results planted.
inline const Scratch& scratch_with_results(const std::vector<std::string>& results) {
    static const Scratch scratch;
    static const bool planted = (scratch.plant(results), true);
    (void)planted;
    return scratch;
}

inline std::string as_text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A target that serves several readers takes the first byte of its input
// to choose one of `count`, and the rest as the file.
inline int select(const uint8_t*& data, size_t& size, int count) {
    if (size == 0) return 0;
    --size;
    return *data++ % count;
}

// Runs a converter with its vector.
inline int run_converter(int (*converter)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return converter(static_cast<int>(argv.size()), argv.data());
}

}  // namespace fuzz
