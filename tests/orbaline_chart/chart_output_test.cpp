// The chart written as a text picture: golden files of the four-node chart
// in both code sets and box sizes, the heading, the failures and their
// result texts.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "common/text/clock.h"
#include "orbaline/chart/working_copy.h"

namespace chart_test {
namespace {

// The heading file, two blank lines above it, three blanks before every
// line and row numbers, in a code set.
void heading_margins_and_numbers(SettingsRecord& r, int code_set) {
    r.set_text(oq_settings::kOutputHeaderFile, "head");
    r.set_word(oq_settings::kOutputTopMargin, 2);
    r.set_word(oq_settings::kOutputLeftMargin, 3);
    r.set_word(oq_settings::kOutputBlockNumbers, 1);
    r.set_word(oq_settings::kOutputCode, code_set);
}

class ChartOutputTest : public ChartTest {
protected:
    void SetUp() override {
        ChartTest::SetUp();
        set_clock_for_tests(LocalTime{2024, 5, 6, 7, 8, 9});
        // "&f" is the chart's name without folder and extension.
        write_raw(program_ + "/head.hd2", "&f  &Y/&M/&D &T  S&S  P&P\r\n-- &f --\r\n");
        copy_fixture("four.trd");
        output_ = dir_.path("four.txt");
        session().hooks.open_meter = [this](const std::string& title, const std::string&, const std::string& path) {
            meter_.push_back("open " + title + " " + path);
        };
        session().hooks.close_meter = [this] { meter_.push_back("close"); };
    }
    void TearDown() override {
        reset_clock_for_tests();
        ChartTest::TearDown();
    }

    int output() {
        if (!session().loaded) {
            EXPECT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
        }
        return output_chart_text(session(), output_);
    }

    // Compares the output with a golden file of tests/data/chart/output
    // (CHART_GOLDEN_UPDATE=1 writes it afresh; review it before committing).
    void expect_golden(const std::string& name) {
        const std::string golden = chart_data("output/" + name);
        if (std::getenv("CHART_GOLDEN_UPDATE")) write_raw(golden, read_raw(output_));
        EXPECT_EQ(read_raw(output_), read_raw(golden)) << name;
    }

    std::string output_;
    std::vector<std::string> meter_;
};

TEST_F(ChartOutputTest, DosVWithMarginsHeadingFooterAndRowNumbers) {
    change_settings([](SettingsRecord& r) { heading_margins_and_numbers(r, 0); });
    ASSERT_EQ(output(), kOutputDone);
    expect_golden("four-dosv.txt");
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(meter_, (std::vector<std::string>{"open " + std::string(kCaptionOutputChart) + " " + output_, "close"}));
    EXPECT_EQ(show_chart_job_result(session(), kOutputDone), message(kMsgOutputDone));
}

TEST_F(ChartOutputTest, Pc98GivesTheSameLayoutInItsOwnCodes) {
    change_settings([](SettingsRecord& r) { heading_margins_and_numbers(r, 1); });
    ASSERT_EQ(output(), kOutputDone);
    expect_golden("four-pc98.txt");
    // Line for line, the same number of bytes as the DOS/V picture.
    const std::vector<std::string> pc98 = crlf_text_lines(read_raw(output_));
    const std::vector<std::string> dosv = crlf_text_lines(read_raw(chart_data("output/four-dosv.txt")));
    ASSERT_EQ(pc98.size(), dosv.size());
    for (size_t i = 0; i < pc98.size(); ++i) EXPECT_EQ(pc98[i].size(), dosv[i].size()) << i;
}

TEST_F(ChartOutputTest, TwoLineBoxesJoinOneRowAboveTheMiddle) {
    change_settings([](SettingsRecord& r) { r.set_word(oq_settings::kOutputBoxLines, 2); });
    ASSERT_EQ(output(), kOutputDone);
    expect_golden("four-lines2.txt");
    // Without a heading file the user was asked and went on.
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, message(kMsgHeadingNotNamed) + "\n" + message(kMsgContinue));
}

TEST_F(ChartOutputTest, ThreeLineWiderBoxes) {
    change_settings([](SettingsRecord& r) {
        r.set_text(oq_settings::kOutputHeaderFile, "head.txt");
        r.set_word(oq_settings::kOutputBoxLines, 3);
        r.set_word(oq_settings::kOutputBoxWidth, 10);
        r.set_word(oq_settings::kOutputBlockNumbers, 1);
    });
    ASSERT_EQ(output(), kOutputDone);
    expect_golden("four-lines3.txt");
}

TEST_F(ChartOutputTest, FileAndBackReferencesBlanked) {
    change_settings([](SettingsRecord& r) {
        r.set_text(oq_settings::kOutputHeaderFile, "head");
        r.set_word(oq_settings::kOutputBoxLines, 2);
        r.set_word(oq_settings::kOutputFileAndLine, 0);
        r.set_word(oq_settings::kOutputReferenceNumbers, 0);
    });
    ASSERT_EQ(output(), kOutputDone);
    expect_golden("four-blanked.txt");
}

TEST_F(ChartOutputTest, OutOfRangeSettingsAreHeldToTheirRanges) {
    change_settings([](SettingsRecord& r) {
        r.set_word(oq_settings::kOutputBoxLines, 9);
        r.set_word(oq_settings::kOutputBoxWidth, 3);
        r.set_word(oq_settings::kOutputLeftMargin, 500);
        r.set_word(oq_settings::kOutputCode, 7);
    });
    ASSERT_EQ(output(), kOutputDone);
    const std::vector<std::string> lines = crlf_text_lines(read_raw(output_));
    // The heading part's empty line, then 4 rows of 5 + 2 lines, then the footer's.
    ASSERT_EQ(lines.size(), 1u + 4 * 7 + 1);
    std::string top = "\x84\xAC";  // ┏, eight ━ (the narrowest box), ┓
    for (int i = 0; i < 8; ++i) top += "\x84\xAA";
    top += "\x84\xAD";
    EXPECT_EQ(lines[1], std::string(20, ' ') + top);
}

TEST_F(ChartOutputTest, AnEditedChartIsWrittenFromItsWorkingCopy) {
    ASSERT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
    session().selected_row = 3;
    session().selected_column = 2;
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    boxes_.clear();
    ASSERT_EQ(output(), kOutputDone);
    const std::string text = read_raw(output_);
    EXPECT_EQ(text.find("reset"), std::string::npos);
    EXPECT_NE(text.find("init"), std::string::npos);
    // The viewer's grid is the working copy's again.
    EXPECT_EQ(session().row_count(), 3);
}

TEST_F(ChartOutputTest, NoToTheHeadingQuestionLeavesNoFile) {
    change_settings([](SettingsRecord& r) { r.set_text(oq_settings::kOutputHeaderFile, "absent"); });
    answers_ = {0};
    EXPECT_EQ(output(), kOutputCancelled);
    EXPECT_FALSE(file_exists(output_));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].kind, ChartBoxKind::Question);
    // Not beside the program's current folder, it was looked for through KRT.
    EXPECT_EQ(boxes_[0].text, program_ + "/absent.hd2\n" + message(kMsgHeadingNotFound) + "\n" + message(kMsgContinue));
    EXPECT_EQ(show_chart_job_result(session(), kOutputCancelled),
              format_text(orbaline_message(kMsgInterrupted), kTextOutputRun));
}

TEST_F(ChartOutputTest, CancelInTheMeterKeepsTheOldFile) {
    write_raw(output_, "old output\r\n");
    int passes = 0;
    session().hooks.keep_going = [&passes] { return ++passes < 6; };
    EXPECT_EQ(output(), kOutputCancelled);
    EXPECT_EQ(read_raw(output_), "old output\r\n");
    EXPECT_FALSE(file_exists(output_ + ".$$$"));
    EXPECT_EQ(meter_.back(), "close");
}

TEST_F(ChartOutputTest, AMissingFolderCannotTakeTheOutput) {
    output_ = dir_.path("no-such-folder/four.txt");
    EXPECT_EQ(output(), kOutputCannotCreate);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].caption, kCaptionOutputChart);
    EXPECT_EQ(boxes_[1].text, std::string(kTextOutput) + "\n" + message(kMsgFileOpenError) + "\n" + output_);
    EXPECT_EQ(show_chart_job_result(session(), kOutputCannotCreate),
              format_text(orbaline_message(kMsgFileOpenErrorNamed), output_.c_str()));
}

TEST_F(ChartOutputTest, AnOutputNamedLikeTheChartIsRefused) {
    const std::string chart = read_raw(dir_.path("four.trd"));
    output_ = dir_.path("FOUR.trd");
    EXPECT_EQ(output(), kOutputCannotCreate);
    EXPECT_EQ(read_raw(dir_.path("four.trd")), chart);
}

TEST_F(ChartOutputTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    write_raw(output_, "old output\r\n");
    ASSERT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
    fail_checked_writes_from(2);
    EXPECT_EQ(output_chart_text(session(), output_), kOutputWriteFailed);
    EXPECT_EQ(read_raw(output_), "old output\r\n");
    EXPECT_FALSE(file_exists(output_ + ".$$$"));
    EXPECT_EQ(show_chart_job_result(session(), kOutputWriteFailed),
              format_text(orbaline_message(kMsgOutputError), orbaline_message(kMsgWriteError)));
}

TEST_F(ChartOutputTest, ResultsNameTheFileThatFailed) {
    ASSERT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
    const std::string settings = program_ + "\\oq1000s.prm";

    write_raw(program_ + "/oq1000s.prm", "OE2.00" + std::string(3945, '\0'));
    EXPECT_EQ(output_chart_text(session(), output_), kOutputSettingsWrongVersion);
    EXPECT_EQ(show_chart_job_result(session(), kOutputSettingsWrongVersion),
              format_text(orbaline_message(kMsgOutputError), settings.c_str()));

    std::filesystem::remove(program_ + "/oq1000s.prm");
    EXPECT_EQ(output_chart_text(session(), output_), kOutputSettingsUnreadable);
    EXPECT_EQ(show_chart_job_result(session(), kOutputSettingsUnreadable),
              format_text(orbaline_message(kMsgFileOpenErrorNamed), settings.c_str()));

    write_raw(program_ + "/oq1000s.prm", read_raw(shipped_settings_path()));
    std::filesystem::remove(dir_.path("four.trd"));
    EXPECT_EQ(output_chart_text(session(), output_), kOutputChartMissing);
    EXPECT_EQ(show_chart_job_result(session(), kOutputChartMissing),
              format_text(orbaline_message(kMsgFileNotFound), dir_.path("four.trd").c_str()));
    EXPECT_FALSE(file_exists(output_));
}

TEST_F(ChartOutputTest, AWorkingCopyThatCannotBeReadIsAReadFailure) {
    ASSERT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
    session().selected_row = 3;
    session().selected_column = 2;
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    std::filesystem::remove(dir_.path("oq$$$$.trd"));
    EXPECT_EQ(output_chart_text(session(), output_), kOutputReadFailed);
    EXPECT_FALSE(file_exists(output_));
}

TEST_F(ChartOutputTest, NoMemoryAndAFailedReadHaveTheirTexts) {
    ASSERT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
    platform_fail_next_allocations(1);
    EXPECT_EQ(output_chart_text(session(), output_), kOutputNoMemory);
    platform_fail_next_allocations(0);
    EXPECT_EQ(show_chart_job_result(session(), kOutputNoMemory),
              format_text(orbaline_message(kMsgOutputError), orbaline_message(kMsgNoMemory)));
    EXPECT_EQ(show_chart_job_result(session(), kOutputReadFailed),
              format_text(orbaline_message(kMsgOutputError), kTextChartReading));
    const int beeps = beeps_;
    EXPECT_EQ(show_chart_job_result(session(), 7), "");
    EXPECT_EQ(beeps_, beeps + 1);
}

}  // namespace
}  // namespace chart_test
