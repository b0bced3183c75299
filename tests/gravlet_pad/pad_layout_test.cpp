// The PAD layout: flow lines, bodies beside their loop and case heads, blank
// rows shrunk, the end terminal, line breaks per kind and level width (also
// through double-byte texts), the page split and the measured positions.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gravlet/pad/pad_layout.h"
#include "tests/gravlet_pad/pad_fixture.h"

namespace {

using namespace pad_test;

class PadLayoutTest : public ::testing::Test {
protected:
    // The function's rows laid out as the view loads them.
    PadDocument& load(const std::string& rows, int level = 16, int chars = 198) {
        view = std::make_unique<ViewFixture>(ws.write("f.pds", " [JOV:PDS\n" + rows + "/\n", Form::Plain));
        EXPECT_EQ(view->open(ws.dir.path()), kPadIndexOk);
        view->doc.level_width = level;
        view->doc.chars_per_line = chars;
        EXPECT_EQ(load_pad_function(view->doc, 0, view->host), 0);
        return view->doc;
    }
    PadDocument& load_fixture(const std::string& name, int index) {
        view = std::make_unique<ViewFixture>(ws.fixture(name, Form::Plain));
        EXPECT_EQ(view->open(ws.dir.path()), kPadIndexOk);
        EXPECT_EQ(load_pad_function(view->doc, index, view->host), 0);
        return view->doc;
    }
    // Kinds of a row up to its row end.
    std::vector<int> kinds(int row) const {
        std::vector<int> out;
        for (int c = 0; c < kPadColumns && view->doc.grid->kind(row, c) != kPadRowEnd; ++c)
            out.push_back(view->doc.grid->kind(row, c));
        return out;
    }
    std::vector<int> first_kinds() const {
        std::vector<int> out;
        for (int r = 1; r <= view->doc.grid->row_count; ++r) out.push_back(view->doc.grid->kind(r, 0));
        return out;
    }
    const char* text(int row, int column) const { return view->doc.grid->cell(row, column)->text; }

    Workspace ws;
    std::unique_ptr<ViewFixture> view;
};

using Kinds = std::vector<int>;

TEST_F(PadLayoutTest, RunsOfFlowRowsShrinkToOne) {
    const PadDocument& doc = load("0001@f x\n0001M:f\n0001EF:\n0002+N:a\n0002+F:\n0003+F:\n0004+F:\n0005+N:b\n0005+F:\n"
                                  "0006+N:c\n0007+E:\n");
    EXPECT_EQ(first_kinds(), (Kinds{kPadNameTerminal, kPadFlow, kPadStatement, kPadFlow, kPadStatement, kPadFlow,
                                    kPadStatement, kPadEndTerminal}));
    EXPECT_EQ(doc.grid->row_count, 8);
    EXPECT_STREQ(text(5, 0), "b");
    EXPECT_STREQ(text(7, 0), "c");
}

TEST_F(PadLayoutTest, AReturnBeforeTheLastRowBecomesTheEndTerminal) {
    load("0001@f x\n0001M:f\n0002+N:a\n0003+U:back\n0004+E:\n");
    EXPECT_EQ(first_kinds(), (Kinds{kPadNameTerminal, kPadStatement, kPadEndTerminal}));
    EXPECT_STREQ(text(3, 0), "back");
    load("0001@f x\n0001M:f\n0002+N:a\n0003+N:b\n0004+E:\n");
    EXPECT_EQ(first_kinds(), (Kinds{kPadNameTerminal, kPadStatement, kPadStatement, kPadEndTerminal}));
}

TEST_F(PadLayoutTest, ASelectionHeadAlwaysEndsItsRow) {
    load("0001@f x\n0001M:f\n0002+SN:pick\n0002+F:\n0002+C:yes\n0003++N:do\n0004++E:\n0004+F:\n0005+E:\n");
    EXPECT_EQ(kinds(2), (Kinds{kPadSelection}));
    EXPECT_EQ(view->doc.grid->kind(2, 1), kPadRowEnd);
}

TEST_F(PadLayoutTest, LoopBodiesComeUpBesideTheirHeads) {
    const PadDocument& doc = load_fixture("three_functions.pds", 0);
    // The loop head and its body's first statement share a row; the body's
    // end is one row down; the loop's column carries the flow meanwhile.
    EXPECT_EQ(kinds(3), (Kinds{kPadLoop, kPadStatement}));
    EXPECT_STREQ(text(3, 0), "every item");
    EXPECT_STREQ(text(3, 1), "add it");
    EXPECT_EQ(kinds(4), (Kinds{kPadFlow, kPadEnd}));
    EXPECT_EQ(kinds(5), (Kinds{kPadFlow}));
    EXPECT_EQ(kinds(6), (Kinds{kPadLoop, kPadStatement}));
    EXPECT_STREQ(text(6, 1), "less");
    EXPECT_EQ(doc.grid->row_count, 9);
    EXPECT_EQ(kinds(9), (Kinds{kPadEndTerminal}));
}

TEST_F(PadLayoutTest, CaseBodiesComeUpBesideTheirCasesAndTheSelectionGetsItsTail) {
    const PadDocument& doc = load_fixture("three_functions.pds", 1);
    EXPECT_EQ(kinds(3), (Kinds{kPadSelection}));
    EXPECT_EQ(kinds(4), (Kinds{kPadFlow}));
    const int case_rows[] = {5, 8, 11, 14};
    const char* bodies[] = {"small", "medium", "big", "none"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(kinds(case_rows[i]), (Kinds{kPadCase, kPadStatement})) << i;
        EXPECT_STREQ(text(case_rows[i], 1), bodies[i]);
        EXPECT_EQ(kinds(case_rows[i] + 1), (Kinds{kPadFlow, kPadEnd})) << i;
    }
    EXPECT_STREQ(text(5, 0), "one\ttwo");
    EXPECT_EQ(kinds(17), (Kinds{kPadSelectionTail}));
    EXPECT_EQ(kinds(18), (Kinds{kPadFlow}));
    EXPECT_EQ(kinds(19), (Kinds{kPadEndTerminal}));
    EXPECT_EQ(doc.grid->row_count, 19);
}

TEST_F(PadLayoutTest, AnIfWithoutFlowRowPullsItsBodyOneRowUp) {
    load("0001@f x\n0001M:f\n0001EF:\n0002+S:neg?\n0002+F:\n0002+C:yes\n0003++N:minus\n0004++E:\n0004+C:no\n"
         "0004++F:\n0005++N:plus\n0006++E:\n0006+F:\n0007+U:back\n0008+E:\n");
    EXPECT_EQ(kinds(5), (Kinds{kPadCase, kPadStatement}));
    EXPECT_STREQ(text(5, 1), "minus");
    EXPECT_EQ(kinds(6), (Kinds{kPadFlow, kPadEnd}));
    EXPECT_EQ(kinds(7), (Kinds{kPadFlow}));
    EXPECT_EQ(kinds(8), (Kinds{kPadCase, kPadStatement}));
    EXPECT_STREQ(text(8, 1), "plus");
}

TEST_F(PadLayoutTest, WrapWidthsPerKindAndLevelWidth) {
    struct Case {
        int level;
        int loop, name, selection, case_;
    };
    // The view: 2L - 4, 4L - 2, 2L x 80 %, 2L x 70 %.
    for (const Case& c : {Case{16, 28, 62, 25, 22}, Case{8, 12, 30, 12, 11}}) {
        const PadLayoutValues v = view_layout_values(c.level, 60);
        EXPECT_EQ(pad_wrap_width(kPadLoop, 53, v), c.loop);
        EXPECT_EQ(pad_wrap_width(kPadNameTerminal, 53, v), c.name);
        EXPECT_EQ(pad_wrap_width(kPadSelection, 53, v), c.selection);
        EXPECT_EQ(pad_wrap_width(kPadCase, 53, v), c.case_);
    }
    // The output: W = 2L - 1 with L rounded up to even.
    for (const Case& c : {Case{16, 27, 60, 24, 21}, Case{8, 11, 28, 12, 10}, Case{9, 15, 36, 15, 13}}) {
        const PadLayoutValues v = output_layout_values(c.level, 0, 60);
        EXPECT_EQ(pad_wrap_width(kPadLoop, 53, v), c.loop) << c.level;
        EXPECT_EQ(pad_wrap_width(kPadNameTerminal, 53, v), c.name) << c.level;
        EXPECT_EQ(pad_wrap_width(kPadSelection, 53, v), c.selection) << c.level;
        EXPECT_EQ(pad_wrap_width(kPadCase, 53, v), c.case_) << c.level;
    }
    // Statements, calls and returns take the room left; not when it is 3 or less.
    const PadLayoutValues v = view_layout_values(16, 60);
    EXPECT_EQ(pad_wrap_width(kPadStatement, 21, v), 21);
    EXPECT_EQ(pad_wrap_width(kPadCall, 21, v), 19);
    EXPECT_EQ(pad_wrap_width(kPadDoubleBox, 21, v), 19);
    EXPECT_EQ(pad_wrap_width(kPadReturn, 21, v), 18);
    EXPECT_EQ(pad_wrap_width(kPadStatement, 3, v), 0);
    EXPECT_EQ(pad_wrap_width(kPadFlow, 53, v), 0);
    EXPECT_EQ(pad_wrap_width(kPadEnd, 53, v), 0);
}

TEST_F(PadLayoutTest, StatementsBreakAtTheRoomOfTheirColumn) {
    const std::string seventy(70, 's');
    load("0001@f x\n0001M:f\n0002+R:loop\n0002++F:\n0003++N:" + seventy + "\n0004++E:\n0004+F:\n0005+N:" + seventy +
             "\n0006+E:\n",
         16, 60);
    // Column 1 leaves 60 - 39 = 21; column 0 leaves 53.
    EXPECT_EQ(std::string(text(2, 1)), std::string(21, 's') + "\t" + std::string(21, 's') + "\t" +
                                           std::string(21, 's') + "\t" + std::string(7, 's'));
    EXPECT_EQ(std::string(text(5, 0)), std::string(53, 's') + "\t" + std::string(17, 's'));
    // The loop's own text breaks at 28.
    load("0001@f x\n0001M:f\n0002+R:" + std::string(30, 'l') + "\n0002++F:\n0003++N:x\n0004++E:\n0004+F:\n0005+E:\n",
         16, 60);
    EXPECT_EQ(std::string(text(2, 0)), std::string(28, 'l') + "\t" + "ll");
}

TEST_F(PadLayoutTest, AColumnWithTooLittleRoomBreaksAsTheOneBefore) {
    // Level width 32 and 60 characters: column 1 would leave 60 - 71 < 7.
    const std::string forty(40, 'q');
    load("0001@f x\n0001M:f\n0002+R:loop\n0002++F:\n0003++N:" + forty + "\n0004++E:\n0004+F:\n0005+E:\n", 32, 60);
    EXPECT_EQ(std::string(text(2, 1)), std::string(40, 'q')) << "53 from column 0 takes all 40";
}

TEST(PadWrap, TabsGoBetweenWholeCharacters) {
    auto wrap = [](std::string text, int width, int room = -1) {
        std::vector<char> buffer(text.begin(), text.end());
        buffer.resize(room < 0 ? 2 * text.size() + 1 : static_cast<size_t>(room), '\0');
        insert_wrap_tabs(buffer.data(), static_cast<int>(buffer.size()), width);
        return std::string(buffer.data());
    };
    EXPECT_EQ(wrap("abcdefgh", 8), "abcdefgh");
    EXPECT_EQ(wrap("abcdefghij", 4), "abcd\tefgh\tij");
    // A double-byte character that would straddle the width moves whole.
    EXPECT_EQ(wrap("abc\x82\xA0\x82\xA2z", 4), "abc\t\x82\xA0\x82\xA2\tz");
    EXPECT_EQ(wrap("\x82\xA0\x82\xA2\x82\xA4", 3), "\x82\xA0\t\x82\xA2\t\x82\xA4");
    // A trail byte of 0x5C is never taken for anything but the character's half.
    EXPECT_EQ(wrap("\x95\x5C\x95\x5C", 2), "\x95\x5C\t\x95\x5C");
    // A TAB of the text ends a line where it stands.
    EXPECT_EQ(wrap("ab\tcdefgh", 4), "ab\tcdef\tgh");
    // Widths below 2 count as 2; every line takes a character.
    EXPECT_EQ(wrap("abcde", 0), "ab\tcd\te");
    EXPECT_EQ(wrap("\x82\xA0\x82\xA2", 1), "\x82\xA0\t\x82\xA2");
    // Never past the text's room: the rest stays on the last line.
    EXPECT_EQ(wrap("abcdefghij", 2, 13), "ab\tcd\tefghij");
}

TEST_F(PadLayoutTest, DoubleByteTextsBreakWhole) {
    // 　 is two bytes: 15 of them are 30 bytes; a case breaks at 22 bytes (11 characters).
    std::string wide;
    for (int i = 0; i < 15; ++i) wide += "\x82\xA0";
    load("0001@f x\n0001M:f\n0002+S:s\n0002+F:\n0002+C:" + wide + "\n0003++N:x\n0004++E:\n0004+F:\n0005+E:\n", 16, 198);
    std::string expected;
    for (int i = 0; i < 11; ++i) expected += "\x82\xA0";
    expected += "\t";
    for (int i = 0; i < 4; ++i) expected += "\x82\xA0";
    EXPECT_EQ(std::string(text(4, 0)), expected);
}

TEST_F(PadLayoutTest, MeasureGivesPositionsAndSizes) {
    PadDocument& doc = load("0001@f x\n0001M:fn\n0001EF:\n0002+R:" + std::string(40, 'l') +
                            "\n0002++F:\n0003++N:x\n0004++E:\n0004+F:\n0005+P:call\n0006+E:\n");
    ASSERT_EQ(doc.pages.size(), 1u);
    measure_pad_function(doc);
    const PadGrid& g = *doc.grid;
    // The name terminal starts six columns left of the margin, " %-31s".
    EXPECT_EQ(g.cell(1, 0)->x, 4);
    EXPECT_EQ(g.cell(1, 0)->y, 1);
    EXPECT_EQ(g.cell(1, 0)->width, 32);
    EXPECT_EQ(g.cell(1, 0)->height, 1);
    // The loop's text is two lines: both cells of the row take two lines.
    const PadCell* loop = g.cell(3, 0);
    const PadCell* body = g.cell(3, 1);
    EXPECT_EQ(loop->x, 10);
    EXPECT_EQ(loop->y, 3);
    EXPECT_EQ(loop->width, 32);
    EXPECT_EQ(loop->height, 2);
    EXPECT_EQ(body->x, 42);
    EXPECT_EQ(body->height, 2);
    EXPECT_EQ(g.cell(3, 2)->x, 74) << "the row end has a position too";
    EXPECT_EQ(g.cell(4, 0)->y, 5);
    // A call: " %-31s"; the end terminal at the margin less six.
    const int call_row = 6;
    EXPECT_EQ(g.cell(call_row, 0)->kind, kPadCall);
    EXPECT_EQ(g.cell(call_row, 0)->width, 32);
    EXPECT_EQ(g.cell(call_row + 1, 0)->kind, kPadEndTerminal);
    EXPECT_EQ(g.cell(call_row + 1, 0)->x, 4);
}

TEST(PadPieces, FormatsPadToTheColumn) {
    // The view: "%-*s" with 2L, " %-*s" with 2L - 1 for names, calls and end terminals.
    EXPECT_EQ(format_cell_piece(kPadStatement, "ab", 8), "ab      ");
    EXPECT_EQ(format_cell_piece(kPadCall, "ab", 8), " ab     ");
    EXPECT_EQ(format_cell_piece(kPadStatement, "abcdefghij", 8), "abcdefghij");
    // The output: " %-*s", then " %-*s " for further pieces; "  %-*s" with 2L - 1.
    EXPECT_EQ(format_output_piece(kPadCase, "ab", true, 8), " ab      ");
    EXPECT_EQ(format_output_piece(kPadCase, "ab", false, 8), " ab       ");
    EXPECT_EQ(format_output_piece(kPadNameTerminal, "ab", false, 8), "  ab     ");
    for (int kind : {kPadStatement, kPadNameTerminal, kPadCall, kPadEndTerminal, kPadEmpty}) {
        for (const char* piece : {"", "ab", "abcdefghijklmnop"}) {
            const int n = static_cast<int>(std::strlen(piece));
            EXPECT_EQ(cell_piece_length(kind, n, 8), static_cast<int>(format_cell_piece(kind, piece, 8).size()));
            for (bool first : {true, false}) {
                EXPECT_EQ(output_piece_length(kind, n, first, 8),
                          static_cast<int>(format_output_piece(kind, piece, first, 8).size()));
            }
        }
    }
    std::string_view piece;
    CellPieces pieces("a\tbc\t");
    std::vector<std::string_view> got;
    while (pieces.next(piece)) got.push_back(piece);
    EXPECT_EQ(got, (std::vector<std::string_view>{"a", "bc", ""}));
    EXPECT_EQ(pieces.count(), 3);
}

TEST(PadPages, PagesSplitByEachRowsTallestCell) {
    PadGrid grid;
    grid.row_count = 5;
    for (int r = 0; r <= 5; ++r) {
        grid.cell(r, 0)->height = 1;
        grid.set_kind(r, 2, kPadRowEnd);
    }
    // Row 2's first cell is tall, its second short: the tall one counts.
    grid.cell(2, 0)->height = 4000;
    grid.cell(2, 1)->height = 1;
    grid.cell(3, 1)->height = 3000;
    const std::vector<PadPage> pages = compute_pad_extents(grid);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].first, 1);
    EXPECT_EQ(pages[0].last, 2);
    EXPECT_EQ(pages[1].first, 3);
    EXPECT_EQ(pages[1].last, 5);
    grid.row_count = 0;
    EXPECT_TRUE(compute_pad_extents(grid).empty());
}

}  // namespace
