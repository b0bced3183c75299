// Runs of a batch (one listing scope over many runs) take over the old
// results as later work files: every result must come out byte for byte as
// from runs alone, a failed write must still keep the old results, and the
// batch must leave nothing behind.

#include <string>
#include <vector>

#include "bad_input_fixture.h"
#include "notarix/formatter/nx1012.h"

namespace bad_input_test {
namespace {

// Sources of different lengths, so that a long old result serves a short
// new one and the other way round.
std::string source_of(int functions) {
    std::string text;
    for (int i = 0; i < functions; ++i)
        text += "/* FUNCTION : step " + std::to_string(i) + " */\nint f" + std::to_string(i) +
                "(int x)\n{\n    if (x > " + std::to_string(i) + ")\n        return g(x);\n    do { x--; } while (x);\n    return 0;\n}\n";
    return text;
}

class BatchRuns : public BadInputTest {
protected:
    void TearDown() override {
        crt_set_full_disk(nullptr);
        BadInputTest::TearDown();
    }

    // Every converter over the sources in turn, twice: the second round
    // finds the first round's results.
    void run_all(const std::vector<std::string>& sources) {
        for (int round = 0; round < 2; ++round)
            for (const std::string& source : sources) {
                ASSERT_EQ(run_nx(source), 0) << source;
                ASSERT_EQ(run(run_spec_formatter, {"nx1012", source}), kFormatterOk) << source;
                ASSERT_EQ(run_gx(source, {"-SPdw"}), 0) << source;
                ASSERT_EQ(run_oq(list_, {"-Fb1"}), 0);
            }
    }

    void remove_results() {
        for (const auto& [name, bytes] : snapshot())
            if (name.find(".c") == std::string::npos && name != "all.nam") std::filesystem::remove(dir_.path(name));
    }

    std::vector<std::string> write_sources() {
        list_ = write_file("all.nam", "long.c\nshort.c\nmiddle.c\n");
        return {write_file("long.c", source_of(40)), write_file("short.c", source_of(1)),
                write_file("middle.c", source_of(7))};
    }

    std::string list_;
};

TEST_F(BatchRuns, ResultsAreThoseOfRunsAloneAndNothingIsLeft) {
    const std::vector<std::string> sources = write_sources();
    run_all(sources);
    const auto alone = snapshot();
    ASSERT_GT(alone.size(), 20u);
    remove_results();
    {
        ListingScope batch;
        run_all(sources);
    }
    EXPECT_EQ(snapshot(), alone);
}

TEST_F(BatchRuns, AFailedWriteInABatchKeepsTheOldResults) {
    const std::vector<std::string> sources = write_sources();
    ListingScope batch;
    run_all(sources);
    // the results as the file layer sees them: what a batch keeps for reuse
    // is no file to it
    const auto results_of = [&](std::map<std::string, std::string> files) {
        std::erase_if(files, [&](const auto& file) {
            return file.first.find("1000.err") != std::string::npos || file.first.rfind(".~spare", 0) == 0 ||
                   !crt_exists(dir_.path(file.first).c_str());
        });
        return files;
    };
    const auto before = results_of(snapshot());
    ASSERT_GT(before.size(), 20u);
    for (const char* work : {".$ts", ".$tm", ".$tt"}) {
        crt_set_full_disk(work);
        EXPECT_EQ(run_nx(sources[1]), 255) << work;
        crt_set_full_disk(nullptr);
        EXPECT_EQ(results_of(snapshot()), before) << work;
    }
    crt_set_full_disk(".lnt");
    EXPECT_EQ(run(run_spec_formatter, {"nx1012", sources[1]}), kFormatterIoError);
    crt_set_full_disk(".tmp");
    EXPECT_EQ(run_gx(sources[1], {"-SPdw"}), 255);
    crt_set_full_disk(nullptr);
    EXPECT_EQ(results_of(snapshot()), before);
}

}  // namespace
}  // namespace bad_input_test
