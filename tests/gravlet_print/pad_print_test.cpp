// The PAD print job: on a recording back end the frames, boxes, round boxes,
// lines and texts at their device units, the page split with the counter in
// the head line, the minimum-row skip and the refusals; through the print
// manager a PDF of one page per function, and a cancel, in the middle or
// at the end, that takes the job back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "gravlet/print/pad_print.h"
#include "platform/gdi/print_manager.h"
#include "tests/common/pdf_pages.h"
#include "tests/gravlet_pad/pad_run_fixture.h"
#include "tests/print/print_fixture.h"

namespace {

using namespace pad_test;

// Every primitive as a line of text: "text y x bytes" with the anchor of the
// last move, "box", "rbox" (with its radius), "line", "width", "ff", "page".
class RecordingPrimitives : public PrimitiveSet {
public:
    int begin_page() override { return log("page"); }
    int form_feed() override { return log("ff"); }
    int set_vector_mode(bool on) override { return log(on ? "vector on" : "vector off"); }
    int select_font(int a, int b, int c) override { return log(numbers("font", {a, b, c})); }
    int set_char_size(int h, int w) override { return log(numbers("size", {h, w})); }
    int move_to(int y, int x) override {
        y_ = y;
        x_ = x;
        return 0;
    }
    int set_line_width(int w) override { return log(numbers("width", {w})); }
    int set_corner_radius(int r) override {
        radius_ = r;
        return 0;
    }
    int draw_box(int x1, int y1, int x2, int y2) override {
        const int r = radius_;
        radius_ = -1;
        return log(r >= 0 ? numbers("rbox", {x1, y1, x2, y2, r}) : numbers("box", {x1, y1, x2, y2}));
    }
    int draw_line(int x1, int y1, int x2, int y2) override { return log(numbers("line", {x1, y1, x2, y2})); }
    int draw_text(std::string_view text) override {
        return log(numbers("text", {y_, x_}) + " " + std::string(text));
    }

    std::vector<std::string> ops;
    int fail_at = -1;  // the op that fails (-1 none)

    bool has(const std::string& op) const { return std::find(ops.begin(), ops.end(), op) != ops.end(); }
    int count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(ops.begin(), ops.end(),
                                              [&](const std::string& o) { return o.rfind(prefix, 0) == 0; }));
    }
    // The texts of the ops, in order, from a prefix on.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const std::string& o : ops) {
            if (o.rfind("text ", 0) == 0) out.push_back(o);
        }
        return out;
    }

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
    int y_ = 0, x_ = 0, radius_ = -1;
};

class PadPrintTest : public PadRunTest {
protected:
    void SetUp() override {
        PadRunTest::SetUp();
        set_print(1, 1000);
    }

    // Landscape: T 2, G 0, C 198, P 69 (A = 63), level 16, at least one row.
    void set_print(int first, int last, int min_rows = 1, const std::string& heading = "", int outer = 1) {
        change_settings([&](SettingsRecord& r) {
            using namespace gx_settings;
            r.set_word(kOrientation, 0);
            r.set_word(kPrintTopMargin, 2, 0);
            r.set_word(kPrintLeftMargin, 0, 0);
            r.set_word(kPrintCharsPerLine, 198, 0);
            r.set_word(kPrintLinesPerPage, 69, 0);
            r.set_word(kPrintLevelWidth, 16);
            r.set_word(kPrintFirstFunction, first);
            r.set_word(kPrintLastFunction, last);
            r.set_word(kPrintLimitLines, min_rows);
            r.set_word(kPrintFirstPageNumber, 7);
            r.set_word(kPrintOuterFrame, outer);
            r.set_text(kPrintHeaderBase, heading);
        });
    }

    int run() {
        PadPrinter printer{draw,
                           [this](int kind, int orientation) {
                               ++begun;
                               EXPECT_EQ(kind, 1);
                               EXPECT_EQ(orientation, 0);
                               return 0;
                           },
                           [this] {
                               ++ended;
                               return 0;
                           },
                           {},
                           {}};
        return run_pad_print_job(input, host, printer);
    }

    RecordingPrimitives draw;
    int begun = 0, ended = 0;
};

TEST_F(PadPrintTest, ShapesAndTextsAtTheirDeviceUnits) {
    set_print(1, 1);  // scale: a name terminal, two statements, a return, the end terminal
    ASSERT_EQ(run(), kPadPrintDone);
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(ended, 1);
    // Without a heading file: the head row enlarged at line T + 1, column G + 1.
    EXPECT_TRUE(draw.has("size 100 200"));
    EXPECT_TRUE(draw.has("text 160 0 scale scales a value 26-12-09 02:43"));
    // The PAD frame (G + 8) x 40 - 320 .. (G + 8 + C - 6) x 40, T x 80 + 68
    // .. (T + A) x 80 + 68; the page frame, held to the page; the rule
    // under the heading.
    EXPECT_TRUE(draw.has("box 0 228 8000 5268"));
    EXPECT_TRUE(draw.has("box 0 10 8080 5280"));
    EXPECT_TRUE(draw.has("line 0 388 8000 388"));
    EXPECT_EQ(draw.count("width 3"), 1);
    // Cell texts from line T + 2 x 1 + 2 = 6; the name terminal starts 6
    // columns left of G + 8, its text one column in.
    EXPECT_TRUE(draw.has("text 400 80  scales a value")) << ::testing::PrintToString(draw.texts());
    // Its round box: l = 2 x 40 - 18, as wide as its text formatted to 2L
    // columns and 100 units more, radius (80 + 40) / 2 - 1.
    EXPECT_TRUE(draw.has("rbox 62 480 " + std::to_string(62 + 32 * 40 + 100) + " 600 59"));
    // A statement box at its column and line.
    bool statement = false;
    for (const std::string& op : draw.ops) {
        int l, t, r, b;
        if (std::sscanf(op.c_str(), "box %d %d %d %d", &l, &t, &r, &b) == 4 && l == 8 * 40 - 18 && b - t == 120)
            statement = true;
    }
    EXPECT_TRUE(statement) << ::testing::PrintToString(draw.ops);
    // The end terminal's text is followed by 8 blanks and the mark.
    bool mark = false;
    for (const std::string& op : draw.texts()) mark = mark || op.find("        26-12-09 02:43") != std::string::npos;
    EXPECT_TRUE(mark);
    EXPECT_EQ(draw.count("ff"), 0);
    EXPECT_EQ(draw.count("page"), 1);
    EXPECT_EQ(pad_print_status_text(kPadPrintDone), lookup_message(302));
}

TEST_F(PadPrintTest, FunctionsAreSeparatedByFormFeedsAndFramedByTheHeadingFile) {
    write_raw(ws.dir.path("pad.hd2"), "Head &f &P\nFoot &P\n");
    set_print(1, 3, 1, ws.dir.path("pad"));
    ASSERT_EQ(run(), kPadPrintDone);
    EXPECT_EQ(draw.count("page"), 3);
    EXPECT_EQ(draw.count("ff"), 2);
    // The header at line T + 1 and the footer in the band at the frame's foot,
    // the page counter from the first page number on.
    EXPECT_TRUE(draw.has("text 160 0 Head output.c    7"));
    EXPECT_TRUE(draw.has("text 5360 0 Foot    7"));
    EXPECT_TRUE(draw.has("text 160 0 Head output.c    9"));
    // With a heading file the head row goes below the header, and the frame
    // takes the footer's lines: (A + T + 5) x 80 - 12; rules at 160, 320 and Y - 172.
    EXPECT_TRUE(draw.has("text 320 0 scale scales a value 26-12-09 02:43"));
    const int y = (63 + 2 + 5) * 80;
    EXPECT_TRUE(draw.has("box 0 228 8000 " + std::to_string(y - 12)));
    EXPECT_TRUE(draw.has("line 0 548 8000 548"));
    EXPECT_TRUE(draw.has("line 0 " + std::to_string(y - 172) + " 8000 " + std::to_string(y - 172)));
    EXPECT_EQ(draw.count("width 2"), 3);

    // Comment rows before the first structure row follow the head row, two lines apart.
    use_pds(ws.fixture("three_functions.pds", Form::CrLf));
    set_print(2, 2, 1, ws.dir.path("pad"));
    draw.ops.clear();
    ASSERT_EQ(run(), kPadPrintDone);
    EXPECT_TRUE(draw.has("text 320 0 name names a code 26-12-09 02:43"));
    EXPECT_TRUE(draw.has("text 480 0 NAME     : name"));
    EXPECT_TRUE(draw.has("text 640 0 RETURN   : the code"));
    // The cell texts start below them: line T + 2 x 3 + 4 = 12.
    EXPECT_TRUE(draw.has("text 880 80  names a code"));
}

// A loop's box is measured over its wrap width (2L - 4 columns), not its
// whole column: the line from its right edge runs forwards to the body's
// column 2L right of the box, and the box stays left of the body's text.
TEST_F(PadPrintTest, ALoopBoxEndsBeforeTheLineToItsBody) {
    set_print(1, 1000);  // down holds a loop with a statement and a call in its body
    ASSERT_EQ(run(), kPadPrintDone);
    int loops = 0;
    for (size_t i = 0; i + 2 < draw.ops.size(); ++i) {
        int l, t, r, b, x1, y1, x2, y2, ex1, ey1, ex2, ey2;
        if (std::sscanf(draw.ops[i].c_str(), "box %d %d %d %d", &l, &t, &r, &b) != 4) continue;
        if (std::sscanf(draw.ops[i + 1].c_str(), "line %d %d %d %d", &ex1, &ey1, &ex2, &ey2) != 4 || ex1 != ex2 ||
            ey1 != t || ey2 != b)
            continue;
        if (std::sscanf(draw.ops[i + 2].c_str(), "line %d %d %d %d", &x1, &y1, &x2, &y2) != 4 || y1 != y2) continue;
        ++loops;
        // The double edge 30 units inside the right one, the line from the
        // box's right edge to the body 2L columns right of the box's left.
        EXPECT_EQ(ex1, r - 30) << draw.ops[i];
        EXPECT_EQ(x1, r) << draw.ops[i + 2];
        EXPECT_EQ(x2, l + 80 * 16) << draw.ops[i + 2];
        EXPECT_LT(x1, x2) << "the line to the body runs backwards: " << draw.ops[i + 2];
        // The box is as wide as the loop's wrapped text, 2L - 4 columns.
        EXPECT_EQ(r - l, (2 * 16 - 4) * 40 + 60) << draw.ops[i];
        // No text of the body on the loop's page starts inside the box.
        size_t page = i;
        while (page > 0 && draw.ops[page] != "page") --page;
        for (size_t k = page; k < i; ++k) {
            const std::string& op = draw.ops[k];
            int y, x;
            if (std::sscanf(op.c_str(), "text %d %d", &y, &x) == 2 && y > t && y < b && x != l + 18) {
                EXPECT_GE(x, r) << op << " inside " << draw.ops[i];
            }
        }
    }
    EXPECT_GE(loops, 1) << ::testing::PrintToString(draw.ops);
}

TEST_F(PadPrintTest, PagesOfALongFunctionCountInTheHeadRow) {
    std::string text = " [JOV:PDS:V1.00 ]\n0001@long many rows\n0001B:\n0001M:many rows\n0001EF:\n";
    for (int i = 1; i <= 80; ++i) text += "0002+N:s" + std::to_string(i) + "\n0002+F:\n";
    text += "0003+E:\n/\n";
    use_pds(ws.write("long.pds", text, Form::Plain));
    ASSERT_EQ(run(), kPadPrintDone);
    EXPECT_EQ(draw.count("page"), 3);
    EXPECT_EQ(draw.count("ff"), 2);
    EXPECT_TRUE(draw.has("text 160 0 long many rows [1/3] 26-12-09 02:43"));
    EXPECT_TRUE(draw.has("text 160 0 long many rows [2/3] 26-12-09 02:43"));
    EXPECT_TRUE(draw.has("text 160 0 long many rows [3/3] 26-12-09 02:43"));
    // Each statement once, none below the PAD area (T + A - 2 lines).
    for (int i = 1; i <= 80; ++i) {
        int found = 0;
        for (const std::string& op : draw.texts()) {
            int y, x;
            char rest[64] = {};
            if (std::sscanf(op.c_str(), "text %d %d %63[^\n]", &y, &x, rest) == 3 &&
                std::string(rest) == "s" + std::to_string(i)) {
                ++found;
                EXPECT_LT(y / 80 + 1, 2 + 63 - 2) << op;
            }
        }
        EXPECT_EQ(found, 1) << i;
    }
}

TEST(PadPrintPages, ARowThatReachesTheLimitGoesOnTheNextPage) {
    // No heading file, T 2, P 69: the text starts on line 4 (3 lines used),
    // the limit is T + A - 2 = 63. Five rows of 10 end on line 53.
    PadPrintJob job;
    job.values.top_margin = 2;
    job.values.lines_per_page = 69;
    PadGrid grid;
    grid.row_count = 6;
    for (int r = 1; r <= 5; ++r) grid.cell(r, 0)->height = 10;
    const std::pair<int, std::string> cases[] = {{9, "1-6 "}, {10, "1-5 6-6 "}};
    for (const auto& [height, pages] : cases) {
        grid.cell(6, 0)->height = static_cast<int16_t>(height);
        std::string split;
        for (const PadPage& p : split_print_pages(grid, job)) split += format_text("%d-%d ", p.first, p.last);
        EXPECT_EQ(split, pages) << height;
    }
}

// A selection of three cases of 20 statements each over three pages: case 2
// (t 4160) ends page 1, case 3 (t 2960) stands on page 2 and the tail (its
// closing line at 1800) on page 3. With l = 302 the right side runs at
// l + S1 = 1346 and its notches reach in to l + S2 = 1218. Where a notch
// crosses a page break it leaves the page below its last row and comes in
// on the next from above its first.
TEST_F(PadPrintTest, ANotchAcrossPagesLeavesAndComesBack) {
    std::string text = " [JOV:PDS:V1.00 ]\n0001@picks many rows\n0001B:\n0001M:many rows\n0001EF:\n0002+S:which\n0002+F:\n";
    for (int c = 1; c <= 3; ++c) {
        text += "0003+C:case" + std::to_string(c) + "\n0003++F:\n";
        for (int i = 1; i <= 20; ++i) text += "0004++N:s" + std::to_string(i) + "\n0004++F:\n";
        text += "0005++E:\n0005+F:\n";
    }
    text += "0006+U:back\n0007+E:\n/\n";
    use_pds(ws.write("picks.pds", text, Form::Plain));
    ASSERT_EQ(run(), kPadPrintDone);
    // per page, the notch lines out of the side (1346 to 1218) and into it
    std::vector<std::vector<std::array<int, 4>>> out, in;
    for (const std::string& op : draw.ops) {
        if (op == "page") out.emplace_back(), in.emplace_back();
        int x1, y1, x2, y2;
        if (out.empty() || std::sscanf(op.c_str(), "line %d %d %d %d", &x1, &y1, &x2, &y2) != 4) continue;
        if (x1 == 1346 && x2 == 1218) out.back().push_back({x1, y1, x2, y2});
        if (x1 == 1218 && x2 == 1346) in.back().push_back({x1, y1, x2, y2});
    }
    ASSERT_EQ(out.size(), 3u) << ::testing::PrintToString(draw.ops);
    // page 1: from case 1 to case 2, then from case 2 out below the last row
    ASSERT_EQ(out[0].size(), 2u);
    EXPECT_EQ(out[0][1][1], 4160);
    EXPECT_GT(out[0][1][3], 4160);
    ASSERT_EQ(in[0].size(), 1u);
    // page 2: in from above to case 3, and out again
    ASSERT_EQ(in[1].size(), 1u);
    EXPECT_LT(in[1][0][1], 2960);
    EXPECT_EQ(in[1][0][3], 2960);
    ASSERT_EQ(out[1].size(), 1u);
    EXPECT_EQ(out[1][0][1], 2960);
    EXPECT_GT(out[1][0][3], 2960);
    // page 3: in from above to the tail's closing line
    ASSERT_EQ(in[2].size(), 1u);
    EXPECT_LT(in[2][0][1], 1800);
    EXPECT_EQ(in[2][0][3], 1800);
    EXPECT_TRUE(out[2].empty());
}

TEST_F(PadPrintTest, MinimumRowsCountContentRowsAfterTheLayout) {
    // Function 7 of output.pds holds only its terminals and flow lines: two
    // content rows after the layout.
    set_print(1, 1000, 3);
    ASSERT_EQ(run(), kPadPrintDone);
    const std::string skipped = format_text(lookup_message(gx_message::kSuppressedFunction), "flows only", 2);
    EXPECT_NE(std::find(host.statuses.begin(), host.statuses.end(), skipped), host.statuses.end());
    for (const std::string& op : draw.texts()) EXPECT_EQ(op.find("flows only lines"), std::string::npos) << op;
    EXPECT_EQ(pad_run_state().last_print_min_rows, 3);

    // A skipped function takes no number: the 7th is the next one.
    draw.ops.clear();
    set_print(7, 7, 3);
    ASSERT_EQ(run(), kPadPrintDone);
    EXPECT_EQ(draw.count("page"), 1);
    EXPECT_FALSE(draw.has("text 160 0 flows only lines 26-12-09 02:43"));
}

TEST_F(PadPrintTest, RefusalsAndFailures) {
    set_print(9, 9);
    EXPECT_EQ(run(), kPadPrintFirstBeyondLast);
    EXPECT_EQ(begun, 0);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].line1, format_text(lookup_message(gx_message::kPrintFirstBeyondLast), 9));

    // Cancel in the heading question: no job.
    set_print(1, 1, 1, ws.dir.path("absent"));
    host.answer = false;
    EXPECT_EQ(run(), kPadPrintCancelled);
    EXPECT_EQ(begun, 0);
    host.answer = true;

    // A printer write that fails ends the job with its error.
    set_print(1, 3);
    draw.fail_at = 5;
    EXPECT_EQ(run(), kPadPrintNoPrinter);
    EXPECT_EQ(ended, 1);
    draw.fail_at = -1;

    // The .pds changed on disk: the read fails with the file's name.
    input.function_count = 8;
    write_raw(input.pds_path, "garbage\n");
    EXPECT_EQ(run(), kPadPrintNotOpened);
    EXPECT_EQ(pad_print_status_text(kPadPrintNotOpened),
              std::string("\x83\x76\x83\x8A\x83\x93\x83\x5E\x8F\x6F\x97\xCD\x81\x46") + lookup_message(100) + "(" +
                  input.pds_path + ")");
    // Out of memory shows the memory message.
    EXPECT_EQ(pad_print_status_text(kPadPrintNoMemory),
              std::string("\x83\x76\x83\x8A\x83\x93\x83\x5E\x8F\x6F\x97\xCD\x81\x46") + lookup_message(402));
    EXPECT_EQ(pad_print_status_text(kPadPrintFirstBeyondLast), "");
}

TEST_F(PadPrintTest, CancelInTheTooManyRowsQuestionEndsTheJob) {
    const std::string text = too_many_rows_text();
    use_pds(ws.write("big.pds", text, Form::Plain));
    host.answer = false;
    write_raw(ws.dir.path("pad.hd2"), "h\nf\n");
    set_print(1, 2, 1, ws.dir.path("pad"));
    EXPECT_EQ(run(), kPadPrintCancelled);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(draw.count("page"), 0);
    EXPECT_EQ(host.open_meters, 0);
}

// Through the print manager: the job becomes a PDF.
class PadPrintManagerTest : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        print_state().host.profile = &kGravletPrintProfile;
        set_message_table(kGravletMessages);
        pad_run_state().reset();
        input.program_directory = ws.dir.path();
        input.pds_path = ws.fixture("output.pds", Form::Scrambled);
        input.source_path = ws.dir.path("output.c");
        host.answer = true;
    }
    void TearDown() override {
        set_message_table(kNotarixMessages);
        PrintFixture::TearDown();
    }
    Workspace ws;
    RecordingHost host;
    PadRunInput input;
};

TEST_F(PadPrintManagerTest, OnePagePerFunction) {
    ASSERT_EQ(run_pad_print_job(input, host), kPadPrintDone);
    const auto jobs = print_job_records();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_FALSE(jobs[0].aborted);
    EXPECT_EQ(jobs[0].pages, 8);
    EXPECT_EQ(pdf_pages(read_raw(jobs[0].path)).count, 8);
    EXPECT_EQ(print_state().job.job_kind, -1) << "the text placement is given back";
    // pdfinfo agrees.
    const std::string command = "pdfinfo '" + jobs[0].path + "' 2>/dev/null | grep '^Pages:'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[128] = {};
    const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
    pclose(pipe);
    ASSERT_TRUE(got);
    EXPECT_EQ(std::string(line).substr(std::string(line).find_first_not_of("Pages: ")), "8\n");
    // The second page (a selection with its cases) as a picture to look at,
    // beside the test's working directory.
    const std::string png = "pdftoppm -png -r 60 -f 2 -l 2 -singlefile '" + jobs[0].path + "' pad_print_page";
    EXPECT_EQ(std::system(png.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists("pad_print_page.png"));
    // And its top left at a size where texts and box edges can be told apart.
    const std::string detail = "pdftoppm -png -r 150 -f 2 -l 2 -x 0 -y 0 -W 900 -H 560 -singlefile '" +
                               jobs[0].path + "' pad_print_detail";
    EXPECT_EQ(std::system(detail.c_str()), 0);
    // The third page's loop with its body beside it.
    const std::string loop = "pdftoppm -png -r 150 -f 3 -l 3 -x 0 -y 0 -W 900 -H 560 -singlefile '" +
                             jobs[0].path + "' pad_print_loop";
    EXPECT_EQ(std::system(loop.c_str()), 0);
}

// A printer that cannot start its document leaves none open behind it.
TEST_F(PadPrintManagerTest, AFailedStartLeavesNoOpenDocument) {
    fail_next_print_call("StartDocA");
    EXPECT_EQ(run_pad_print_job(input, host), kPadPrintNoPrinter);
    EXPECT_FALSE(print_state().device.document_started);
    EXPECT_EQ(print_state().device.dc, nullptr);
    EXPECT_EQ(print_state().job.job_kind, -1) << "the text placement is given back";
    EXPECT_TRUE(print_job_records().empty());
}

// A meter whose Cancel is pressed at a pump; at 0 it is pressed as the meter
// closes after the last page, and only the job's own pump sees it.
class PressingHost : public RecordingHost {
public:
    PressingHost(CancelWindow& meter, int press_at) : meter_(meter), press_at_(press_at) {}
    bool pump() override {
        if (pumps + 1 == press_at_) meter_.press();
        return RecordingHost::pump();
    }
    void close_meter() override {
        RecordingHost::close_meter();
        if (press_at_ == 0) abort_after_pumps = pumps;
    }

private:
    CancelWindow& meter_;
    int press_at_;
};

// Cancelled in the middle (the printer's abort procedure hears of it) or
// at the very end, the job is taken back whole.
TEST_F(PadPrintManagerTest, ACancelledJobIsTakenBack) {
    const struct {
        const char* name;
        int press_at;
        bool every_page;
    } cases[] = {
        {"through the abort procedure", 12, false},
        {"as the meter closes", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clear_print_job_records();
        CancelWindow meter(abort_);
        PressingHost pressing(meter, c.press_at);
        pressing.answer = true;
        ASSERT_EQ(run_pad_print_job(input, pressing), kPadPrintCancelled);
        EXPECT_EQ(pressing.open_meters, 0);
        const auto jobs = print_job_records();
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_TRUE(jobs[0].aborted);
        EXPECT_FALSE(std::filesystem::exists(jobs[0].path));
        EXPECT_EQ(jobs[0].pages == 8, c.every_page);
        EXPECT_EQ(print_state().device.dc, nullptr);
        abort_ = false;
    }
}

}  // namespace

