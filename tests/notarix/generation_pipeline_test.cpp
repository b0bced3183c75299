// A whole generation as the viewer runs it: the converter's vector, then the
// formatter's vector on its results, down to the pages of the document.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/scramble.h"
#include "common/text/clock.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "platform/kernel/file_io.h"
#include "tests/common/generated_files.h"
#include "tests/common/temp_dir.h"

namespace {

// UPDATE_GOLDEN=1 rewrites the expected documents from this run's output,
// for review with git diff.
void expect_document(const std::string& document, const std::string& golden) {
    const std::string path = std::string(TEST_DATA_DIR) + "/pipeline/" + golden;
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update != nullptr && *update == '1') write_raw(path, document);
    EXPECT_EQ(document, read_raw(path));
}

std::string plain_lines(const std::string& stored) {
    std::string out;
    int number = 0;
    size_t start = 0;
    while (start < stored.size()) {
        size_t lf = stored.find('\n', start);
        if (lf == std::string::npos) lf = stored.size();
        std::string line = stored.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string plain;
        unscramble_line(line, plain, ++number);
        out += plain + "\n";
        start = lf + 1;
    }
    return out;
}

class GenerationPipeline : public ::testing::Test {
protected:
    void SetUp() override {
        reset_analysis_state(kNotarixAnalysis);
        set_clock_for_tests(LocalTime{2024, 4, 1, 9, 30, 0});
    }
    void TearDown() override {
        reset_clock_for_tests();
        reset_analysis_state(kNotarixAnalysis);
    }

    // Runs both entries with the vectors of a single generation run and
    // gives the document in plain form.
    std::string generate(const std::string& fixture, int source_form, int& converter, int& formatter) {
        const std::string data = std::string(TEST_DATA_DIR) + "/";
        const std::string source = dir_.path(fixture + ".c");
        write_raw(source, read_raw(data + "nx1011s/" + fixture + ".c"));
        write_raw(dir_.path("nx1000.css"), read_raw(data + "nx1012/common.css"));
        const std::string error = "-e" + dir_.path() + "\\nx1000.err";
        converter = call_converter(run_function_spec_converter,
                         {"nx1011s", source, error, "-v0", "-i10", "-d3", "-H0", "-mf", "-X8417", ""});
        formatter = call_converter(run_spec_formatter, {"nx1012", "-s" + std::to_string(source_form),
                                              "-c" + dir_.path("nx1000.css"), error, "-f", "-X8417", source});
        // the scratch folder differs from run to run
        std::string document = plain_lines(read_raw(dir_.path(fixture + ".lin")));
        for (size_t at; (at = document.find(dir_.path())) != std::string::npos;)
            document.replace(at, dir_.path().size(), "@DIR@");
        return document;
    }

    TempDir dir_;
};

TEST_F(GenerationPipeline, CommentedSourceBecomesItsDocument) {
    int converter = -1, formatter = -1;
    std::string document = generate("headed", 2, converter, formatter);
    EXPECT_EQ(converter, 0);
    EXPECT_EQ(formatter, 0);
    expect_document(document, "headed.lin");
}

TEST_F(GenerationPipeline, ShiftJisSourceKeepsItsCharactersWhole) {
    int converter = -1, formatter = -1;
    write_raw(dir_.path("nx1000.kwd"), read_raw(std::string(TEST_DATA_DIR) + "/nx1011s/sjis.kwd"));
    std::string document = generate("sjis", 4, converter, formatter);
    EXPECT_EQ(converter, 0);
    EXPECT_EQ(formatter == 0 || formatter == 8, true);
    expect_document(document, "sjis.lin");
}

}  // namespace
