// The function text output: pages of the text grid written row by row
// (golden files in both code sets), the footer's place, the file's line
// ends, and the runs that end early.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/print/function_text.h"
#include "common/print/print_status.h"
#include "common/text/message_table.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "tests/print_jobs/print_jobs_fixture.h"

namespace {

// A form of even width: a box of 41 x 21 cells and a text inside it.
const char kBoxForm[] =
    "PF:14\n"
    "ZO:\n"
    "PP:82,110\n"
    "SP:82,100\n"
    "LW:1\n"
    "BX:1,1,21,41\n"
    "LN:4,1,4,41\n"
    "MV:1,2,3\n"
    "ST:FORM  TITLE\n";

// 【 関数仕様書出力 】
const std::string kCaption = "\x81y \x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd \x81z";

std::string golden_path(const std::string& name) { return std::string(TEST_DATA_DIR) + "/function_text/" + name; }

void expect_text_golden(const std::string& actual, const std::string& name) {
    const std::string expected = read_raw(golden_path(name));
    EXPECT_EQ(actual, expected) << "golden " << name;
    if (actual != expected) write_raw(name + ".actual", actual);
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            out.push_back(text.substr(at));
            break;
        }
        out.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

class SpecTextTest : public PrintJobsTest {
protected:
    void SetUp() override {
        PrintJobsTest::SetUp();
        write_raw(program.path("nx1000.lis"), kBoxForm);
        open_document_text(kTwoFunctions);
        write_header(".hd2", "Head\r\n&N / &P\r\n");
        output = work.path("doc.txt");
    }
    std::string written() const { return read_raw(output); }

    std::string output;
};

TEST_F(SpecTextTest, TwoFunctionsInDosV) {
    ASSERT_EQ(write_spec_text(output, settings), 0);
    expect_text_golden(written(), "two_dosv.txt");
}

TEST_F(SpecTextTest, TwoFunctionsInPc98WithMargins) {
    settings.text_code_set = kRuledLinesPc98;
    settings.text_top_margin = 2;
    settings.text_left_margin = 3;
    settings.text_first_page_number = 7;
    ASSERT_EQ(write_spec_text(output, settings), 0);
    expect_text_golden(written(), "two_pc98_margins.txt");
}

TEST_F(SpecTextTest, TheFooterStandsAtRowEightyOneColumnThree) {
    settings.text_top_margin = 1;
    settings.text_left_margin = 2;
    settings.text_last_function = 1;
    ASSERT_EQ(write_spec_text(output, settings), 0);
    const std::vector<std::string> lines = lines_of(written());
    // rows up to the footer's, counted from 0: 80 + the top margin
    ASSERT_EQ(lines.size(), 82u);
    EXPECT_EQ(lines[81], std::string(4, ' ') + "alpha /    1");
    for (const std::string& line : lines) {
        EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
        EXPECT_EQ(line.find('\r'), std::string::npos);
    }
    EXPECT_EQ(written().substr(written().size() - 2), "\r\n");
}

TEST_F(SpecTextTest, AnEmptyPageGivesNoLines) {
    write_raw(program.path("nx1000.lis"), "PF:14\nZO:\n");
    open_document_text(" [JOV:LIN:V1.00 \nZO:\nZC:\n");
    settings.text_header_base.clear();
    answers.push_back(true);
    ASSERT_EQ(write_spec_text(output, settings), 0);
    EXPECT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(written(), "");
}

TEST_F(SpecTextTest, AFirstFunctionBeyondTheDocument) {
    settings.text_first_function = 3;
    EXPECT_EQ(write_spec_text(output, settings), 30);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, kCaption);
    EXPECT_EQ(boxes_[0].second, format_text(lookup_message(4), 3));
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(SpecTextTest, NoMemoryForTheGrid) {
    platform_fail_next_allocations(1);
    EXPECT_EQ(write_spec_text(output, settings), -3);
    platform_fail_next_allocations(0);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(SpecTextTest, AnOutputThatCannotBeMade) {
    std::filesystem::create_directory(output);
    EXPECT_EQ(write_spec_text(output, settings), 5);
    EXPECT_EQ(print_state().failing_file, output);
    ASSERT_EQ(boxes_.size(), 1u);
    // "出力ファイルオープンエラー" and the name
    EXPECT_EQ(boxes_[0].second, std::string("\x8fo\x97\xcd") + lookup_message(100) + "\n" + output);
    EXPECT_EQ(print_status_text(5, kSpecOutputStatus), format_text(lookup_message(7), output.c_str()));
}

// A link at the work file, to a file outside, is not written through; a
// full disk is a write error, worded as in the other programs. Either way
// the old output stays.
TEST_F(SpecTextTest, AnOutputThatCannotBeWrittenKeepsTheOldOne) {
    TempDir outside;
    const std::string target = outside.path("target");
    write_raw(target, "outside");
    write_raw(output, "old contents\r\n");
    std::filesystem::create_symlink(target, work.path("doc.$tx"));
    EXPECT_EQ(write_spec_text(output, settings), 5);
    EXPECT_EQ(read_raw(target), "outside");
    EXPECT_EQ(written(), "old contents\r\n");
    std::filesystem::remove(work.path("doc.$tx"));

    crt_set_full_disk(".$tx");
    EXPECT_EQ(write_spec_text(output, settings), 6);
    crt_set_full_disk(nullptr);
    EXPECT_EQ(written(), "old contents\r\n");
    // "関数仕様書出力エラー（書き込みエラー）。"
    EXPECT_EQ(print_status_text(6, kSpecOutputStatus), format_text(lookup_message(618), lookup_message(710)));
}

TEST_F(SpecTextTest, AnUnreadableFormEndsTheRun) {
    settings.layout_file = work.path("gone.lis");
    EXPECT_EQ(write_spec_text(output, settings), -1);
    EXPECT_EQ(written(), "");
}

TEST_F(SpecTextTest, CancelKeepsWhatWasWritten) {
    write_raw(output, "old contents\r\n");
    CancelWindow cancel(abort_);
    cancel.press();  // seen at the first record
    EXPECT_EQ(write_spec_text(output, settings), 20);
    EXPECT_EQ(written(), "");
}

TEST_F(SpecTextTest, WithoutAHeaderFileTheUserIsAsked) {
    settings.text_header_base.clear();
    EXPECT_EQ(write_spec_text(output, settings), 20);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].first, kCaption);
    EXPECT_FALSE(std::filesystem::exists(output));
}

}  // namespace
