// The form editor's tools as changes of the grid: each case draws on an
// empty form and compares the composed rows (trailing blanks removed) with
// the rows a user would see.

#include <string>
#include <vector>

#include "form_fixture.h"
#include "notarix/form/form_tools.h"
#include "tests/common/form_rows.h"
#include "tests/common/sjis.h"

namespace form_test {
namespace {

class FormTools : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        ASSERT_EQ(alloc_form_grids(), 0);
    }
    static std::vector<std::string> rows(int first, int last) { return form_rows(first, last); }
    static std::vector<std::string> sj(const std::vector<std::string>& lines) { return sjis_lines(lines); }
    void box(int top, int left, int bottom, int right, int weight) {
        draw_form_line(cell_rect(top, left, top, right), weight);
        draw_form_line(cell_rect(bottom, left, bottom, right), weight);
        draw_form_line(cell_rect(top, left, bottom, left), weight);
        draw_form_line(cell_rect(top, right, bottom, right), weight);
    }
};

TEST_F(FormTools, ThickFrameWithThinInnerLinesMeetsInJunctions) {
    box(0, 0, 4, 10, kArmThick);
    draw_form_line(cell_rect(2, 0, 2, 10), kArmThin);
    // dragged upwards: the direction does not matter
    const TouchedRows touched = draw_form_line(cell_rect(4, 4, 0, 4), kArmThin);
    EXPECT_EQ(touched.first, 0);
    EXPECT_EQ(touched.last, 4);
    EXPECT_EQ(rows(0, 5), sj({
                              "┏━┯━━┓",
                              "┃  │    ┃",
                              "┠─┼──┨",
                              "┃  │    ┃",
                              "┗━┷━━┛",
                              "",
                          }));
}

TEST_F(FormTools, LineColumnsRoundDownToEvenOnBothEnds) {
    draw_form_line(cell_rect(1, 3, 1, 9), kArmThin);
    EXPECT_EQ(rows(1, 1), sj({"  ────"}));
    draw_form_line(cell_rect(3, 7, 5, 7), kArmThick);
    EXPECT_EQ(rows(3, 5), sj({"      ┃", "      ┃", "      ┃"}));
    // a click without a drag is a short dash
    draw_form_line(cell_rect(7, 4, 7, 4), kArmThin);
    EXPECT_EQ(rows(7, 7), sj({"    ─"}));
}

TEST_F(FormTools, ThinLineAcrossThickLineAndItsErasure) {
    draw_form_line(cell_rect(0, 6, 4, 6), kArmThick);
    draw_form_line(cell_rect(2, 0, 2, 12), kArmThin);
    EXPECT_EQ(rows(2, 2), sj({"───╂───"}));
    erase_form_lines_along(cell_rect(2, 0, 2, 12));
    EXPECT_EQ(rows(1, 3), sj({"      ┃", "      ┃", "      ┃"}));
    // the end cells keep the arms that lie outside the erased span
    draw_form_line(cell_rect(6, 0, 6, 12), kArmThin);
    erase_form_lines_along(cell_rect(6, 4, 6, 8));
    EXPECT_EQ(rows(6, 6), sj({"───  ───"}));
}

TEST_F(FormTools, EraseAlongStartsOnTheSecondHalfOfALineCharacter) {
    draw_form_line(cell_rect(0, 4, 6, 4), kArmThin);
    erase_form_lines_along(cell_rect(2, 5, 6, 5));
    EXPECT_EQ(rows(0, 3), sj({"    │", "    │", "    │", ""}));
}

TEST_F(FormTools, LineOverDoubleByteTextLeavesNoSegmentHidden) {
    place_form_text(0, 3, sjis("漢字"));
    place_form_text(1, 3, sjis("漢字"));
    draw_form_line(cell_rect(0, 4, 1, 4), kArmThin);
    // the characters the line runs through are gone whole; nothing hides it
    EXPECT_EQ(rows(0, 1), sj({"    │", "    │"}));
}

TEST_F(FormTools, TextReplacesLinesAndMendsItsEdges) {
    draw_form_line(cell_rect(0, 0, 0, 10), kArmThin);
    place_form_text(0, 5, "X");
    EXPECT_EQ(rows(0, 0), sj({"── X───"}));
    place_form_text(1, 0, sjis("あいう"));
    place_form_text(1, 3, "ab");  // starts on the second half of い
    EXPECT_EQ(rows(1, 1), sj({"あ ab"}));
}

TEST_F(FormTools, TextStopsAtTheLastColumnAndBeforeACharacterThatDoesNotFit) {
    place_form_text(0, 108, sjis("AB漢"));
    EXPECT_EQ(rows(0, 0)[0].size(), 112u);
    place_form_text(1, 109, sjis("AB漢"));
    EXPECT_EQ(rows(1, 1)[0], std::string(109, ' ') + "AB");
    // control bytes are blanks; a lead byte without its trail is dropped
    place_form_text(2, 0, "a\tb\x88");
    EXPECT_EQ(rows(2, 2)[0], "a b");
}

TEST_F(FormTools, DoubleSizeTextIsTheWideAndTallShape) {
    place_double_size_text(3, 10, sjis("Aぽ"));
    EXPECT_EQ(rows(3, 4), sj({"          Ａ￡ぽ￡", "          ￡￡￡￡"}));
    // near the right edge the last characters get no markers: column 108
    // still takes them, 109 not
    place_double_size_text(6, 105, "xyz");
    EXPECT_EQ(rows(6, 7), sj({std::string(105, ' ') + "ｘ￡ｙ", std::string(105, ' ') + "￡￡"}));
    place_double_size_text(8, 104, "xyz");
    EXPECT_EQ(rows(8, 9), sj({std::string(104, ' ') + "ｘ￡ｙ￡", std::string(104, ' ') + "￡￡￡￡"}));
    // on the last row there is no row below
    const TouchedRows touched = place_double_size_text(81, 0, "k");
    EXPECT_EQ(touched.first, 81);
    EXPECT_EQ(touched.last, 81);
    EXPECT_EQ(rows(81, 81), sj({"ｋ￡"}));
}

TEST_F(FormTools, WideFormsOfSingleByteCharacters) {
    EXPECT_EQ(wide_form_of('A'), 0x8260);
    EXPECT_EQ(wide_form_of(' '), 0x8140);
    EXPECT_EQ(wide_form_of('0'), 0x824F);
    EXPECT_EQ(wide_form_of(0xB1), 0x8341);  // ｱ
    EXPECT_EQ(wide_form_of('\t'), 0);
}

TEST_F(FormTools, TextErasersLeaveLinesAlone) {
    draw_form_line(cell_rect(0, 0, 2, 0), kArmThin);
    place_form_text(0, 2, "abc");
    place_form_text(1, 2, sjis("あい"));
    place_form_text(2, 2, "xyz");
    erase_form_text(cell_rect(0, 0, 1, 3));
    EXPECT_EQ(rows(0, 2), sj({"│  c", "│  い", "│xyz"}));
    erase_all_form_text();
    EXPECT_EQ(rows(0, 2), sj({"│", "│", "│"}));
}

TEST_F(FormTools, LineErasersLeaveTextAlone) {
    place_form_text(1, 2, "abc");
    box(0, 0, 2, 8, kArmThin);
    erase_form_lines_in(cell_rect(0, 0, 2, 3));
    EXPECT_EQ(rows(0, 2), sj({"    ──┐", "  abc   │", "    ──┘"}));
    erase_all_form_lines();
    EXPECT_EQ(rows(0, 2), sj({"", "  abc", ""}));
}

TEST_F(FormTools, EraseEverything) {
    box(0, 0, 2, 8, kArmThick);
    place_form_text(1, 2, "abc");
    erase_whole_form();
    EXPECT_EQ(rows(0, 2), sj({"", "", ""}));
    EXPECT_EQ(form_grids().rows[0].size(), 111u);
}

// Parameter areas as the generator reads them back.
TEST_F(FormTools, ParameterAreas) {
    place_parameter_area(cell_rect(0, 0, 2, 19), "$PR", true);
    EXPECT_EQ(rows(0, 2), sj({"$PR" + std::string(17, '-'), "-", "-"}));
    place_parameter_area(cell_rect(4, 0, 6, 9), "$PN", true);
    EXPECT_EQ(rows(4, 6), sj({"$PN-------", "$PN-------", "$PN-------"}));
    place_parameter_area(cell_rect(8, 5, 8, 6), "$NM", false);
    EXPECT_EQ(rows(8, 8), sj({"     $NM"}));
    // continuation rows stop at ruled lines
    draw_form_line(cell_rect(11, 20, 11, 30), kArmThin);
    place_parameter_area(cell_rect(10, 20, 12, 25), "$RM", true);
    EXPECT_EQ(rows(10, 12), sj({std::string(20, ' ') + "$RM---", std::string(20, ' ') + "──────",
                                std::string(20, ' ') + "-"}));
}

TEST_F(FormTools, KeysAreFoundInTheTextRows) {
    EXPECT_FALSE(form_holds_key("$NM"));
    place_parameter_area(cell_rect(3, 3, 3, 10), "$NM", false);
    EXPECT_TRUE(form_holds_key("$NM"));
    EXPECT_TRUE(parameter_key_repeats("$PT"));
    EXPECT_TRUE(parameter_key_repeats("$PN"));
    EXPECT_FALSE(parameter_key_repeats("$NM"));
}

TEST_F(FormTools, UndoRestoresOneLevel) {
    place_form_text(0, 0, "before");
    const std::vector<std::string> before = form_grids().rows;
    EXPECT_FALSE(undo_kept());
    EXPECT_FALSE(restore_undo_snapshot());
    take_undo_snapshot();
    EXPECT_TRUE(undo_kept());
    draw_form_line(cell_rect(0, 0, 5, 0), kArmThick);
    EXPECT_TRUE(restore_undo_snapshot());
    EXPECT_EQ(form_grids().rows, before);
    EXPECT_FALSE(restore_undo_snapshot());
}

TEST_F(FormTools, RectanglesOffTheFormChangeNothing) {
    EXPECT_TRUE(draw_form_line(cell_rect(80, 0, 82, 0), kArmThin).empty());
    EXPECT_TRUE(erase_form_text(cell_rect(0, 100, 0, 112)).empty());
    EXPECT_TRUE(place_form_text(82, 0, "x").empty());
    EXPECT_TRUE(place_parameter_area(cell_rect(-1, 0, 0, 5), "$NM", false).empty());
    free_form_grids();
    EXPECT_TRUE(place_form_text(0, 0, "x").empty());
    EXPECT_TRUE(erase_whole_form().empty());
}

TEST_F(FormTools, NoMemoryForTheGridLeavesNothingAllocated) {
    free_form_grids();
    platform_fail_next_allocations(1);
    EXPECT_EQ(alloc_form_grids(), -1);
    platform_fail_next_allocations(0);
    EXPECT_FALSE(form_grids().allocated());
    EXPECT_TRUE(form_grids().rows.empty());
    EXPECT_TRUE(place_form_text(0, 0, "x").empty());
    ASSERT_EQ(alloc_form_grids(), 0);
    EXPECT_TRUE(undo_available());
}

}  // namespace
}  // namespace form_test
