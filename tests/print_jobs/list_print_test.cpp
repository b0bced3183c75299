// List print jobs: numbered lines in pages with header, footer and frame,
// the function list's columns, the cover page, tabs and long lines, the
// page limit, the jobs that end early, and ORBALINE's start page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/text/message_table.h"
#include "platform/gdi/print_manager.h"
#include "tests/common/pdf_pages.h"
#include "tests/print_jobs/print_jobs_fixture.h"

namespace {

// 【 表紙印刷 】
const std::string kCoverCaption = "\x81y \x95\x5c\x8e\x86\x88\xf3\x8d\xfc \x81z";

std::string numbered_lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

class ListPrintTest : public PrintJobsTest {
protected:
    void SetUp() override {
        PrintJobsTest::SetUp();
        // portrait, no top or left margin, pages of P = lines + 6
        settings.top_margin[1] = 0;
        settings.left_margin[1] = 0;
        settings.lines_per_page[1] = 106;
        settings.chars_per_line[1] = 126;
    }
    ListJobRequest request(int kind, const std::string& file, const std::string& extension) {
        ListJobRequest r;
        r.kind = kind;
        r.list_file = file;
        r.macro_file = work.path("doc.c");
        r.header_extension = extension;
        r.settings = settings;
        return r;
    }
    int pdf_page_count() const {
        if (print_job_records().empty()) return 0;
        return pdf_pages(read_raw(print_job_records().back().path)).count;
    }
    // The line of the page a text stands on (80 units a line from y 81).
    static int row_of(const PrintedLine& line) { return (line.y - 41) / 80; }
};

TEST_F(ListPrintTest, LineNumbersRunOnAcrossPages) {
    write_header(".hd3", "Header &P\r\nFooter &P\r\n");
    write_raw(work.path("list.c"), numbered_lines(250));
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 0);
    // 112 - 9 lines of body, less the header's two and the blank line
    EXPECT_EQ(pdf_page_count(), 3);
    const std::vector<PrintedLine> lines = printed_lines();
    const std::string indent = "  ";
    const struct {
        const char* text;
        int page;
    } expected[] = {{"   1|line 1", 1}, {" 100|line 100", 1}, {" 101|line 101", 2}, {" 201|line 201", 3},
                    {" 250|line 250", 3}};
    for (const auto& e : expected) {
        const PrintedLine* line = find_line(lines, indent + e.text);
        ASSERT_NE(line, nullptr) << e.text;
        EXPECT_EQ(line->page, e.page) << e.text;
    }
    EXPECT_EQ(row_of(*find_line(lines, indent + "   1|line 1")), 3);
    const PrintedLine* header = find_line(lines, "Header    2");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->page, 2);
    // the last page is filled to the body's end before its footer
    const PrintedLine* footer = find_line(lines, indent + "Footer    3");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->page, 3);
    EXPECT_EQ(row_of(*footer), 112 - 9 + 1);
}

TEST_F(ListPrintTest, TheFrameWithAndWithoutAHeader) {
    settings.top_margin[1] = 1;
    settings.left_margin[1] = 10;
    settings.lines_per_page[1] = 100;
    settings.outer_frame = true;
    write_header(".hd3", "H\r\nF\r\n");
    write_raw(work.path("list.c"), numbered_lines(5));
    ASSERT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 0);
    std::vector<DrawingLogEntry> boxes = printer_calls("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    // 40 units a column, 80 a line; boxes stand 10 units above their y
    EXPECT_EQ(boxes[0].logical[0], (POINT{40 * 10, 80 * 2 - 12 - 10}));
    EXPECT_EQ(boxes[0].logical[1], (POINT{40 * (12 + 126), 80 * 106 - 412 - 10}));
    EXPECT_EQ(printer_calls("LineTo").size(), 2u);

    clear_drawing_log();
    settings.header_base = work.path("none");
    answers.push_back(true);
    ASSERT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 0);
    boxes = printer_calls("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].logical[1], (POINT{40 * (12 + 126), 80 * 106 - 732 - 10}));
    EXPECT_TRUE(printer_calls("LineTo").empty());
}

TEST_F(ListPrintTest, WithoutAHeaderFileTheUserIsAsked) {
    write_raw(work.path("list.c"), numbered_lines(120));
    settings.header_base.clear();
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 20);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].second, std::string(lookup_message(607)) + "\n" + lookup_message(803));
    EXPECT_TRUE(print_job_records().empty());

    answers.push_back(true);
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 0);
    // the body ends 2 lines higher, where no header took its lines
    const std::vector<PrintedLine> lines = printed_lines();
    ASSERT_NE(find_line(lines, "   100|line 100"), nullptr);
    EXPECT_EQ(find_line(lines, "   100|line 100")->page, 1);
    EXPECT_EQ(row_of(*find_line(lines, "   100|line 100")), 112 - 9 - 2 - 1);
    EXPECT_EQ(find_line(lines, "   101|line 101")->page, 2);
    EXPECT_EQ(lines.back().text, "   120|line 120");
}

TEST_F(ListPrintTest, TheFunctionListInColumns) {
    write_header(".hd1", "List\r\n\r\n");
    write_raw(work.path("doc.flt"),
              "the title line\r\n"
              "doc.c        #   12  alpha            : first function\r\n"
              "doc.c        #   30  beta_function_long_name : second one\r\n");
    EXPECT_EQ(run_list_job(request(kListFunctions, work.path("doc.flt"), ".hd1")), 0);
    const std::vector<PrintedLine> lines = printed_lines();
    for (const PrintedLine& line : lines) EXPECT_EQ(line.text.find("title"), std::string::npos);
    const PrintedLine* alpha = nullptr;
    for (const PrintedLine& line : lines) {
        if (line.text.find("alpha") != std::string::npos) alpha = &line;
    }
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->text.rfind("     1|doc.c", 0), 0u) << alpha->text;
    // the heading names the columns
    bool heading = false;
    for (const PrintedLine& line : lines) {
        heading = heading || (line.text.rfind("  No.  ", 0) == 0 &&
                              line.text.find("\x83t\x83@\x83\x43\x83\x8b\x96\xbc") != std::string::npos);
    }
    EXPECT_TRUE(heading);
}

TEST_F(ListPrintTest, TheCoverPrintsItsLinesEnlarged) {
    write_header(".hd0", "Cover &P of &f\r\n\r\nSecond\r\n");
    EXPECT_EQ(run_list_job(request(kListCover, work.path("head.hd0"), ".hd0")), 0);
    const std::vector<PrintedLine> lines = printed_lines();
    const PrintedLine* cover = find_line(lines, "Cover    1 of head.hd0");
    const PrintedLine* second = find_line(lines, "Second");
    ASSERT_NE(cover, nullptr);
    ASSERT_NE(second, nullptr);
    // the empty line keeps its place
    EXPECT_EQ(row_of(*second) - row_of(*cover), 2);
    EXPECT_EQ(pdf_page_count(), 1);
}

TEST_F(ListPrintTest, TheCoverWithoutItsFileEnds) {
    settings.header_base.clear();
    EXPECT_EQ(run_list_job(request(kListCover, "", ".hd0")), 20);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, kCoverCaption);
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(print_job_records().empty());
}

TEST_F(ListPrintTest, AMissingListFile) {
    write_header(".hd4", "S\r\nF\r\n");
    EXPECT_EQ(run_list_job(request(kListSummary, work.path("doc.fsm"), ".hd4")), 5);
    EXPECT_EQ(print_state().failing_file, work.path("doc.fsm"));
}

TEST_F(ListPrintTest, APrinterThatStopsTakingDataIsNoSuccess) {
    settings.printer_kind = kPrinterLips;
    write_header(".hd3", "H\r\nF\r\n");
    write_raw(work.path("list.c"), numbered_lines(50));
    set_printer_port_write_limit(600);
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), -2);
}

TEST_F(ListPrintTest, AJobStopsAfterNineHundredNinetyNinePages) {
    // one body line a page: 7 + 6 - 9 - 2 (no header) - the blank line
    settings.printer_kind = kPrinterLips;
    settings.lines_per_page[1] = 7;
    settings.header_base.clear();
    answers.push_back(true);
    write_raw(work.path("list.c"), numbered_lines(1005));
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 0);
    const std::string port = port_bytes();
    EXPECT_NE(port.find(" 999|line 999"), std::string::npos);
    EXPECT_EQ(port.find("1000|line 1000"), std::string::npos);
    size_t form_feeds = 0;
    for (const char c : port) form_feeds += c == '\x0c';
    EXPECT_EQ(form_feeds, 998u);  // none after the last page
}

TEST_F(ListPrintTest, CancelStopsTheJob) {
    settings.printer_kind = kPrinterLips;
    write_header(".hd3", "H\r\nF\r\n");
    write_raw(work.path("list.c"), numbered_lines(400));
    CancelWindow cancel(abort_);
    cancel.press();  // a raw write lets it through
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3")), 20);
    EXPECT_EQ(open_printer_port_count(), 0);
    EXPECT_EQ(port_bytes().find("line 400"), std::string::npos);

    // A cancel seen between two lines of a PostScript stream: the stream
    // is taken back, not left to print half a job.
    abort_ = false;
    settings.printer_kind = kPrinterPostScriptMincho;
    ListPrintProfile pressing = kNotarixListPrint;
    int lines = 0;
    pressing.write_line = [&](std::string_view line) {
        if (++lines == 10) abort_ = true;
        return print_text_line_raw(line);
    };
    EXPECT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3"), pressing), 20);
    EXPECT_EQ(lines, 10);
    EXPECT_EQ(print_folder_files(), std::vector<std::string>{});
}

TEST(ListLines, TabsExpandToTheirColumns) {
    std::string out;
    expand_tabs(4, "abc\tx", out);
    EXPECT_EQ(out, "abc x");
    expand_tabs(4, "abcd\tx", out);
    EXPECT_EQ(out, "abcd    x");
    expand_tabs(8, "\t\x8a\xd6\tz", out);
    EXPECT_EQ(out, std::string(8, ' ') + "\x8a\xd6" + std::string(6, ' ') + "z");
    // a width of 0 drops tabs
    expand_tabs(0, "a\tb", out);
    EXPECT_EQ(out, "ab");
}

TEST_F(ListPrintTest, EachProgramPutsTheFunctionListInItsColumns) {
    write_header(".hd1", "List\r\n\r\n");
    write_raw(work.path("doc.flt"), "the title line\r\nsub\\doc.c    #   12  alpha            : first\r\n");
    const auto first_line = [] {
        for (const PrintedLine& line : printed_lines()) {
            if (line.text.find("alpha") != std::string::npos) return line.text;
        }
        return std::string();
    };
    ASSERT_EQ(run_list_job(request(kListFunctions, work.path("doc.flt"), ".hd1")), 0);
    EXPECT_EQ(first_line().rfind("     1|doc.c", 0), 0u) << first_line();
    // ORBALINE keeps the file as the list holds it
    clear_drawing_log();
    ASSERT_EQ(run_list_job(request(kListFunctions, work.path("doc.flt"), ".hd1"), kOrbalineListPrint), 0);
    EXPECT_EQ(first_line().rfind("     1|sub\\doc.c", 0), 0u) << first_line();
}

TEST_F(ListPrintTest, GravletAsksForTheCoversHeaderFileButEndsAnyway) {
    settings.header_base.clear();
    answers.push_back(true);
    EXPECT_EQ(run_list_job(request(kListCover, "", ""), kGravletListPrint), 20);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].first, kCoverCaption);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(print_job_records().empty());
}

// The printed lines of each page, the page numbers taken from 1.
std::vector<std::vector<std::string>> lines_by_page() {
    std::vector<std::vector<std::string>> pages;
    for (const PrintedLine& line : printed_lines()) {
        if (line.page < 1) continue;
        if (pages.size() < static_cast<size_t>(line.page)) pages.resize(static_cast<size_t>(line.page));
        pages[static_cast<size_t>(line.page) - 1].push_back(std::to_string(line.y) + ":" + line.text);
    }
    return pages;
}

TEST_F(ListPrintTest, OrbalineFromAStartPageKeepsTheWholePrintsPages) {
    write_header(".hd3", "Header &P\r\nFooter &P\r\n");
    settings.outer_frame = true;
    write_raw(work.path("list.c"), numbered_lines(250));
    ASSERT_EQ(run_list_job(request(kListSource, work.path("list.c"), ".hd3"), kOrbalineListPrint), 0);
    const std::vector<std::vector<std::string>> whole = lines_by_page();
    ASSERT_EQ(whole.size(), 3u);
    for (const int start : {2, 3}) {
        SCOPED_TRACE(start);
        clear_drawing_log();
        clear_print_job_records();
        ListJobRequest r = request(kListSource, work.path("list.c"), ".hd3");
        r.start_page = start;
        ASSERT_EQ(run_list_job(r, kOrbalineListPrint), 0);
        EXPECT_EQ(pdf_page_count(), 4 - start);
        const std::vector<std::vector<std::string>> pages = lines_by_page();
        ASSERT_EQ(pages.size(), static_cast<size_t>(4 - start));
        for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i], whole[i + static_cast<size_t>(start) - 1]);
        // one frame for each printed page
        EXPECT_EQ(printer_calls("Rectangle").size(), static_cast<size_t>(4 - start));
        EXPECT_TRUE(boxes_.empty());
    }
}

TEST_F(ListPrintTest, OrbalinesFunctionListFromAStartPage) {
    write_header(".hd1", "List &P\r\n\r\n");
    std::string list = "the title line\r\n";
    for (int i = 1; i <= 150; ++i) list += "doc.c    #   " + std::to_string(i) + "  f" + std::to_string(i) + " : x\r\n";
    write_raw(work.path("doc.flt"), list);
    ASSERT_EQ(run_list_job(request(kListFunctions, work.path("doc.flt"), ".hd1"), kOrbalineListPrint), 0);
    const std::vector<std::vector<std::string>> whole = lines_by_page();
    ASSERT_EQ(whole.size(), 2u);
    clear_drawing_log();
    ListJobRequest r = request(kListFunctions, work.path("doc.flt"), ".hd1");
    r.start_page = 2;
    ASSERT_EQ(run_list_job(r, kOrbalineListPrint), 0);
    const std::vector<std::vector<std::string>> pages = lines_by_page();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], whole[1]);
}

TEST_F(ListPrintTest, OrbalinesStartPagePastTheEndPrintsNothingAndSaysSo) {
    write_header(".hd3", "Header &P\r\nFooter &P\r\n");
    write_raw(work.path("list.c"), numbered_lines(250));
    ListJobRequest r = request(kListSource, work.path("list.c"), ".hd3");
    r.start_page = 4;
    ASSERT_EQ(run_list_job(r, kOrbalineListPrint), 0);
    EXPECT_TRUE(printed_lines().empty());
    EXPECT_TRUE(printer_calls("Rectangle").empty());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, list_job_caption(kListSource));
    EXPECT_EQ(boxes_[0].second, format_text(print_message(722).c_str(), 4));
}

TEST_F(ListPrintTest, NotarixAndGravletPrintFromTheFirstPageWhateverTheStartPage) {
    write_header(".hd3", "Header &P\r\nFooter &P\r\n");
    write_raw(work.path("list.c"), numbered_lines(250));
    for (const ListPrintProfile* profile : {&kNotarixListPrint, &kGravletListPrint}) {
        clear_drawing_log();
        clear_print_job_records();
        ListJobRequest r = request(kListSource, work.path("list.c"), ".hd3");
        r.start_page = 3;
        ASSERT_EQ(run_list_job(r, *profile), 0);
        EXPECT_EQ(pdf_page_count(), 3);
        EXPECT_EQ(lines_by_page().size(), 3u);
        EXPECT_TRUE(boxes_.empty());
    }
}

TEST(PrintAllSteps, TheFirstFailureIsTheRunsResult) {
    std::vector<int> ran;
    const auto step = [&ran](int id, int result) {
        return [&ran, id, result] {
            ran.push_back(id);
            return result;
        };
    };
    EXPECT_EQ(run_print_all_steps({step(1, 0), step(2, 5), step(3, -2), step(4, 0)}, false), 5);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
    ran.clear();
    EXPECT_EQ(run_print_all_steps({step(1, 0), step(2, 5), step(3, 0)}, true), 5);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    // a cancel ends the run in either way
    ran.clear();
    EXPECT_EQ(run_print_all_steps({step(1, 20), step(2, 0)}, false), 20);
    EXPECT_EQ(ran, (std::vector<int>{1}));
    EXPECT_EQ(run_print_all_steps({step(1, 0), step(2, 0)}, true), 0);
}

TEST(ListLines, LongLinesAreShortenedAtACharacterBoundary) {
    EXPECT_EQ(shorten_list_line("abcdef", 6), "abcdef");
    EXPECT_EQ(shorten_list_line("abcdefg", 6), "abcdef");
    // the character across the width goes whole; its trail byte 0x7C is no "|"
    EXPECT_EQ(shorten_list_line("abcde\x8a\x7cz", 6), "abcde");
    EXPECT_EQ(shorten_list_line("\x8a\xd6\x8a\xd6\x8a\xd6", 5), "\x8a\xd6\x8a\xd6");
    EXPECT_EQ(shorten_list_line("a\x8a\xd6\x8a\xd6", 4), "a\x8a\xd6");
}

}  // namespace
