// Runs of the three converters over real sources in a scratch folder, with
// the generation runs' vectors, and what their results say: the functions
// of a list, the call edges of a tree.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/text/clock.h"
#include "gravlet/converter/gx1002s.h"
#include "notarix/converter/nx1011s.h"
#include "orbaline/converter/oq1011s.h"
#include "tests/common/generated_files.h"
#include "tests/common/temp_dir.h"

namespace corpus_test {

using Names = std::vector<std::string>;

class ConverterRuns : public ::testing::Test {
protected:
    void SetUp() override {
        current_ = this;
        host_.program_directory = &ConverterRuns::program_directory;
        set_converter_host(&host_);
        set_clock_for_tests(LocalTime{2024, 4, 1, 9, 30, 0});
    }
    void TearDown() override {
        set_converter_host(nullptr);
        reset_clock_for_tests();
        reset_analysis_state(kNotarixAnalysis);
        current_ = nullptr;
    }

    // The shipped control files are looked for here; it stays empty.
    static std::string program_directory() { return current_->dir_.path("program"); }

    std::string error_option(const char* name) const { return "-e" + dir_.path() + "\\" + name; }

    // `includes`: the include modes of quoted and angle-bracket names ("-i10").
    int notarix(const std::string& source, const std::string& includes = "-i10") {
        return call_converter(run_function_spec_converter, {"nx1011s", source, error_option("nx1000.err"), "-v0",
                                                            includes, "-d3", "-H0", "-mf", "-X8417", ""});
    }

    // `numbered`: the rows carry their source lines.
    int gravlet(const std::string& source, const std::string& macro_level = "-d3", const std::string& includes = "-i10",
                bool numbered = true) {
        std::vector<std::string> args = {"gx1002s", source, "-n", "-v0", "-ucfc", includes, "-X8462", "-mf",
                                         "-ti0", "-c24", "-lm21", macro_level, "-C0", error_option("gx1000.err"), ""};
        if (!numbered) args.erase(args.begin() + 2);
        return call_converter(run_pad_generator, args);
    }

    // A tree of the sources named in the list file.
    int orbaline(const std::string& list, const std::string& includes = "-i10") {
        return call_converter(run_call_tree_generator,
                              {"oq1011s", "-x", "-f+", "-v0", "-Fe" + dir_.path() + "\\oq1000.err", "-X8439", "-mf",
                               "-c20", "-d10", "-u0", includes, "-M3", "-R0", "-A0", "-l", "[" + list + "]", ""});
    }

    TempDir dir_;
    ConverterHost host_;
    static inline ConverterRuns* current_ = nullptr;
};

// The function names of a function list, in its order, each with its source
// when `with_file` ("file name").
inline Names listed_functions(const std::string& flt, bool with_file = false) {
    Names names;
    const std::vector<std::string> lines = crlf_text_lines(read_raw(flt));
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t mark = line.find(" # ");
        if (mark == std::string::npos) continue;
        size_t from = line.find_first_not_of(' ', mark + 3);
        from = line.find(' ', from);  // past the line number
        from = line.find_first_not_of(' ', from);
        const size_t to = line.find(" : ", from);
        std::string name = line.substr(from, to - from);
        name.erase(name.find_last_not_of(' ') + 1);
        std::string file = line.substr(0, mark);
        file.erase(file.find_last_not_of(' ') + 1);
        names.push_back(with_file ? file + " " + name : name);
    }
    return names;
}

// The edges of a tree file ("caller>callee"), in the order of its lines.
inline Names tree_edges(const std::string& trd) {
    Names edges, path;
    const std::vector<std::string> lines = scrambled_file_lines(trd);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        size_t at = line.find_first_not_of("0123456789");
        const size_t text = line.find_first_not_of('+', at);
        const size_t depth = text - at - 1;
        std::string name = line.substr(text, line.find_first_of(" ;\t", text) - text);
        path.resize(depth);
        if (depth > 0) edges.push_back(path.back() + ">" + name);
        path.push_back(name);
    }
    return edges;
}

}  // namespace corpus_test
