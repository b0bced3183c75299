// The PAD view: shapes, labels and texts at their pixel places (drawing
// log), at level widths 8 and 16 and with the line numbers off; the marker
// that leaves the pixels as they were when drawn twice; a click on a cell
// and the source list that follows it; the cursor over a cell; the scroll
// steps and their refusals.
#include <string>
#include <vector>

#include "common/viewer/source_list.h"
#include "gravlet/viewer/pad_view.h"
#include "gravlet_fixture.h"
#include "platform/gdi/drawing_log.h"

namespace {

class PadViewTest : public GravletTest {
protected:
    // The chart's drawing calls since the last clear.
    std::vector<DrawingLogEntry> chart_log() { return drawing_log_entries_for_window(chart()); }
    void redraw() {
        clear_drawing_log();
        ASSERT_EQ(redraw_pad_view(), 0);
    }
    bool drew(const std::string& op, std::vector<POINT> points) {
        for (const DrawingLogEntry& e : chart_log()) {
            if (e.op != op || e.logical.size() < points.size()) continue;
            bool same = true;
            for (size_t i = 0; i < points.size(); ++i)
                same = same && e.logical[i].x == points[i].x && e.logical[i].y == points[i].y;
            if (same) return true;
        }
        return false;
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const DrawingLogEntry& e : chart_log()) {
            if (e.op == "TextOutA") out.push_back(e.text);
        }
        return out;
    }
    int count(const std::string& op) {
        int n = 0;
        for (const DrawingLogEntry& e : chart_log()) n += e.op == op ? 1 : 0;
        return n;
    }
    // The centre of a cell's box in the view (a cell of the measured rows).
    POINT centre_of(int row, int column) {
        measure_shown_rows();
        const CellBox b = cell_box(*gravlet_pad().grid->cell(row, column));
        return {b.x + b.width / 2 - gravlet_pad().horizontal_position * 7, b.y + b.height / 2};
    }
};

// kinds.c at level width 16: row 1 the name terminal at x 4, rows 3 (a
// call), 5 (a statement) and 10 (a loop without body) at x 10, the loop of
// row 7 with a call beside it at x 42.
TEST_F(PadViewTest, ShapesLabelsAndTextsAtTheirPixels) {
    open_generated("kinds.c");
    redraw();
    // terminal: X = 4 x 7 - 9, Y = 14, W = 32 x 7 + 3, H = 21; radius H / 2 - 1
    EXPECT_TRUE(drew("RoundRect", {{19, 14}, {260, 35}, {18, 18}}));
    EXPECT_TRUE(drew("TextOutA", {{28, 2}})) << "its label at (x x 7, (y - 1) x 14 + 2)";
    EXPECT_TRUE(drew("TextOutA", {{21, 18}})) << "its text at (x x 7 - 7, y x 14 + 4)";
    // call: the box W + 14 wide and the inner lines at X + 5 and X + W + 9
    EXPECT_TRUE(drew("Rectangle", {{61, 42}, {302, 63}}));
    EXPECT_TRUE(drew("LineTo", {{66, 42}, {66, 63}}));
    EXPECT_TRUE(drew("LineTo", {{297, 42}, {297, 63}}));
    // the flow line below the terminal starts 7 lower in grid row 2
    EXPECT_TRUE(drew("LineTo", {{61, 35}, {61, 42}}));
    // statement
    EXPECT_TRUE(drew("Rectangle", {{61, 70}, {288, 91}}));
    // loop: W over its wrap width (28 of its 32 characters), the box W + 7
    // wide, its second edge at X + W + 2
    EXPECT_TRUE(drew("Rectangle", {{61, 98}, {267, 119}}));
    EXPECT_TRUE(drew("LineTo", {{262, 98}, {262, 119}}));
    // the loop without a body has the same double edge
    EXPECT_TRUE(drew("Rectangle", {{61, 140}, {295, 161}}));
    // the selection head: its arm Sx = 224 x 80 / 100 + 3 to the right
    EXPECT_TRUE(drew("LineTo", {{61, 168}, {243, 168}}));
    const std::vector<std::string> shown = texts();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "[2]"), shown.end());
    // the labels in an 11-pixel font end a pixel above the box below them
    for (const DrawingLogEntry& e : chart_log()) {
        if (e.op == "TextOutA" && !e.text.empty() && e.text[0] == '[') {
            EXPECT_NE(e.params.find(",11,6,"), std::string::npos) << e.text << " " << e.params;
        }
    }
    EXPECT_NE(std::find(shown.begin(), shown.end(), "start                           "), shown.end())
        << "a piece padded to 2L";
    EXPECT_NE(std::find(shown.begin(), shown.end(), " setup(n): prepare              "), shown.end())
        << "a call's text one in, padded to 2L - 1";
}

// The loop of row 7 (X 61, Y 98, H 21) with the call of its body beside it
// at X 285: the loop's box and double edge end left of the body, and its
// line runs on to the body's box.
TEST_F(PadViewTest, ALoopEndsBeforeTheBodyBesideIt) {
    open_generated("kinds.c");
    redraw();
    EXPECT_TRUE(drew("LineTo", {{267, 108}, {285, 108}}));
    for (const DrawingLogEntry& e : chart_log()) {
        if (e.op == "Rectangle" && e.logical[0].x == 61 && e.logical[0].y == 98) {
            EXPECT_LT(e.logical[1].x, 285) << "the loop's box runs into its body's";
        }
    }
    automation::run_until_idle();
    const COLORREF line = automation::pixel_at(chart(), 61, 80);  // the statement's left edge
    EXPECT_EQ(automation::pixel_at(chart(), 276, 108), line) << "the line to the body";
    // below the body's text, where the loop's right edge stood across its
    // first letters
    for (int x = 292; x < 300; ++x) EXPECT_NE(automation::pixel_at(chart(), x, 117), line) << x;
}

// The statement of row 5 (Y 70) under the call of row 3, whose box ends at
// 63: its label "[7]" at (70, 58) leaves a pixel free above the
// statement's top line.
TEST_F(PadViewTest, ALabelDoesNotTouchItsBox) {
    open_generated("kinds.c");
    automation::run_until_idle();
    const COLORREF line = automation::pixel_at(chart(), 61, 80);
    const COLORREF background = automation::pixel_at(chart(), 600, 30);
    int ink = 0;
    for (int x = 71; x < 88; ++x) {
        EXPECT_EQ(automation::pixel_at(chart(), x, 69), background) << x;
        for (int y = 58; y < 69; ++y) ink += automation::pixel_at(chart(), x, y) != background ? 1 : 0;
    }
    EXPECT_GT(ink, 10) << "the label is there";
    EXPECT_EQ(automation::pixel_at(chart(), 61, 63), line) << "the call's box keeps its corner";
}

// labels.c: the statement "a_b" (text at 63, 46) above the statement whose
// label "[5]" stands at (70, 58). The label is drawn transparent, so the
// underscore in the text's bottom row stays whole under it.
TEST_F(PadViewTest, ALabelLeavesTheTextAboveItWhole) {
    open_generated("labels.c");
    redraw();
    for (const DrawingLogEntry& e : chart_log()) {
        if (e.op == "TextOutA" && e.text == "[5]") {
            EXPECT_NE(e.params.find("bk=transparent"), std::string::npos) << e.params;
        }
    }
    automation::run_until_idle();
    const COLORREF background = automation::pixel_at(chart(), 600, 30);
    for (int x = 70; x < 77; ++x) EXPECT_NE(automation::pixel_at(chart(), x, 59), background) << "the '_' at " << x;
}

TEST_F(PadViewTest, AtLevelWidthEightTheColumnsAreHalfAsWide) {
    use_setting(gx_settings::kScreenLevelWidth, 8);
    open_generated("kinds.c");
    redraw();
    // W = 16 x 7 + 3; the terminal is still at least 84 wide
    EXPECT_TRUE(drew("Rectangle", {{61, 70}, {176, 91}}));
    EXPECT_TRUE(drew("RoundRect", {{19, 14}, {162, 35}})) << "a text of 18 characters, W + 14 wide";
    // the call beside the loop starts one column (2L = 16 characters) right
    EXPECT_TRUE(drew("TextOutA", {{175, 102}}));
}

TEST_F(PadViewTest, WithoutLineNumbersNoLabelIsDrawnAndTheShapesStay) {
    open_generated("kinds.c");
    redraw();
    const int shapes = count("Rectangle") + count("RoundRect") + count("LineTo");
    const size_t with_labels = texts().size();
    gravlet().line_numbers = false;
    redraw();
    EXPECT_EQ(count("Rectangle") + count("RoundRect") + count("LineTo"), shapes);
    for (const std::string& t : texts()) EXPECT_NE(t.front(), '[') << t;
    EXPECT_LT(texts().size(), with_labels);
}

TEST_F(PadViewTest, TheMarkerDrawnTwiceLeavesThePixelsAsTheyWere) {
    open_generated("kinds.c");
    automation::run_until_idle();
    // the marker of row 5's statement lies at (x x 7 - 25, y x 14 + 4)
    const int mx = 10 * 7 - 25, my = 5 * 14 + 4;
    std::vector<COLORREF> before;
    for (int y = my; y < my + 16; ++y)
        for (int x = mx; x < mx + 16; ++x) before.push_back(automation::pixel_at(chart(), x, y));
    const POINT statement = centre_of(5, 0);
    ASSERT_TRUE(automation::click(chart(), statement.x, statement.y));
    std::vector<COLORREF> marked;
    for (int y = my; y < my + 16; ++y)
        for (int x = mx; x < mx + 16; ++x) marked.push_back(automation::pixel_at(chart(), x, y));
    EXPECT_NE(marked, before) << "the marker shows";
    const POINT call = centre_of(3, 0);
    ASSERT_TRUE(automation::click(chart(), call.x, call.y));
    std::vector<COLORREF> after;
    for (int y = my; y < my + 16; ++y)
        for (int x = mx; x < mx + 16; ++x) after.push_back(automation::pixel_at(chart(), x, y));
    EXPECT_EQ(after, before) << "inverted again where it was";
}

TEST_F(PadViewTest, AClickSelectsACellAndMovesTheLinkedSourceList) {
    open_generated("sample.c");
    GravletState& g = gravlet();
    // a flow line is no cell to choose
    const POINT flow = centre_of(2, 0);
    ASSERT_TRUE(automation::click(chart(), flow.x - 10, flow.y));
    EXPECT_EQ(g.current_row, -1);
    EXPECT_FALSE(source_list_open());
    // the loop "every item" of row 3 (source line 17)
    const POINT loop = centre_of(3, 0);
    ASSERT_TRUE(automation::click(chart(), loop.x, loop.y));
    EXPECT_EQ(g.current_row, 3);
    EXPECT_EQ(g.current_column, 0);
    EXPECT_EQ(document_state().current_source_line, 17);
    ASSERT_TRUE(source_list_open()) << "the click opens the list in link mode";
    EXPECT_EQ(source_list().top, 10) << "the function's comment head is the first line shown";
    EXPECT_GE(source_list().list_marker_row, 0);
    // outside link mode the list stays where it is (moved off the PAD, as
    // it opens over it)
    automation::press_key("F5");
    MoveWindow(source_list().view, 0, 620, 1024, 140, TRUE);
    source_list().top = 5;
    const POINT head = centre_of(3, 1);
    ASSERT_TRUE(automation::click(chart(), head.x, head.y));
    EXPECT_EQ(g.current_row, 3);
    EXPECT_EQ(g.current_column, 1);
    EXPECT_EQ(document_state().current_source_line, 17);
    EXPECT_EQ(source_list().top, 5);
}

TEST_F(PadViewTest, TheCursorOverACellIsTheCellCursor) {
    open_generated("sample.c");
    const POINT loop = centre_of(3, 0);
    ASSERT_TRUE(automation::move_mouse(chart(), loop.x, loop.y));
    EXPECT_EQ(GetCursor(), gravlet().cell_cursor);
    EXPECT_NE(gravlet().cell_cursor, nullptr);
    EXPECT_TRUE(gravlet().cursor_over_cell);
    ASSERT_TRUE(automation::move_mouse(chart(), 400, 400));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_FALSE(gravlet().cursor_over_cell);
}

TEST_F(PadViewTest, VerticalStepsAndTheirRefusals) {
    // 40 rows, 20 shown: c 19, d 9; the last first row is d + N - c + 1 = 31
    EXPECT_EQ(pad_vertical_step(SB_LINEUP, 0, 1, 40, 20), -1);
    EXPECT_EQ(pad_vertical_step(SB_LINEDOWN, 0, 1, 40, 20), 2);
    EXPECT_EQ(pad_vertical_step(SB_LINEDOWN, 0, 30, 40, 20), 31);
    EXPECT_EQ(pad_vertical_step(SB_LINEDOWN, 0, 31, 40, 20), -1);
    EXPECT_EQ(pad_vertical_step(SB_PAGEDOWN, 0, 1, 40, 20), 20);
    EXPECT_EQ(pad_vertical_step(SB_PAGEDOWN, 0, 20, 40, 20), 31);
    EXPECT_EQ(pad_vertical_step(SB_PAGEUP, 0, 10, 40, 20), 1);
    EXPECT_EQ(pad_vertical_step(SB_PAGEUP, 0, 1, 40, 20), -1);
    EXPECT_EQ(pad_vertical_step(SB_THUMBPOSITION, 99, 1, 40, 20), 30);
    EXPECT_EQ(pad_vertical_step(SB_BOTTOM, 0, 1, 40, 20), 31);
    EXPECT_EQ(pad_vertical_step(SB_TOP, 0, 1, 40, 20), -1);
    EXPECT_EQ(pad_vertical_step(SB_THUMBTRACK, 5, 1, 40, 20), -2) << "tracking is ignored";
    // a PAD that fits (N < V - 3) refuses every downward step
    for (int code : {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM}) EXPECT_EQ(pad_vertical_step(code, 0, 1, 10, 20), -1);
}

TEST_F(PadViewTest, HorizontalStepsGoByColumnBoundaries) {
    // Wc 200, a view 700 pixels wide (100 characters), L 16: boundaries 9 + 32 k
    EXPECT_EQ(pad_horizontal_step(SB_LINELEFT, 0, 0, 200, 700, 16), -1);
    EXPECT_EQ(pad_horizontal_step(SB_PAGERIGHT, 0, 0, 200, 700, 16), 9);
    EXPECT_EQ(pad_horizontal_step(SB_PAGERIGHT, 0, 9, 200, 700, 16), 41);
    EXPECT_EQ(pad_horizontal_step(SB_PAGERIGHT, 0, 90, 200, 700, 16), 102) << "at most the limit + 1";
    EXPECT_EQ(pad_horizontal_step(SB_PAGERIGHT, 0, 102, 200, 700, 16), -1);
    EXPECT_EQ(pad_horizontal_step(SB_PAGELEFT, 0, 41, 200, 700, 16), 9) << "one whole column from a boundary";
    EXPECT_EQ(pad_horizontal_step(SB_PAGELEFT, 0, 50, 200, 700, 16), 41);
    EXPECT_EQ(pad_horizontal_step(SB_PAGELEFT, 0, 5, 200, 700, 16), 0);
    EXPECT_EQ(pad_horizontal_step(SB_THUMBPOSITION, 500, 0, 200, 700, 16), 200) << "at most the widest";
    EXPECT_EQ(pad_horizontal_step(SB_RIGHT, 0, 200, 200, 700, 16), -1);
}

TEST_F(PadViewTest, ScrollingAPadThatFitsBeepsAndWithoutOneSays117) {
    ASSERT_TRUE(start());
    EXPECT_EQ(scroll_pad(0, chart(), SB_LINEDOWN), -1);
    EXPECT_EQ(automation::status_text(), message(117));
    ASSERT_TRUE(open_through_menu(generate("sample.c")));
    const size_t beeps = automation::beeps().size();
    automation::press_key("Down");
    automation::press_key("PageDown");
    automation::press_key("Up");
    EXPECT_EQ(automation::beeps().size(), beeps + 3);
    EXPECT_EQ(gravlet_pad().first_shown_row, 1);
}

TEST_F(PadViewTest, ACaseWhosePredecessorIsAboveTheViewStillGetsItsJoint) {
    open_generated("kinds.c");
    // rows 14, 17 and 20 are the cases of the switch; start the view at 17
    gravlet_pad().first_shown_row = 17;
    redraw();
    bool from_above = false;
    for (const DrawingLogEntry& e : chart_log()) {
        if (e.op == "LineTo" && e.logical.size() == 2 && e.logical[0].y < 0) from_above = true;
    }
    EXPECT_TRUE(from_above);
}

}  // namespace
