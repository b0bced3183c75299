// Shared ground for the converter nx1011s tests: a scratch directory, the
// recording progress host, the argument vector of a generation run and
// readers of the result files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "notarix/converter/nx1011s.h"
#include "platform/kernel/file_io.h"
#include "tests/common/generated_files.h"
#include "tests/common/recording_host.h"
#include "tests/common/temp_dir.h"

namespace nx1011s_test {

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_analysis_state(kNotarixAnalysis);
        open_at_start_ = crt_open_count();
    }

    void TearDown() override {
        set_pool_block_limit(-1);
        reset_analysis_state(kNotarixAnalysis);
        EXPECT_EQ(crt_open_count(), open_at_start_);
    }

    static std::string fixture_path(const std::string& name) {
        return std::string(TEST_DATA_DIR) + "/nx1011s/" + name;
    }

    // Copies a fixture into the scratch directory; returns its new path.
    std::string copy_fixture(const std::string& name, const std::string& as = "") {
        std::string target = dir_.path(as.empty() ? name : as);
        write_raw(target, read_raw(fixture_path(name)));
        return target;
    }

    std::string error_file() const { return dir_.path("nx1000.err"); }

    // The vector the generation run builds, with the program directory
    // joined by a backslash as the viewer does.
    std::vector<std::string> generation_vector(const std::string& source, const std::string& head = "-H0",
                                               const std::string& options = "") const {
        return {"nx1011s", source, "-e" + dir_.path() + "\\nx1000.err", "-v0", "-i10", "-d3", head, "-mf", "-X8417",
                options};
    }

    int run(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return run_function_spec_converter(static_cast<int>(argv.size()), argv.data());
    }

    int generate(const std::string& source, const std::string& head = "-H0", const std::string& options = "") {
        return run(generation_vector(source, head, options));
    }

    // The plain lines of a scrambled file (each stored line must end with CR LF).
    static std::vector<std::string> unscrambled_lines(const std::string& path) {
        return scrambled_file_lines(path);
    }

    static std::vector<std::string> split_lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            lines.push_back(text.substr(pos, end - pos));
            pos = end + 1;
        }
        return lines;
    }

    static std::string with_crlf(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '\n') out += '\r';
            out += c;
        }
        return out;
    }

    static std::string replaced(std::string text, const std::string& from, const std::string& to) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        return text;
    }

    static std::string with_extension(const std::string& path, const std::string& ext) {
        return ::with_extension(path, ext);
    }

    static bool exists(const std::string& path) { return file_exists(path); }

    TempDir dir_;
    RecordingHost host_;
    std::vector<ProgressReport>& reports_ = host_.reports;
    int& cancel_at_ = host_.cancel_at;
    int open_at_start_ = 0;
};

}  // namespace nx1011s_test
