// ORBALINE's program in process: start-up and its failures, the frame's
// placement and menu states, a chart generated and drawn, paging with the
// function keys, the node's source, closing a modified chart and the working
// copy at exit.
#include <filesystem>
#include <string>

#include "common/viewer/source_list.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/chart_view.h"
#include "platform/gdi/drawing_log.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A chart file of n plain node lines under one root.
void write_chart(const std::string& path, int rows) {
    std::string text = " [JOV:TRD:V1.00 ]\r\n1+root <a.c(1)>\r\n";
    for (int i = 2; i <= rows; ++i) text += std::to_string(i) + "++f" + std::to_string(i) + " <a.c(" + std::to_string(i) + ")>\r\n";
    write_raw(path, text);
}

TEST_F(OrbalineTest, StartWithoutSettingsFileEndsWithMinusThree) {
    std::filesystem::remove(program.path("oq1000s.prm"));
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, kOrbalineExitSettingsUnreadable);
    ASSERT_NE(last_box(), nullptr);
    EXPECT_TRUE(contains(last_box()->text, message(105)));
    EXPECT_TRUE(contains(last_box()->text, "oq1000s.prm"));
}

TEST_F(OrbalineTest, StartWithAnotherSignatureEndsWithMinusFour) {
    std::vector<uint8_t> bytes = build_standard_settings(kOrbalineSettings);
    bytes[0] = 'G';
    write_settings(bytes);
    EXPECT_FALSE(start());
    EXPECT_TRUE(exit_code == kOrbalineExitSettingsWrongVersion || exit_code == kOrbalineExitSettingsUnreadable)
        << exit_code;
    ASSERT_NE(last_box(), nullptr);
}

TEST_F(OrbalineTest, FirstStartPlacesTheFrameAndGreysTheChartMenus) {
    ASSERT_TRUE(start());
    RECT r{};
    GetWindowRect(frame(), &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, 880);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_EQ(text_of(frame()), "ORBALINE");
    for (int position : {1, 2, 3, 5, 6, 7}) EXPECT_TRUE(popup_greyed(position)) << position;
    for (int position : {0, 4, 8}) EXPECT_FALSE(popup_greyed(position)) << position;
    EXPECT_TRUE(item_greyed(kGenerateCommand));
    EXPECT_TRUE(item_greyed(kSaveCommand));
    for (int id = kNextButtonId; id <= kLastButtonId; ++id) EXPECT_FALSE(IsWindowEnabled(button(id))) << id;
    EXPECT_EQ(automation::status_text(), message(kMsgSelectFile));
    // the nest-level display is on
    EXPECT_TRUE((automation::menu_item_state(kNestLevelCommand) & MF_CHECKED) != 0);
}

TEST_F(OrbalineTest, OpeningAListWithoutChartGeneratesAndDrawsIt) {
    ASSERT_TRUE(start());
    clear_drawing_log();
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    EXPECT_TRUE(std::filesystem::exists(dir.path("two.trd")));
    EXPECT_EQ(chart().row_count(), 7);
    EXPECT_EQ(text_of(frame()), "two.nam - ORBALINE");
    EXPECT_EQ(text_of(shell().counter_box), "   1/7   ");
    EXPECT_FALSE(item_greyed(kGenerateCommand));
    EXPECT_FALSE(popup_greyed(1));

    // every node a box with the 2-pixel pen; the first one's corners, at
    // cell column 6, shifted by one cell left and 10 pixels up
    const ChartMetrics m = chart_metrics();
    const RECT want{6 * 7 - 7, 14 + 7 - 10, (6 + 2 * m.box_width + 2) * 7 - 7, (1 + m.box_lines + 2) * 14 - 7 - 10};
    int boxes = 0;
    bool first_box = false, name_drawn = false, marker = false;
    for (const DrawingLogEntry& e : drawing_log_entries_for_window(view())) {
        if (e.op == "Rectangle" && contains(e.params, "pen=solid,2")) {
            ++boxes;
            if (e.logical.size() == 2 && e.logical[0].x == want.left && e.logical[0].y == want.top &&
                e.logical[1].x == want.right && e.logical[1].y == want.bottom)
                first_box = true;
        }
        if (e.op == "TextOutA" && e.text.rfind("main", 0) == 0) name_drawn = true;
        if (e.op == "BitBlt") marker = true;
    }
    EXPECT_GE(boxes, 7);
    EXPECT_TRUE(first_box);
    EXPECT_TRUE(name_drawn);
    EXPECT_TRUE(marker);
    automation::capture_png(frame(), dir.path("chart.png"));
}

// A four-row chart (a root, a child with a child of its own, a last child)
// drawn with one and with three box lines: boxes, connectors, texts, row
// numbers and the marker where the cell grid puts them (cells 7 x 14, the
// view shifted one cell left and 10 pixels up).
TEST_F(OrbalineTest, AFourRowChartIsDrawnOnItsCellGridAtBothBoxSizes) {
    write_raw(dir.path("four.nam"), "");
    write_raw(dir.path("four.trd"), " [JOV:TRD:V1.00 ]\r\n1+root <a.c(1)>\r\n2++left <a.c(2)>\r\n"
                                    "3+++deep <a.c(3)>\r\n4++right <a.c(4)>\r\n");
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("four.nam"), false));
    ASSERT_EQ(chart().row_count(), 4);
    // an entry of that call ending at that point (a text call drawing a text that starts so)
    const auto has = [](const std::vector<DrawingLogEntry>& log, const char* op, POINT at, const std::string& text = {}) {
        for (const DrawingLogEntry& e : log) {
            if (e.op == op && !e.logical.empty() && e.logical.back().x == at.x && e.logical.back().y == at.y &&
                e.text.rfind(text, 0) == 0)
                return true;
        }
        return false;
    };
    for (const int lines : {1, 3}) {
        SCOPED_TRACE(lines);
        chart().box_lines = lines;
        chart().row_numbers = 1;
        clear_drawing_log();
        reload_chart_view(1);
        automation::run_until_idle();
        const std::vector<DrawingLogEntry> log = drawing_log_entries_for_window(view());
        const int w = chart().box_width;
        const int pitch = lines + 2;
        int boxes = 0, connectors = 0;
        for (const DrawingLogEntry& e : log) {
            if (e.op == "Rectangle" && contains(e.params, "pen=solid,2")) ++boxes;
            if (e.op == "LineTo" && contains(e.params, "pen=solid,1")) ++connectors;
        }
        EXPECT_EQ(boxes, 4);
        // row 2: a branch with its arm; row 3: the pass-through and a last
        // branch with its arm; row 4: a last branch with its arm
        EXPECT_EQ(connectors, 7);
        // the box of "deep" (row 3, column 2): its lower right corner
        const int top3 = pitch * 2 + 1;
        EXPECT_TRUE(has(log, "Rectangle", {(8 * 2 + 6 + 2 * w + 2) * 7 - 7, (top3 + pitch) * 14 - 7 - 10}));
        // the arm of "right" (row 4) ends at its box, at the row's middle line
        const int middle4 = pitch * 3 + pitch / 2 + 1 - (lines % 2 == 0 ? 1 : 0);
        EXPECT_TRUE(has(log, "LineTo", {(10 + 4) * 7 - 7, middle4 * 14 + 7 - 10}));
        // texts start one cell into the box; the row number follows the box
        EXPECT_TRUE(has(log, "TextOutA", {(8 * 2 + 7) * 7 - 7, (top3 + 1) * 14 - 10}, "deep"));
        const int number_line = lines > 1 ? top3 + 2 : top3 + 1;
        EXPECT_TRUE(has(log, "TextOutA", {(8 * 2 + 7 + 2 * w + 1) * 7 - 7, number_line * 14 + 2 - 10}, " [3]"));
        bool marker = false;
        for (const DrawingLogEntry& e : log) marker = marker || e.op == "BitBlt";
        EXPECT_TRUE(marker);
    }
    automation::capture_png(frame(), dir.path("four.png"));
}

TEST_F(OrbalineTest, FunctionKeysPageThroughAHundredRows) {
    write_raw(dir.path("big.nam"), "");
    write_chart(dir.path("big.trd"), 100);
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("big.nam"), false));
    ASSERT_EQ(chart().row_count(), 100);
    const int visible = chart().visible_rows;
    ASSERT_GT(visible, 2);
    int low = 0, high = 0;
    GetScrollRange(view(), SB_VERT, &low, &high);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 100 - visible + 2);

    EXPECT_FALSE(IsWindowEnabled(button(kPreviousButtonId)));
    automation::press_key("F1");
    EXPECT_EQ(chart().top_row, visible);
    EXPECT_TRUE(IsWindowEnabled(button(kPreviousButtonId)));
    automation::press_key("F4");
    EXPECT_EQ(chart().top_row, 100 - visible + 2);
    EXPECT_FALSE(IsWindowEnabled(button(kNextButtonId)));
    const size_t beeps = automation::beeps().size();
    automation::press_key("F1");
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(automation::status_text(), message(604));
    automation::press_key("F3");
    EXPECT_EQ(chart().top_row, 1);
    automation::press_key("F2");
    EXPECT_EQ(automation::status_text(), message(603));
    // F5 turns the link off and on
    automation::press_key("F5");
    EXPECT_EQ(text_of(button(kLinkButtonId)), "\x94\xf1\x98" "A\x93\xae[F5]");
    automation::press_key("F5");
    EXPECT_EQ(text_of(button(kLinkButtonId)), "\x98" "A\x93\xae[F5]");
}

TEST_F(OrbalineTest, AClickSelectsANodeAndOpensItsSource) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    // row 2 ("report"), depth 1
    automation::click(view(), 110, row_y(1));
    automation::run_until_idle();
    EXPECT_EQ(chart().selected_row, 2);
    EXPECT_EQ(text_of(shell().counter_box), "   2/7   ");
    EXPECT_TRUE(source_list_open());
    EXPECT_TRUE(contains(document_state().source_name, "alpha.c"));
    // left of a box selects nothing
    automation::click(view(), 10, row_y(1));
    automation::run_until_idle();
    EXPECT_EQ(chart().selected_row, 2);
    // the undefined function: the generator's mark says it has no source
    automation::click(view(), 150, row_y(4));
    automation::run_until_idle();
    EXPECT_EQ(chart().selected_row, 5);
    EXPECT_EQ(automation::status_text(), message(611));  // 未定義関数です。
    EXPECT_FALSE(source_list_open());
}

TEST_F(OrbalineTest, ClosingAModifiedChartAsksAndNoKeepsTheProgram) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    automation::click(view(), 110, row_y(1));
    automation::answer_next_message_box(IDYES);
    automation::choose_menu_command(kFirstEditCommand + 1);
    automation::run_until_idle();
    ASSERT_TRUE(chart().modified);
    EXPECT_FALSE(item_greyed(kSaveCommand));

    automation::answer_next_message_box(IDNO);
    automation::close_window(frame());
    automation::run_until_idle();
    EXPECT_TRUE(IsWindow(frame()));
    ASSERT_NE(last_box(), nullptr);
    EXPECT_TRUE(contains(last_box()->text, message(kMsgChartModified)));
    EXPECT_FALSE(automation::quit_received());
}

TEST_F(OrbalineTest, ClosingWhileBusyDoesNothing) {
    ASSERT_TRUE(start());
    set_busy_state(0);
    automation::close_window(frame());
    automation::run_until_idle();
    EXPECT_TRUE(IsWindow(frame()));
    for (int position = 0; position < kOrbalinePopupCount; ++position) EXPECT_TRUE(popup_greyed(position));
    set_busy_state(1);
    EXPECT_FALSE(popup_greyed(0));
    EXPECT_FALSE(popup_greyed(kOrbalineHelpPopup));
}

TEST_F(OrbalineTest, ExitRemovesTheWorkingCopyAndKeepsTheChart) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    EXPECT_TRUE(std::filesystem::exists(dir.path("oq$$$$.trd")));
    finish_orbaline();
    started = false;
    EXPECT_FALSE(std::filesystem::exists(dir.path("oq$$$$.trd")));
    EXPECT_TRUE(std::filesystem::exists(dir.path("two.trd")));
}

TEST_F(OrbalineTest, HidingTheNestLevelMovesTheViewUp) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    RECT before{}, after{};
    ASSERT_TRUE(shell().ruler_shown);
    GetWindowRect(view(), &before);
    RECT ruler{};
    GetWindowRect(shell().ruler, &ruler);
    EXPECT_EQ(ruler.bottom, before.top);
    automation::choose_menu_command(kNestLevelCommand);
    automation::run_until_idle();
    GetWindowRect(view(), &after);
    EXPECT_EQ(after.top, before.top - 12);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_FALSE((automation::menu_item_state(kNestLevelCommand) & MF_CHECKED) != 0);
}

}  // namespace
