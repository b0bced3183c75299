// The text grid and its operations: texts and ruled lines put into cells
// from page positions, and rows written with the characters of either code
// set.
#include <gtest/gtest.h>

#include "common/print/text_grid.h"
#include "tests/print_jobs/print_jobs_fixture.h"

namespace {

// ─ ━ │ ┌ ┐ └ ┘ in DOS/V
const std::string kThin = "\x84\x9f";
const std::string kThick = "\x84\xaa";
const std::string kBar = "\x84\xa0";
const std::string kTopLeft = "\x84\xa1";
const std::string kTopRight = "\x84\xa2";
const std::string kBottomLeft = "\x84\xa4";
const std::string kBottomRight = "\x84\xa3";

class TextGridTest : public PrintJobsTest {
protected:
    void SetUp() override {
        PrintJobsTest::SetUp();
        ASSERT_EQ(grid.allocate(), 0);
        backend.set_grid(&grid);
        // cells of 10 x 10 page units: a position is its row and column times ten
        PageRecordState& g = spec_print_state().geometry;
        g.page_cell_height = g.page_cell_width = 10;
        backend.txt_set_char_cell(10, 10);
    }
    void TearDown() override {
        backend.set_grid(nullptr);
        PrintJobsTest::TearDown();
    }
    // The text goes to a row and column (move_to puts it one cell below y).
    void put(int row, int column, std::string_view text) {
        backend.txt_move_to(row * 10 - 10, column * 10);
        backend.grid_put_text(text);
    }
    std::string row(int r, RuledLineCodeSet set = kRuledLinesDosV) const { return grid.row_text(r, set); }

    TextGrid grid;
    TextGridBackend backend;
};

TEST_F(TextGridTest, ClearedRowsEndAtTheirLastCell) {
    EXPECT_EQ(grid.used_height(), 0);
    EXPECT_EQ(grid.at(3, 127)->code, 0);
    EXPECT_EQ(grid.at(3, 126)->code, ' ');
    EXPECT_EQ(grid.at(92, 0), nullptr);
    EXPECT_EQ(grid.at(0, 128), nullptr);
    EXPECT_EQ(grid.at(-1, 0), nullptr);
    put(5, 0, "x");
    EXPECT_EQ(grid.used_height(), 6);
}

TEST_F(TextGridTest, TextsAndTheirCharacters) {
    put(1, 2, "ab \x8a\xd6x");
    EXPECT_EQ(row(1), "  ab \x8a\xd6x");
    // the character of a double-byte pair sits in its first column
    EXPECT_EQ(grid.at(1, 5)->code, 0x8ad6);
    EXPECT_EQ(grid.at(1, 6)->code, ' ');
    // a line feed ends the text; 0x8640 puts nothing but takes two columns
    put(2, 0, "a\x86\x40" "b\nc");
    EXPECT_EQ(row(2), "a  b");
    // a lone lead byte at the end is one byte
    put(3, 0, "z\x8a");
    EXPECT_EQ(grid.at(3, 1)->code, 0x8a);
    EXPECT_EQ(grid.at(3, 2)->code, ' ');
}

TEST_F(TextGridTest, BlanksAreTransparent) {
    put(1, 0, "abcdef");
    put(1, 0, "X  Y");
    EXPECT_EQ(row(1), "XbcYef");
}

TEST_F(TextGridTest, CellsOutsideTheGridAreDropped) {
    put(1, 126, "\x8a\xd6\x8a\xd6");
    // the first fits the last two cells (and overwrites the row's end)
    EXPECT_EQ(row(1), std::string(126, ' ') + "\x8a\xd6");
    backend.txt_move_to(-30, 0);  // row -2
    backend.grid_put_text("lost");
    put(93, 0, "lost");  // beyond row 91
    backend.txt_move_to(20, -30);
    backend.grid_put_text("abcd");  // from column -3
    EXPECT_EQ(row(3), "d");
    backend.set_line_width(1);
    backend.grid_draw_line(-1000000, 50, 1000000, 50);
    backend.grid_draw_box(-5000, -5000, 5000000, 5000000);
    EXPECT_EQ(grid.at(91, 127)->right, 0);
}

TEST_F(TextGridTest, AThinLineFromColumnTenToTwenty) {
    backend.map_line_width(1);
    backend.grid_draw_line(100, 40, 200, 40);
    // one blank for the start cell, the line four times, once more at the end
    std::string line = std::string(10, ' ') + " ";
    for (int i = 0; i < 5; ++i) line += kThin;
    EXPECT_EQ(row(4), line);
    // an odd distance leaves the end cell without arms
    backend.grid_draw_line(100, 60, 190, 60);
    EXPECT_EQ(grid.at(6, 18)->left, 1);
    EXPECT_EQ(grid.at(6, 18)->right, 1);
    EXPECT_EQ(grid.at(6, 19)->left, 0);
}

TEST_F(TextGridTest, ThickPensAndWeightsNoCharacterShows) {
    backend.map_line_width(3);
    backend.grid_draw_line(100, 40, 200, 40);
    EXPECT_EQ(row(4), std::string(10, ' ') + " " + kThick + kThick + kThick + kThick + kThick);
    backend.map_line_width(5);
    EXPECT_EQ(backend.line_weight(), 3);
    backend.grid_draw_line(100, 50, 200, 50);
    EXPECT_EQ(row(5), "");
    const int weights[][2] = {{0, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {6, 3}, {7, 4}, {40, 4}};
    for (const auto& w : weights) {
        backend.map_line_width(w[0]);
        EXPECT_EQ(backend.line_weight(), w[1]) << w[0];
    }
}

TEST_F(TextGridTest, BoxInBothCodeSets) {
    backend.map_line_width(1);
    backend.grid_draw_box(0, 0, 40, 20);
    EXPECT_EQ(row(0), kTopLeft + kThin + kTopRight);
    EXPECT_EQ(row(1), kBar + "  " + kBar);
    EXPECT_EQ(row(2), kBottomLeft + kThin + kBottomRight);
    // the PC98 codes count from 0x86A2
    EXPECT_EQ(row(0, kRuledLinesPc98), "\x86\xae\x86\xa2\x86\xb2");
}

TEST_F(TextGridTest, AVerticalLineAndALineThatJoinsTheOneBefore) {
    backend.map_line_width(1);
    backend.grid_draw_line(50, 30, 50, 10);  // drawn upwards: the ends are swapped
    EXPECT_EQ(grid.at(1, 5)->down, 1);
    EXPECT_EQ(grid.at(1, 5)->up, 0);
    EXPECT_EQ(grid.at(2, 5)->up, 1);
    EXPECT_EQ(grid.at(3, 5)->up, 1);
    EXPECT_EQ(grid.at(3, 5)->down, 0);
    // the cell left of the start holds a line: the new line moves into it
    backend.grid_draw_line(60, 20, 100, 20);
    EXPECT_EQ(grid.at(2, 5)->right, 1);
    EXPECT_EQ(grid.at(2, 9)->left, 1);
}

TEST_F(TextGridTest, MixedWeightsAndARightArmAloneInRows) {
    TextGridCell* cell = grid.at(0, 0);
    cell->right = 1;
    cell->left = 2;  // a straight line of two weights: no character
    cell->code = 'q';
    grid.at(0, 1)->code = 'r';
    EXPECT_EQ(row(0), "qr");
    grid.at(1, 0)->right = 2;  // a thick right arm alone: one blank
    grid.at(1, 2)->code = 'z';
    EXPECT_EQ(row(1), " z");
}

TEST_F(TextGridTest, NoPageYetMeansNoCells) {
    PageRecordState& g = spec_print_state().geometry;
    g.page_cell_height = g.page_cell_width = 0;
    backend.txt_move_to(0, 0);
    backend.grid_put_text("x");
    backend.grid_draw_box(0, 0, 40, 40);
    EXPECT_EQ(grid.used_height(), 0);
}

}  // namespace
