// ORBALINE's list print jobs and print-all through the menu: the sources
// with their margin, line numbers, cuts at a character boundary and tabs;
// the function list in columns; the sources' fallbacks; the cover without
// a heading name; print-all with and without the cover, stopping at the
// first failing job; the result texts in the message line; the chart's
// page range, which the lists do not follow, and a chart start page past
// its end, which the message line does not report as printed.
#include <strings.h>

#include <string>
#include <vector>

#include "common/print/list_print.h"
#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/print_commands.h"
#include "orbaline_fixture.h"
#include "platform/gdi/print_manager.h"
#include "platform/kernel/file_io.h"
#include "tests/common/printed_lines.h"

namespace {

// プリンタ出力：, 印刷処理, 【 表紙印刷 】
const std::string kPrinterOutput = "\x83v\x83\x8a\x83\x93\x83^\x8fo\x97\xcd\x81\x46";
const char kPrintProcess[] = "\x88\xf3\x8d\xfc\x8f\x88\x97\x9d";
const char kCoverCaption[] = "\x81y \x95\x5c\x8e\x86\x88\xf3\x8d\xfc \x81z";

enum : UINT {
    kPrintAll = 24580,
    kPrintCover = 24581,
    kPrintFunctionList = 24582,
    kPrintChart = 24583,
    kPrintSources = 24584,
};

class OrbalinePrintJobsTest : public OrbalineTest {
protected:
    void SetUp() override {
        OrbalineTest::SetUp();
        clear_print_job_records();
        clear_drawing_log();
        use_print_settings("head", false, "");
    }
    void TearDown() override {
        clear_print_job_records();
        OrbalineTest::TearDown();
    }

    // Landscape pages of 60 characters after a left margin of 3, a tab
    // width of 4, the header base, the cover switch, the print file and the
    // chart's page range.
    void use_print_settings(const std::string& header_base, bool cover, const std::string& source,
                            int first_page = 1, int last_page = 999) {
        SettingsRecord record(kOrbalineSettings);
        record.set_standard_values();
        record.set_word(oq_settings::kOrientation, 0);
        record.set_word(oq_settings::kPrintCharsPerLine, 60, 0);
        record.set_word(oq_settings::kPrintLeftMargin, 3, 0);
        record.set_word(oq_settings::kTabWidth, 4);
        record.set_word(oq_settings::kCoverOnPrintAll, cover ? 1 : 0);
        ASSERT_TRUE(record.set_text(oq_settings::kPrintHeaderBase, header_base));
        ASSERT_TRUE(record.set_text(oq_settings::kSourcePrintFile, source));
        record.set_word(oq_settings::kPrintFirstPage, first_page);
        record.set_word(oq_settings::kPrintLastPage, last_page);
        write_settings(std::vector<uint8_t>(record.bytes().begin(), record.bytes().end()));
        // as the print parameters dialog leaves them: on disk and in memory
        if (started) shell_settings() = record;
    }
    // Heading files in the program directory, found through KRT.
    void write_headings() {
        for (const char* extension : {".hd0", ".hd1", ".hd2", ".hd3"})
            write_raw(program.path(std::string("head") + extension), "HEAD &P\r\nFOOT\r\n");
    }
    void open_chart() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_list(dir.path("two.nam")));
        ASSERT_TRUE(chart().loaded);
    }
    std::string interrupted() const { return format_text(message(802).c_str(), kPrintProcess); }
    static const PrintedLine* line_with(const std::vector<PrintedLine>& lines, const std::string& part) {
        for (const PrintedLine& line : lines) {
            if (line.text.find(part) != std::string::npos) return &line;
        }
        return nullptr;
    }
};

TEST_F(OrbalinePrintJobsTest, SourcesWithMarginNumbersCutsAndTabs) {
    write_headings();
    // 10 bytes go before the text (5 blanks, "%4d|"); a double-byte
    // character on bytes 59 and 60 would cross the width of 60
    const std::string wide = std::string(49, 'a') + "\x8a\xbf" + "tail";
    write_raw(dir.path("wide.c"), "\tx = 1;\r\n" + wide + "\r\nab\tc\r\n");
    use_print_settings("head", false, dir.path("wide.c"));
    open_chart();
    ASSERT_TRUE(automation::choose_menu_command(kPrintSources));
    EXPECT_EQ(automation::status_text(), message(302));
    ASSERT_EQ(print_job_records().size(), 1u);
    const std::vector<PrintedLine> lines = printed_lines();
    EXPECT_NE(find_line(lines, "        1|    x = 1;"), nullptr);
    EXPECT_NE(find_line(lines, "        2|" + std::string(49, 'a')), nullptr) << "cut before the character";
    EXPECT_NE(find_line(lines, "        3|ab  c"), nullptr);
    EXPECT_NE(line_with(lines, "HEAD"), nullptr);
}

TEST_F(OrbalinePrintJobsTest, TheFunctionListKeepsItsFileColumnAsWritten) {
    write_headings();
    open_chart();
    write_raw(dir.path("two.flt"),
              "-----< C function list >-----\r\n"
              "sub\\alpha.c  #    4  main             : the main one\r\n"
              "beta.c       #    1  square           : square\r\n");
    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionList));
    EXPECT_EQ(automation::status_text(), message(302));
    const std::vector<PrintedLine> lines = printed_lines();
    EXPECT_EQ(line_with(lines, "C function list"), nullptr);
    const PrintedLine* first = line_with(lines, "   1|sub\\alpha.c");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->text.find("main"), std::string::npos);
    EXPECT_NE(first->text.find("the main one"), std::string::npos);
    EXPECT_NE(line_with(lines, "   2|beta.c"), nullptr);
}

TEST_F(OrbalinePrintJobsTest, SourcesFallBackToTheShownSourceThenTheList) {
    write_headings();
    open_chart();
    // the print file of the settings first
    write_raw(dir.path("own.c"), "own source\r\n");
    use_print_settings("head", false, dir.path("own.c"));
    EXPECT_EQ(run_chart_list_job(kListSource), 0);
    EXPECT_NE(line_with(printed_lines(), "|own source"), nullptr);

    // then the source shown
    use_print_settings("head", false, "");
    clear_drawing_log();
    document_state().source_name = dir.path("beta.c");
    EXPECT_EQ(run_chart_list_job(kListSource), 0);
    EXPECT_NE(line_with(printed_lines(), "|int square(int x)"), nullptr);

    // then the chart's list
    clear_drawing_log();
    document_state().source_name.clear();
    EXPECT_EQ(run_chart_list_job(kListSource), 0);
    EXPECT_NE(line_with(printed_lines(), "   1|alpha.c"), nullptr);
    EXPECT_NE(line_with(printed_lines(), "   2|beta.c"), nullptr);
}

TEST_F(OrbalinePrintJobsTest, TheCoverWithoutAHeadingNameOnlyInforms) {
    use_print_settings("", false, "");
    open_chart();
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kPrintCover));
    ASSERT_NE(last_box(), nullptr);
    EXPECT_EQ(last_box()->caption, kCoverCaption);
    EXPECT_EQ(last_box()->text, message(607) + "\n" + message(803));
    EXPECT_TRUE(print_job_records().empty());
    EXPECT_EQ(automation::status_text(), interrupted());

    write_headings();
    use_print_settings("head", false, "");
    ASSERT_TRUE(automation::choose_menu_command(kPrintCover));
    EXPECT_EQ(automation::status_text(), message(302));
    EXPECT_EQ(print_job_records().size(), 1u);
}

TEST_F(OrbalinePrintJobsTest, PrintAllWithAndWithoutTheCover) {
    write_headings();
    open_chart();
    ASSERT_TRUE(automation::choose_menu_command(kPrintAll));
    EXPECT_EQ(automation::status_text(), message(302));
    // the function list, the chart and the sources
    ASSERT_EQ(print_job_records().size(), 3u);
    EXPECT_NE(print_job_records()[1].document_name.find("OQW32_print["), std::string::npos);

    use_print_settings("head", true, "");
    clear_print_job_records();
    ASSERT_TRUE(automation::choose_menu_command(kPrintAll));
    EXPECT_EQ(automation::status_text(), message(302));
    EXPECT_EQ(print_job_records().size(), 4u);
    EXPECT_FALSE(document_state().busy);
}

TEST_F(OrbalinePrintJobsTest, AFailingMiddleJobEndsPrintAllAndIsTheOneReported) {
    write_headings();
    use_print_settings("head", true, "");
    open_chart();
    const std::string list = dir.path("two.flt");
    crt_remove(list.c_str());
    ASSERT_TRUE(automation::choose_menu_command(kPrintAll));
    // the cover printed; neither the chart nor the sources after the list
    EXPECT_EQ(print_job_records().size(), 1u);
    EXPECT_EQ(automation::status_text().rfind(kPrinterOutput + message(100) + "(", 0), 0u)
        << automation::status_text();
    EXPECT_NE(automation::status_text().find("two.flt)"), std::string::npos);
}

TEST_F(OrbalinePrintJobsTest, ResultTexts) {
    ASSERT_TRUE(start());
    const auto text = [](int result) { return print_status_text(result, kOrbalinePrintStatus); };
    EXPECT_EQ(text(-2), kPrinterOutput + message(713));
    EXPECT_EQ(text(-1), kPrinterOutput + message(202));
    EXPECT_EQ(text(0), message(302));
    EXPECT_EQ(text(1), kPrinterOutput + message(103));
    EXPECT_EQ(text(2), kPrinterOutput + message(104));
    EXPECT_EQ(text(3), kPrinterOutput + message(201));
    EXPECT_EQ(text(4), kPrinterOutput + message(402));
    print_state().failing_file = "x.flt";
    EXPECT_EQ(text(5), kPrinterOutput + message(100) + "(x.flt)");
    EXPECT_EQ(text(20), interrupted());
    EXPECT_EQ(text(7), "");

    // shown in the message line, with a beep
    const size_t beeps = automation::beeps().size();
    show_list_job_result(4);
    EXPECT_EQ(automation::status_text(), kPrinterOutput + message(402));
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
}

// PRNDLG's start and end pages are the chart's: a source of one page
// prints whole under a chart range of pages 3 to 4.
TEST_F(OrbalinePrintJobsTest, ListJobsPrintFromTheirFirstPageWhateverTheChartsRange) {
    write_headings();
    write_raw(dir.path("short.c"), "only line\r\n");
    use_print_settings("head", false, dir.path("short.c"), 3, 4);
    open_chart();
    const size_t boxes = automation::message_boxes().size();
    ASSERT_TRUE(automation::choose_menu_command(kPrintSources));
    EXPECT_EQ(automation::status_text(), message(302));
    EXPECT_EQ(automation::message_boxes().size(), boxes) << "no start-page message";
    ASSERT_EQ(print_job_records().size(), 1u);
    const std::vector<PrintedLine> lines = printed_lines();
    const PrintedLine* body = line_with(lines, "   1|only line");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->page, 1);
    const PrintedLine* header = line_with(lines, "HEAD");
    ASSERT_NE(header, nullptr);
    EXPECT_NE(header->text.find(" 1"), std::string::npos) << header->text;

    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionList));
    EXPECT_EQ(automation::status_text(), message(302));
    EXPECT_EQ(print_job_records().size(), 2u);
}

// The chart of two sources fits one page: a start page of 5 prints nothing,
// the box says why and so does the message line; the result stays 0.
TEST_F(OrbalinePrintJobsTest, AChartStartPagePastTheEndIsNotReportedAsPrinted) {
    write_headings();
    use_print_settings("head", false, "", 5, 999);
    open_chart();
    const std::string past_end = format_text(message(722).c_str(), 5);
    automation::answer_next_message_box(IDOK);
    const size_t beeps = automation::beeps().size();
    EXPECT_EQ(run_orbaline_print_command(frame(), kPrintChart), 0);
    EXPECT_TRUE(print_job_records().empty());
    ASSERT_NE(last_box(), nullptr);
    EXPECT_EQ(last_box()->text, past_end);
    EXPECT_EQ(automation::status_text(), kPrinterOutput + past_end);
    EXPECT_GT(automation::beeps().size(), beeps);
    EXPECT_FALSE(document_state().busy);

    // the next print from page 1 is a printed one again
    use_print_settings("head", false, "", 1, 999);
    ASSERT_TRUE(automation::choose_menu_command(kPrintChart));
    EXPECT_EQ(automation::status_text(), message(302));
    EXPECT_EQ(print_job_records().size(), 1u);
}

// The chart file gone under the open chart: its path in the message line.
TEST_F(OrbalinePrintJobsTest, AChartThatCannotBeOpenedIsNamedInTheMessageLine) {
    write_headings();
    open_chart();
    const std::string trd = dir.path("two.trd");
    ASSERT_EQ(crt_remove(trd.c_str()), 0);
    EXPECT_EQ(run_orbaline_print_command(frame(), kPrintChart), 5);
    EXPECT_TRUE(print_job_records().empty());
    // the program keeps the chart's path lower-cased
    const std::string expected = kPrinterOutput + message(100) + "(" + trd + ")";
    EXPECT_EQ(strcasecmp(automation::status_text().c_str(), expected.c_str()), 0) << automation::status_text();
}

// In print-all the lists still print: the run as a whole printed, and says so.
TEST_F(OrbalinePrintJobsTest, PrintAllWithTheChartPastItsEndPrintsTheLists) {
    write_headings();
    use_print_settings("head", false, "", 5, 999);
    open_chart();
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kPrintAll));
    ASSERT_NE(last_box(), nullptr);
    EXPECT_EQ(last_box()->text, format_text(message(722).c_str(), 5));
    // the function list and the sources
    EXPECT_EQ(print_job_records().size(), 2u);
    EXPECT_EQ(automation::status_text(), message(302));
}

}  // namespace
