// Shared ground for the tests of bad input to the three converters: a scratch
// directory, a quiet host, each converter's generation vector, and the check
// that a run left files as they were.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/support.h"
#include "gravlet/converter/gx1002s.h"
#include "notarix/converter/nx1011s.h"
#include "orbaline/converter/oq1011s.h"
#include "platform/kernel/file_io.h"
#include "tests/common/generated_files.h"
#include "tests/common/recording_host.h"
#include "tests/common/temp_dir.h"

namespace bad_input_test {

// One function, good in all three converters.
inline const char kGoodSource[] = "/* FUNCTION : does it */\nvoid f(void)\n{\n    g();\n}\n";

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        open_at_start_ = crt_open_count();
        host_.program_directory = dir_.path("program");
        crt_putenv("KRT=");
    }

    void TearDown() override {
        set_pool_block_limit(-1);
        reset_analysis_state(kNotarixAnalysis);
        EXPECT_EQ(crt_open_count(), open_at_start_);
    }

    std::string write_file(const std::string& name, const std::string& bytes) {
        std::string path = dir_.path(name);
        write_raw(path, bytes);
        return path;
    }

    std::string error_file(const char* name) const { return dir_.path(name); }

    int run(int (*converter)(int, char**), std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        if (before_run_) before_run_();
        const int status = converter(static_cast<int>(argv.size()), argv.data());
        if (after_run_) after_run_();
        return status;
    }

    int run_nx(const std::string& source, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"nx1011s", source, "-e" + dir_.path() + "\\nx1000.err", "-v0", "-i10",
                                         "-d3", "-H0", "-X8417"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(run_function_spec_converter, args);
    }

    int run_gx(const std::string& source, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"gx1002s", source, "-ucfc", "-v0", "-i10", "-X8462",
                                         "-e" + dir_.path() + "\\gx1000.err"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(run_pad_generator, args);
    }

    int run_oq(const std::string& list, const std::vector<std::string>& extra = {}, const char* job = "-x") {
        std::vector<std::string> args = {"oq1011s", job, "-v0", "-Fe" + dir_.path() + "\\oq1000.err", "-X8439",
                                         "-i10", "[" + list + "]"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(run_call_tree_generator, args);
    }

    // Every file of the scratch directory with its bytes.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            if (entry.is_regular_file()) files[entry.path().filename().string()] = read_raw(entry.path().string());
        return files;
    }

    static bool exists(const std::string& path) { return file_exists(path); }

    TempDir dir_;
    RecordingHost host_;
    int open_at_start_ = 0;
    // Around the converter's call alone (not the building of its vector).
    std::function<void()> before_run_, after_run_;
};

}  // namespace bad_input_test
