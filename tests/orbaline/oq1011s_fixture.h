// Shared ground for the call-tree generator tests: a scratch directory, a
// recording progress host, the argument vectors of the viewer's runs and
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
#include "orbaline/converter/oq1011s.h"
#include "platform/kernel/file_io.h"
#include "tests/common/generated_files.h"
#include "tests/common/recording_host.h"
#include "tests/common/temp_dir.h"

namespace oq1011s_test {

class TreeGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_analysis_state(kOrbalineAnalysis);
        open_at_start_ = crt_open_count();
        // the shipped support files are looked for here; tests keep it empty
        host_.program_directory = dir_.path("program");
        crt_putenv("KRT=");
        crt_putenv((std::string(kCallTreeOptionVariable) + "=").c_str());
    }

    void TearDown() override {
        set_pool_block_limit(-1);
        reset_analysis_state(kOrbalineAnalysis);
        EXPECT_EQ(crt_open_count(), open_at_start_);
    }

    static std::string fixture_path(const std::string& name) {
        return std::string(TEST_DATA_DIR) + "/oq1011s/" + name;
    }

    // Copies fixtures into the scratch directory under their last path
    // component (a source shared with another converter's goldens is named
    // by its path from this folder); returns the path of the first.
    std::string copy_fixtures(const std::vector<std::string>& names) {
        auto last = [](const std::string& name) { return name.substr(name.find_last_of('/') + 1); };
        for (const std::string& name : names) write_raw(dir_.path(last(name)), read_raw(fixture_path(name)));
        return dir_.path(last(names.front()));
    }

    std::string error_file() const { return dir_.path("oq1000.err"); }
    std::string error_text() const { return read_raw(error_file()); }

    // The tree run's vector as the viewer builds it (default settings:
    // comment 20, depth 9 passed for 10, boxes kept, -i10, -M3).
    std::vector<std::string> tree_vector(const std::string& list, const std::vector<std::string>& extra = {},
                                         const std::string& ignore = "") const {
        std::vector<std::string> v = {"oq1011s", "-x", "-f+", "-v0", "-Fe" + dir_.path() + "\\oq1000.err",
                                      "-X8439", "-mf", "-c20", "-d10", "-u0", "-i10", "-M3", "-R0", "-A0", "-l",
                                      "[" + list + "]"};
        for (const std::string& e : extra) v.push_back(e);
        v.push_back(ignore.empty() ? std::string{} : "-Fi" + ignore);
        return v;
    }

    std::vector<std::string> repair_vector(const std::string& list) const {
        return {"oq1011s", "-n", "[" + list + "]", "-Fe" + dir_.path() + "\\oq1000.err", "-X8439", "-mf", "-v0",
                "-i10"};
    }

    int run(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return run_call_tree_generator(static_cast<int>(argv.size()), argv.data());
    }

    // The plain lines of a scrambled file (each stored line must end with CR LF).
    static std::vector<std::string> unscrambled_lines(const std::string& path) {
        return scrambled_file_lines(path, false);
    }

    // Plain text with CR LF line ends as lines.
    static std::vector<std::string> text_lines(const std::string& bytes) { return crlf_text_lines(bytes); }

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

}  // namespace oq1011s_test
