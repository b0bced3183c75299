// GRAVLET's list print jobs and print-all through the menu: the function
// list, the source and the cover with heading files found through KRT, the
// cover refused without its .hd0, print-all reporting its first failure,
// and the result texts in the status bar.
#include <string>
#include <vector>

#include "common/print/print_status.h"
#include "gravlet_fixture.h"
#include "platform/gdi/print_manager.h"
#include "tests/common/printed_lines.h"

namespace {

// プリンタ出力：, 印刷処理, 【 表紙印刷 】
const std::string kPrinterOutput = "\x83v\x83\x8a\x83\x93\x83^\x8fo\x97\xcd\x81\x46";
const char kPrintProcess[] = "\x88\xf3\x8d\xfc\x8f\x88\x97\x9d";
const char kCoverCaption[] = "\x81y \x95\x5c\x8e\x86\x88\xf3\x8d\xfc \x81z";

class GravletPrintJobsTest : public GravletTest {
protected:
    void SetUp() override {
        GravletTest::SetUp();
        clear_print_job_records();
        clear_drawing_log();
    }
    void TearDown() override {
        clear_print_job_records();
        GravletTest::TearDown();
    }

    // The shipped settings with the print header base "head" (a bare name:
    // found in KRT's first directory, the program's) and the cover switch.
    void use_print_settings(const std::string& header_base, bool cover) {
        SettingsRecord record(kGravletSettings);
        record.set_standard_values();
        ASSERT_TRUE(record.set_text(gx_settings::kPrintHeaderBase, header_base));
        record.set_word(gx_settings::kCoverOnFullPrint, cover ? 1 : 0);
        write_settings(std::vector<uint8_t>(record.bytes().begin(), record.bytes().end()));
    }
    void write_heading(const std::string& extension, const std::string& lines) {
        write_raw(program.path("head" + extension), lines);
    }
    std::string interrupted() const { return format_text(message(802).c_str(), kPrintProcess); }
    static bool printed(const std::string& part) {
        for (const PrintedLine& line : printed_lines()) {
            if (line.text.find(part) != std::string::npos) return true;
        }
        return false;
    }
};

TEST_F(GravletPrintJobsTest, FunctionListAndSourceWithHeadingsFoundThroughKrt) {
    use_print_settings("head", false);
    write_heading(".hd1", "LIST HEAD\r\nLIST FOOT\r\n");
    write_heading(".hd3", "SOURCE HEAD\r\nSOURCE FOOT\r\n");
    open_generated("sample.c");

    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionListCommand));
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_EQ(automation::status_text(), message(302));
    ASSERT_EQ(print_job_records().size(), 1u);
    EXPECT_EQ(print_job_records()[0].pages, 1);
    EXPECT_TRUE(printed("LIST HEAD"));
    EXPECT_TRUE(printed("LIST FOOT"));
    // the list's title line is not printed; its first function is line 1,
    // its file without the folder
    EXPECT_FALSE(printed("C function list"));
    EXPECT_TRUE(printed("   1|sample.c"));
    EXPECT_TRUE(printed("count_empty"));

    clear_drawing_log();
    ASSERT_TRUE(automation::choose_menu_command(kPrintSourceCommand));
    EXPECT_EQ(automation::status_text(), message(302));
    ASSERT_EQ(print_job_records().size(), 2u);
    EXPECT_TRUE(printed("SOURCE HEAD"));
    EXPECT_TRUE(printed("   1|/*"));
    EXPECT_TRUE(printed("|int count_empty(void)"));
}

TEST_F(GravletPrintJobsTest, AMissingListHeadingAsksAndCancelGoesNoFurther) {
    use_print_settings("head", false);
    open_generated("sample.c");
    automation::answer_next_message_box(IDCANCEL);
    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionListCommand));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text,
              lower(program.path("head.hd1")) + "\n" + message(606) + "\n" + message(803));
    EXPECT_TRUE(print_job_records().empty());
    EXPECT_EQ(automation::status_text(), interrupted());

    // OK prints the list without header and footer
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionListCommand));
    EXPECT_EQ(automation::status_text(), message(302));
    EXPECT_EQ(print_job_records().size(), 1u);
}

TEST_F(GravletPrintJobsTest, TheCoverIsRefusedWithoutItsHd0EvenAfterOk) {
    use_print_settings("head", false);
    open_generated("sample.c");
    automation::answer_next_message_box(IDYES);  // 印刷を実行しますか？
    automation::answer_next_message_box(IDOK);  // go on without the heading file
    ASSERT_TRUE(automation::choose_menu_command(kPrintCoverCommand));
    ASSERT_EQ(automation::message_boxes().size(), 2u);
    EXPECT_EQ(automation::message_boxes()[1].caption, kCoverCaption);
    EXPECT_EQ(automation::message_boxes()[1].text,
              lower(program.path("head.hd0")) + "\n" + message(606) + "\n" + message(803));
    EXPECT_TRUE(print_job_records().empty());
    EXPECT_EQ(automation::status_text(), interrupted());

    write_heading(".hd0", "THE COVER\r\n\r\nsecond line\r\n");
    automation::answer_next_message_box(IDYES);
    ASSERT_TRUE(automation::choose_menu_command(kPrintCoverCommand));
    EXPECT_EQ(automation::status_text(), message(302));
    ASSERT_EQ(print_job_records().size(), 1u);
    EXPECT_TRUE(printed("THE COVER"));
    EXPECT_TRUE(printed("second line"));
}

TEST_F(GravletPrintJobsTest, PrintAllRunsEveryJobAndReportsTheFirstFailure) {
    use_print_settings("head", true);
    for (const char* extension : {".hd0", ".hd1", ".hd2", ".hd3"}) write_heading(extension, "HEAD\r\nFOOT\r\n");
    open_generated("sample.c");
    const std::string list = lower(dir.path("sample.flt"));
    crt_remove(list.c_str());

    ASSERT_TRUE(automation::choose_menu_command(kPrintAllCommand));
    EXPECT_TRUE(automation::message_boxes().empty());
    // the cover, the PAD and the source printed; the missing list is reported
    ASSERT_EQ(print_job_records().size(), 3u);
    EXPECT_EQ(automation::status_text(), kPrinterOutput + message(100) + "(" + list + ")");
    EXPECT_FALSE(document_state().busy);

    // with every file there, the run ends well
    // the program keeps the name lower-cased; the file is where the test made it
    write_raw(dir.path("sample.flt"), "-----< C function list >-----\r\nsample.c     #   12  count_empty      : counts\r\n");
    ASSERT_TRUE(automation::choose_menu_command(kPrintAllCommand));
    EXPECT_EQ(print_job_records().size(), 7u);
    EXPECT_EQ(automation::status_text(), message(302));
}

TEST_F(GravletPrintJobsTest, ACancelledJobEndsPrintAll) {
    use_print_settings("head", false);
    open_generated("sample.c");
    // Cancel in the function list's heading question: nothing after it runs
    automation::answer_next_message_box(IDCANCEL);
    ASSERT_TRUE(automation::choose_menu_command(kPrintAllCommand));
    EXPECT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_TRUE(print_job_records().empty());
    EXPECT_EQ(automation::status_text(), interrupted());
}

TEST_F(GravletPrintJobsTest, ResultTexts) {
    ASSERT_TRUE(start());
    EXPECT_EQ(print_status_text(0, kGravletPrintStatus), message(302));
    EXPECT_EQ(print_status_text(-2, kGravletPrintStatus), kPrinterOutput + message(713));
    EXPECT_EQ(print_status_text(1, kGravletPrintStatus), kPrinterOutput + message(103));
    EXPECT_EQ(print_status_text(2, kGravletPrintStatus), kPrinterOutput + message(104));
    // out of memory reads as such
    EXPECT_EQ(print_status_text(4, kGravletPrintStatus), kPrinterOutput + message(402));
    EXPECT_EQ(print_status_text(20, kGravletPrintStatus), interrupted());
    EXPECT_EQ(print_status_text(30, kGravletPrintStatus), "");
}

}  // namespace
