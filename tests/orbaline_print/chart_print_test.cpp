// The chart on the printer: a hand-made chart of 45 rows laid on pages by
// the lines per page with and without a heading file, its footers, the page
// range and printed page numbers, the frame and its rules, boxes, connectors
// and row numbers at their printer units; through the print manager the
// job's drawing log, the PDF's pages and a page picture.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/text/clock.h"
#include "common/text/text_helpers.h"
#include "orbaline/print/chart_print.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/print_manager.h"
#include "tests/common/platform_home.h"
#include "tests/orbaline_chart/chart_fixture.h"

namespace chart_test {
namespace {

// Every primitive as a line: "page", "ff", "width w", "box x1 y1 x2 y2",
// "line x1 y1 x2 y2", "text x y bytes" (y the top of the text's cell).
class RecordingPrimitives : public PrimitiveSet {
public:
    int begin_page() override { return log("page"); }
    int form_feed() override { return log("ff"); }
    int move_to(int y, int x) override {
        x_ = x;
        y_ = y + 80;
        return 0;
    }
    int set_line_width(int w) override { return log("width " + std::to_string(w)); }
    int draw_box(int x1, int y1, int x2, int y2) override { return log(numbers("box", {x1, y1, x2, y2})); }
    int draw_line(int x1, int y1, int x2, int y2) override { return log(numbers("line", {x1, y1, x2, y2})); }
    int draw_text(std::string_view text) override { return log(numbers("text", {x_, y_}) + " " + std::string(text)); }

    int count(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(ops.begin(), ops.end(), [&](const std::string& o) { return o.rfind(prefix, 0) == 0; }));
    }
    bool has(const std::string& op) const { return std::find(ops.begin(), ops.end(), op) != ops.end(); }
    // The ops of page n (from 1), between its "page" and the next "ff".
    std::vector<std::string> page(int n) const {
        std::vector<std::string> out;
        int at = 0;
        for (const std::string& o : ops) {
            if (o == "page") ++at;
            if (at == n && o != "ff") out.push_back(o);
        }
        return out;
    }

    std::vector<std::string> ops;
    int fail_at = -1;

private:
    static std::string numbers(const char* name, std::initializer_list<int> values) {
        std::string s = name;
        for (int v : values) s += " " + std::to_string(v);
        return s;
    }
    int log(const std::string& op) {
        ops.push_back(op);
        return static_cast<int>(ops.size()) - 1 == fail_at ? -1 : 0;
    }
    int x_ = 0, y_ = 0;
};

// "&P" is the printed page number in four places.
std::string page_text(int number) { return format_text("P%4d", number); }

bool contains(const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
}

// A root with 44 callees: every fifth one a level deeper, so the chart has
// tees, corners and lines passing by.
std::vector<std::string> forty_five_rows() {
    std::vector<std::string> lines{header_line(), "1+main;entry\t"};
    for (int i = 2; i <= 45; ++i) {
        const bool deeper = i % 5 == 0;
        lines.push_back(std::to_string(i) + (deeper ? "+++leaf" : "++fn") + std::to_string(i) + ";\t");
    }
    return lines;
}

class ChartPrintTest : public ChartTest {
protected:
    void SetUp() override {
        ChartTest::SetUp();
        set_clock_for_tests(LocalTime{2024, 5, 6, 7, 8, 9});
        write_raw(program_ + "/head.hd2", "HEAD &f P&P\r\nFOOT &f P&P\r\n");
        write_chart("big.trd", forty_five_rows());
        // Landscape, B 4, margin 0 + 2, 198 characters, 45 lines (P 46),
        // pages numbered from 7, frame on, no row numbers.
        change_settings([](SettingsRecord& r) {
            using namespace oq_settings;
            r.set_word(kOrientation, 0);
            r.set_word(kPrintTopMargin, 4, 0);
            r.set_word(kPrintLeftMargin, 0, 0);
            r.set_word(kPrintCharsPerLine, 198, 0);
            r.set_word(kPrintLinesPerPage, 45, 0);
            r.set_word(kPrintFirstPage, 1);
            r.set_word(kPrintLastPage, 999);
            r.set_word(kPrintFirstPageNumber, 7);
            r.set_word(kPrintOuterFrame, 1);
            r.set_word(kPrintBlockNumbers, 0);
            r.set_word(kPrintBoxWidth, 8);
            r.set_word(kPrintBoxLines, 1);
            r.set_text(kPrintHeaderBase, "head");
        });
        ASSERT_EQ(open_chart(session(), dir_.path("big.nam")), 0);
    }
    void TearDown() override {
        reset_clock_for_tests();
        ChartTest::TearDown();
    }

    template <typename Change>
    void settings(Change change) {
        change_settings([&](SettingsRecord& r) { change(r); });
    }

    int print() {
        ChartPrinter printer{draw,
                             [this](int kind, int orientation) {
                                 ++begun;
                                 EXPECT_EQ(kind, 1);
                                 EXPECT_EQ(orientation, 0);
                                 return begin_result;
                             },
                             [this] {
                                 ++ended;
                                 return 0;
                             },
                             {},
                             {}};
        return print_chart(session(), printer);
    }

    RecordingPrimitives draw;
    int begun = 0, ended = 0, begin_result = 0;
};

TEST_F(ChartPrintTest, PagesByLinesPerPageWithAFooterOnEach) {
    // With the heading file rows start at line 9 and end by line 43: 11 a page.
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(draw.count("page"), 5);
    EXPECT_EQ(draw.count("ff"), 4);
    EXPECT_EQ(draw.count("box "), 5 + 45);
    const std::string chart = dir_.path("big");
    for (int page = 1; page <= 5; ++page) {
        const std::vector<std::string> ops = draw.page(page);
        // Header at (80, 5 x 80 - 10), footer under the lower rule at (80, (45 - 1) x 80).
        EXPECT_TRUE(contains(ops, "text 80 390 HEAD big " + page_text(6 + page))) << page;
        EXPECT_TRUE(contains(ops, "text 80 3520 FOOT big " + page_text(6 + page))) << page;
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ChartPrintTest, WithoutAHeadingFileRowsStartHigherAndNoFooter) {
    settings([](SettingsRecord& r) { r.set_text(oq_settings::kPrintHeaderBase, ""); });
    ASSERT_EQ(print(), kPrintDone);
    // The question came first (answered Yes); rows from line 6 to 42: 12 a page.
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.find(message(kMsgHeadingNotNamed)), std::string::npos);
    EXPECT_EQ(draw.count("page"), 4);
    EXPECT_EQ(draw.count("text 80 "), 0);
    // The frame ends four lines higher and has no rules.
    EXPECT_TRUE(draw.has("box 0 388 8000 3348"));
    EXPECT_EQ(draw.count("line 0 "), 0);
}

TEST_F(ChartPrintTest, NoToTheHeadingQuestionPrintsNothing) {
    settings([](SettingsRecord& r) { r.set_text(oq_settings::kPrintHeaderBase, "missing"); });
    answers_.push_back(0);
    EXPECT_EQ(print(), kPrintCancelled);
    EXPECT_EQ(begun, 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.find(message(kMsgHeadingNotFound)), std::string::npos);
}

TEST_F(ChartPrintTest, FrameAndRulesWithTheirPenWidths) {
    ASSERT_EQ(print(), kPrintDone);
    const std::vector<std::string> ops = draw.page(1);
    // x from 40 x 2 - 80 to (2 + 198) x 40; y from 4 x 80 - 12 + 80 to 46 x 80 - 12.
    const std::vector<std::string> expected{"page",
                                            "width 3",
                                            "box 0 388 8000 3668",
                                            "line 0 548 8000 548",
                                            "width 1",
                                            "line 0 3508 8000 3508",
                                            "width 1"};
    ASSERT_GE(ops.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(ops.begin(), ops.begin() + 7), expected);
}

// The root's line runs on to the next page's rows: on paper it stops at the
// frame's bottom (3348) without a heading file, at the footer's rule (3508)
// with one, never crossing them.
TEST_F(ChartPrintTest, ConnectorsGoingOnStopAtTheFrameOrTheFootersRule) {
    const auto lowest_line = [this](int page) {
        int lowest = 0;
        for (const std::string& op : draw.page(page)) {
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            if (std::sscanf(op.c_str(), "line %d %d %d %d", &x1, &y1, &x2, &y2) == 4 && x1 == 320)
                lowest = std::max({lowest, y1, y2});
        }
        return lowest;
    };
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_GT(lowest_line(1), 3000);
    EXPECT_LE(lowest_line(1), 3508);

    draw.ops.clear();
    settings([](SettingsRecord& r) { r.set_text(oq_settings::kPrintHeaderBase, ""); });
    ASSERT_EQ(print(), kPrintDone);
    for (int page = 1; page <= 3; ++page) EXPECT_EQ(lowest_line(page), 3348) << page;
}

TEST_F(ChartPrintTest, FrameOffLeavesOnlyRowsAndHeadings) {
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintOuterFrame, 0); });
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(draw.count("width 3"), 0);
    EXPECT_FALSE(draw.has("box 0 388 8000 3668"));
    EXPECT_EQ(draw.count("box "), 45);
}

TEST_F(ChartPrintTest, BoxesConnectorsAndTextsAtTheirUnits) {
    ASSERT_EQ(print(), kPrintDone);
    const std::vector<std::string> ops = draw.page(1);
    // Row 1 (root, column 0): T = 9; box from (2 + 2) x 40 to (4 + 18) x 40.
    EXPECT_TRUE(contains(ops, "text 200 800 main"));
    EXPECT_FALSE(contains(ops, "text 200 880 entry"));  // L' 1: only the first piece
    EXPECT_TRUE(contains(ops, "box 160 760 880 920"));
    // Row 2 (column 1, a sibling follows): tee at xc = (4 + 2 + 2) x 40, T = 12.
    EXPECT_TRUE(contains(ops, "line 320 920 320 1240"));
    EXPECT_TRUE(contains(ops, "line 320 1080 480 1080"));
    EXPECT_TRUE(contains(ops, "box 480 1000 1200 1160"));
    EXPECT_TRUE(contains(ops, "text 520 1040 fn2"));
    // Row 5 (column 2 under row 4): the root's line passes, then a corner.
    EXPECT_TRUE(contains(ops, "line 320 1640 320 1960"));
    EXPECT_TRUE(contains(ops, "line 640 1640 640 1800"));
    EXPECT_TRUE(contains(ops, "line 640 1800 800 1800"));
    EXPECT_TRUE(contains(ops, "box 800 1720 1520 1880"));
}

TEST_F(ChartPrintTest, RowNumbersBesideTheFirstOrSecondLine) {
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintBlockNumbers, 1); });
    ASSERT_EQ(print(), kPrintDone);
    // L' 1: line T + 1 at x = (5 + 16 + 1) x 40.
    EXPECT_TRUE(draw.has("text 880 800  [1]"));
    EXPECT_TRUE(draw.has("text 1200 1040  [2]"));

    draw.ops.clear();
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintBoxLines, 3); });
    ASSERT_EQ(print(), kPrintDone);
    // L' 3: line T + 2; the second piece on line T + 2 too.
    EXPECT_TRUE(draw.has("text 880 880  [1]"));
    EXPECT_TRUE(draw.has("text 200 880 entry"));
}

TEST_F(ChartPrintTest, StartAndEndPageWithTheirPrintedNumbers) {
    settings([](SettingsRecord& r) {
        r.set_word(oq_settings::kPrintFirstPage, 2);
        r.set_word(oq_settings::kPrintLastPage, 3);
    });
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(draw.count("page"), 2);
    // One form feed between the two pages, none after the end page.
    EXPECT_EQ(draw.count("ff"), 1);
    EXPECT_EQ(draw.ops.back(), "text 80 3520 FOOT big " + page_text(8));
    EXPECT_TRUE(draw.has("text 80 390 HEAD big " + page_text(7)));
    // Page 2 starts with row 12.
    EXPECT_FALSE(draw.has("text 520 1040 fn2"));
    EXPECT_TRUE(draw.has("text 520 800 fn12"));
    EXPECT_FALSE(draw.has("text 520 800 fn34"));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ChartPrintTest, StartPagePastTheEndShowsTheMessageAndPrintsNothing) {
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintFirstPage, 6); });
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(begun, 0);
    EXPECT_TRUE(draw.ops.empty());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].kind, ChartBoxKind::Notice);
    EXPECT_EQ(boxes_[0].text, format_text(orbaline_message(722), 6));
    // kept for the message line, which must not read as a finished print
    EXPECT_EQ(chart_output_state().start_past_end, 6);

    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintFirstPage, 5); });
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(chart_output_state().start_past_end, 0);
}

TEST_F(ChartPrintTest, ALastPagePast997PrintsToTheEnd) {
    settings([](SettingsRecord& r) {
        r.set_word(oq_settings::kPrintFirstPage, 4);
        r.set_word(oq_settings::kPrintLastPage, 998);
    });
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(draw.count("page"), 2);
    EXPECT_TRUE(draw.has("text 80 3520 FOOT big " + page_text(8)));

    draw.ops.clear();
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintLastPage, 997); });
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_EQ(draw.count("page"), 2);
}

TEST_F(ChartPrintTest, TabsExpandToTheTabWidthAndAWidthOfZeroDropsThem) {
    write_chart("big.trd", {header_line(), "1+a\tb;\t"}, false);
    // The reader keeps the first TAB of a text; a width of 4 pads to column 4.
    EXPECT_EQ(expand_print_tabs("a\tb", 4), "a   b");
    EXPECT_EQ(expand_print_tabs("\x83\x41\tb", 4), "\x83\x41  b");
    EXPECT_EQ(expand_print_tabs("a\tb\t", 0), "ab");
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kTabWidth, 0); });
    session().modified = false;
    ASSERT_EQ(print(), kPrintDone);
    EXPECT_TRUE(draw.has("text 200 800 ab"));
}

TEST_F(ChartPrintTest, BoxWidthAndLinesOutOfRangeAreHeld) {
    SettingsRecord record(kOrbalineSettings);
    ASSERT_EQ(read_settings_file(record, program_), kSettingsOk);
    record.set_word(oq_settings::kPrintBoxWidth, 200);
    record.set_word(oq_settings::kPrintBoxLines, 0);
    ChartPrintValues v = chart_print_values(record);
    EXPECT_EQ(v.box_width, 32);
    EXPECT_EQ(v.box_lines, 1);
    record.set_word(oq_settings::kPrintBoxWidth, 3);
    record.set_word(oq_settings::kPrintBoxLines, 40);
    v = chart_print_values(record);
    EXPECT_EQ(v.box_width, 8);
    EXPECT_EQ(v.box_lines, 5);
    // The largest boxes on the smallest page still give one row a page.
    v.lines_per_page = 30;
    v.top_margin = 6;
    EXPECT_GE(chart_rows_per_page(v, true), 1);
}

TEST_F(ChartPrintTest, AFailedWriteEndsTheJobWithMinusTwo) {
    draw.fail_at = 20;
    EXPECT_EQ(print(), kPrintNoPrinter);
    EXPECT_EQ(static_cast<int>(draw.ops.size()), 21);
    EXPECT_EQ(ended, 1);

    draw.ops.clear();
    draw.fail_at = -1;
    begin_result = -2;
    EXPECT_EQ(print(), kPrintNoPrinter);
    EXPECT_TRUE(draw.ops.empty());
}

TEST_F(ChartPrintTest, CancelOnTheMeterEndsThePagesAndTheJob) {
    int asked = 0;
    session().hooks.keep_going = [&asked] { return ++asked < 15; };
    EXPECT_EQ(print(), kPrintCancelled);
    EXPECT_EQ(ended, 1);
    // Rows 1 to 14 were drawn, on the first two pages.
    EXPECT_EQ(draw.count("page"), 2);
    EXPECT_TRUE(draw.has("text 520 800 fn12"));
    EXPECT_TRUE(draw.has("text 520 1280 fn14"));
    // leaf5 and leaf10, not leaf15.
    EXPECT_EQ(draw.count("text 840 "), 2);
}

TEST_F(ChartPrintTest, AMissingChartIsFiveAndNamesThePath) {
    std::filesystem::remove(dir_.path("big.trd"));
    EXPECT_EQ(print(), kPrintChartNotOpened);
    EXPECT_EQ(begun, 0);
    EXPECT_EQ(chart_output_state().remembered_path, session().chart_path);
}

// Through the print manager, into a PDF.
class ChartPrintManagerTest : public ChartPrintTest {
protected:
    void SetUp() override {
        ChartPrintTest::SetUp();
        clear_print_job_records();
        clear_drawing_log();
        print_state().reset();
        print_state().host = PrintHost{};
        print_state().host.notify = [this](std::string_view caption, std::string_view text) {
            notices_.emplace_back(std::string(caption) + " " + std::string(text));
        };
    }
    void TearDown() override {
        delete_setup_printer_dc();
        print_state().reset();
        print_state().host = PrintHost{};
        ChartPrintTest::TearDown();
    }

    static int pdf_page_count(const std::string& pdf) {
        const std::string command = "pdfinfo '" + pdf + "' 2>/dev/null | grep '^Pages:'";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return -1;
        char line[128] = {};
        const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
        pclose(pipe);
        int pages = -1;
        if (read) std::sscanf(line, "Pages: %d", &pages);
        return pages;
    }

    ScopedPlatformHome home_;
    std::vector<std::string> notices_;
};

TEST_F(ChartPrintManagerTest, APdfOfFivePagesWithTheDocumentName) {
    ASSERT_EQ(print_chart(session()), kPrintDone);
    const std::vector<PrintJobRecord> jobs = print_job_records();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].document_name, "OQW32_print[" + session().chart_path + "]");
    EXPECT_EQ(jobs[0].pages, 5);
    EXPECT_EQ(pdf_page_count(jobs[0].path), 5);

    // The drawing log: the frame on every page in a pen 6 units wide, the
    // rules and boxes in 2, texts 10 units below the cell top.
    const std::vector<DrawingLogEntry> entries = drawing_log_last_print_job();
    int frames = 0, footers = 0, last_page = 0;
    for (const DrawingLogEntry& e : entries) {
        last_page = std::max(last_page, e.page);
        if (e.op == "Rectangle" && e.logical.size() == 2 && e.logical[0].x == 0 && e.logical[1].x == 8000) {
            ++frames;
            EXPECT_EQ(e.logical[0].y, 378);
            EXPECT_EQ(e.logical[1].y, 3658);
            EXPECT_NE(e.params.find("pen=solid,6,"), std::string::npos) << e.params;
        }
        if (e.op == "Rectangle" && e.logical.size() == 2 && e.logical[0].x == 160) {
            EXPECT_NE(e.params.find("pen=solid,2,"), std::string::npos) << e.params;
        }
        if (e.op == "TextOutA" && e.text.rfind("FOOT", 0) == 0) {
            ++footers;
            EXPECT_EQ(e.text, "FOOT big " + page_text(6 + e.page));
            EXPECT_EQ(e.logical[0].y, 3530);
        }
    }
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(footers, 5);
    EXPECT_EQ(last_page, 5);

    // A picture of the first page, for a look.
    const std::string png = "pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + jobs[0].path + "' chart_print_page";
    EXPECT_EQ(std::system(png.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists("chart_print_page.png"));
    const std::string detail = "pdftoppm -png -r 150 -f 1 -l 1 -x 0 -y 0 -W 900 -H 560 -singlefile '" +
                               jobs[0].path + "' chart_print_detail";
    EXPECT_EQ(std::system(detail.c_str()), 0);
}

TEST_F(ChartPrintManagerTest, AStartPagePastTheEndStartsNoJob) {
    settings([](SettingsRecord& r) { r.set_word(oq_settings::kPrintFirstPage, 9); });
    ASSERT_EQ(print_chart(session()), kPrintDone);
    EXPECT_TRUE(print_job_records().empty());
    EXPECT_TRUE(drawing_log_last_print_job().empty());
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, format_text(orbaline_message(722), 9));
}

TEST_F(ChartPrintManagerTest, AFailedStartLeavesNoOpenDocument) {
    fail_next_print_call("StartDocA");
    EXPECT_EQ(print_chart(session()), kPrintNoPrinter);
    EXPECT_FALSE(print_state().device.document_started);
    EXPECT_EQ(print_state().device.dc, nullptr);
    EXPECT_EQ(notices_.size(), 1u);
}

TEST_F(ChartPrintManagerTest, APageThePrinterRefusesEndsTheJobWithMinusTwo) {
    fail_next_print_call("EndPage");
    EXPECT_EQ(print_chart(session()), kPrintNoPrinter);
    EXPECT_FALSE(print_state().device.document_started);
}

}  // namespace
}  // namespace chart_test
