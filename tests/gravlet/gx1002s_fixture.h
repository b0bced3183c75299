// Shared ground for the PAD generator tests: a scratch directory, a
// recording progress host, the argument vectors of the generation and batch
// runs, and readers of the result files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "gravlet/converter/gx1002s.h"
#include "platform/kernel/file_io.h"
#include "tests/common/generated_files.h"
#include "tests/common/recording_host.h"
#include "tests/common/temp_dir.h"

namespace gx1002s_test {

class PadGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_analysis_state(kGravletAnalysis);
        open_at_start_ = crt_open_count();
    }

    void TearDown() override {
        set_pool_block_limit(-1);
        reset_analysis_state(kGravletAnalysis);
        EXPECT_EQ(crt_open_count(), open_at_start_);
    }

    static std::string fixture_path(const std::string& name) {
        return std::string(TEST_DATA_DIR) + "/gx1002s/" + name;
    }

    // A source shared with another converter's goldens is named by its path
    // from this folder; the copy takes its last component.
    std::string copy_fixture(const std::string& name, const std::string& as = "") {
        std::string target = dir_.path(as.empty() ? name.substr(name.find_last_of('/') + 1) : as);
        write_raw(target, read_raw(fixture_path(name)));
        return target;
    }

    std::string write_source(const std::string& name, const std::string& text) {
        std::string target = dir_.path(name);
        write_raw(target, text);
        return target;
    }

    std::string error_file() const { return dir_.path("gx1000.err"); }
    std::string error_option() const { return "-e" + dir_.path() + "\\gx1000.err"; }

    // The vector of a generation run with the default settings: macro form 1,
    // case form 0, declaration form 0, generation form 0, 24 PAD characters,
    // nest level 21, #include use 1, no special comments.
    std::vector<std::string> generation_vector(const std::string& source, const std::string& options = "") const {
        return {"gx1002s", source, "-n",   "-v0",  "-ucfc", "-i10", "-X8462", "-mf",
                "-ti0",    "-c24", "-lm21", "-d3", "-C0",   error_option(), options};
    }

    int run(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return run_pad_generator(static_cast<int>(argv.size()), argv.data());
    }

    // A plain vector: the source, the error file, the interface code and the options.
    int run_with(const std::string& source, std::vector<std::string> options) {
        std::vector<std::string> args = {"gx1002s", source, error_option(), "-X8462"};
        args.insert(args.end(), options.begin(), options.end());
        return run(args);
    }

    // The plain lines of a scrambled file (each stored line must end with CR LF).
    static std::vector<std::string> unscrambled_lines(const std::string& path) {
        return scrambled_file_lines(path);
    }

    // The rows of a .pds file, without its header line.
    static std::vector<std::string> rows_of(const std::string& pds) {
        std::vector<std::string> lines = unscrambled_lines(pds);
        if (!lines.empty()) lines.erase(lines.begin());
        return lines;
    }

    static std::vector<std::string> split_lines(const std::string& text) { return crlf_text_lines(text); }

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

}  // namespace gx1002s_test
