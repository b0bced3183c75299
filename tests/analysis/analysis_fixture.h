// Shared ground for the preprocessor tests: a scratch directory, a fresh
// analysis state with an error file in it, and runners that feed a source
// through the line source or the unit source and collect what comes out.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"
#include "tests/common/temp_dir.h"

namespace analysis_test {

using ScratchDir = TempDir;

// One line handed out by next_source_line.
struct SourceLine {
    std::string code;
    std::string comment;
    int line = 0;
    int include_depth = 0;
    bool operator==(const SourceLine&) const = default;
};

inline void PrintTo(const SourceLine& l, std::ostream* os) {
    *os << "{\"" << l.code << "\", \"" << l.comment << "\", " << l.line << ", " << l.include_depth << "}";
}

// The bytes of an error-file line with a file position, as written on disk.
inline std::string error_line(const std::string& name, int line, char kind, int code, const std::string& text,
                              const std::string& detail = "") {
    char head[128];
    std::snprintf(head, sizeof head, "%-12s(%4d) : %c%03d : ", name.c_str(), line, kind, code < 0 ? -code : code);
    return head + text + detail + "\r\n";
}

// ... and without a current file.
inline std::string bare_error_line(char kind, int code, const std::string& text, const std::string& detail = "") {
    char head[64];
    std::snprintf(head, sizeof head, "               : %c%03d : ", kind, code < 0 ? -code : code);
    return head + text + detail + "\r\n";
}

class AnalysisTest : public ::testing::Test {
protected:
    void SetUp() override { start(kNotarixAnalysis); }

    void TearDown() override {
        crt_set_open_limit(-1);
        reset_analysis_state(kNotarixAnalysis);
        // every descriptor the test opened through the tracked table is closed
        EXPECT_EQ(crt_open_count(), open_at_start_);
    }

    // A fresh state for the profile; the error file lies in the scratch dir.
    void start(const AnalysisProfile& profile) {
        reset_analysis_state(profile);
        open_at_start_ = crt_open_count();
        g_analysis.error_file = dir_.path("errors.txt");
        ASSERT_EQ(reset_scanner_state(kResetState | kResetErrorFile), 1);
    }

    std::string write_source(const std::string& relative, const std::string& bytes) {
        std::string path = dir_.path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::string read_bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string error_bytes() const { return read_bytes(g_analysis.error_file); }
    bool error_file_exists() const { return std::filesystem::exists(g_analysis.error_file); }

    // Every line of the source through next_source_line; last_code_ keeps
    // the result that ended the run (-1 at the end of the source).
    std::vector<SourceLine> run_lines(const std::string& path, int max_lines = 5000) {
        std::vector<SourceLine> lines;
        last_code_ = open_source_file(path.c_str());
        if (last_code_ != 1) return lines;
        for (int n = 0; n < max_lines; ++n) {
            SourceLine l;
            last_code_ = next_source_line(l.include_depth, l.code, l.comment, l.line);
            if (last_code_ != 1) break;
            lines.push_back(l);
        }
        return lines;
    }

    std::vector<std::string> codes_of(const std::vector<SourceLine>& lines) {
        std::vector<std::string> codes;
        for (const SourceLine& l : lines) codes.push_back(l.code);
        return codes;
    }

    std::vector<std::string> run_codes(const std::string& path) { return codes_of(run_lines(path)); }

    // Every unit of the source through fetch_source_unit.
    std::vector<SourceUnit> run_units(const std::string& path, int max_units = 5000) {
        std::vector<SourceUnit> units;
        last_code_ = open_source_file(path.c_str());
        if (last_code_ != 1) return units;
        for (int n = 0; n < max_units; ++n) {
            SourceUnit u;
            last_code_ = fetch_source_unit(u);
            if (last_code_ != 1) break;
            units.push_back(u);
        }
        return units;
    }

    ScratchDir dir_;
    int last_code_ = 0;
    int open_at_start_ = 0;
};

}  // namespace analysis_test
