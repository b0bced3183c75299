// ORBALINE's source list: where the listing of a node's line starts (the
// "/*" back-up, a line past the end), its tabs and title, the boxes of a cut
// line, of the line limit and of a source that cannot be read, steps
// without a source, the search that starts at the current line, the current
// line brought into view near the end, and line steps that move the pixels.
#include <filesystem>
#include <algorithm>
#include <string>
#include <vector>

#include "common/text/text_helpers.h"
#include "common/viewer/source_list.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/source_view.h"
#include "platform/gdi/drawing_log.h"
#include "resources/orbaline/orbaline_resources.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

// 【 ソースリスト読み込み 】, ｿｰｽﾘｽﾄ, 検索
const std::string kLoadCaption =
    "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x93\xc7\x82\xdd\x8d\x9e\x82\xdd \x81z";
const std::string kSourceTitle = "\xbf\xb0\xbd\xd8\xbd\xc4";
const std::string kSearchCaption = "\x8c\x9f\x8d\xf5";

// A listing of `count` lines and its end marker; the lines in `comments`
// (from 1) begin with "/*".
SourceText listing(int count, const std::vector<int>& comments) {
    SourceText text;
    for (int line = 1; line <= count; ++line) {
        bool comment = false;
        for (int c : comments) comment = comment || c == line;
        text.entries.push_back(format_text(" %5d %s", line, comment ? "/* head */" : "x = 1;"));
    }
    text.entries.push_back(format_text(" %5d [EOF]", count + 1));
    return text;
}

TEST(SourceListingStart, ACommentHeadUpToNineteenLinesAboveStartsTheListing) {
    EXPECT_EQ(chart_source_start(listing(100, {31}), 50, 20).first_line, 31);
    EXPECT_EQ(chart_source_start(listing(100, {31}), 50, 20).top, 30);
    EXPECT_EQ(chart_source_start(listing(100, {30}), 50, 20).first_line, 50) << "20 lines above is too far";
    EXPECT_EQ(chart_source_start(listing(100, {40, 45}), 50, 20).first_line, 45) << "the nearest one";
    EXPECT_EQ(chart_source_start(listing(100, {50}), 50, 20).first_line, 50);
}

TEST(SourceListingStart, LineOneIsNeverTakenForAHead) {
    EXPECT_EQ(chart_source_start(listing(100, {1}), 5, 20).first_line, 5);
    EXPECT_EQ(chart_source_start(listing(100, {2}), 5, 20).first_line, 2);
}

TEST(SourceListingStart, ALinePastTheEndShowsTheEndWithTheListFull) {
    // 101 entries with the end marker, 20 rows of which 19 show whole
    const SourceListingStart start = chart_source_start(listing(100, {}), 150, 20);
    EXPECT_EQ(start.first_line, 101 - 20 + 3);
    EXPECT_EQ(start.top, 101 - 19 + 1);
    // near the end the list still ends at the last entry
    EXPECT_EQ(chart_source_start(listing(100, {}), 95, 20).top, 101 - 19 + 1);
    // a short source starts at its top
    EXPECT_EQ(chart_source_start(listing(5, {}), 3, 20).top, 0);
}

class SourceListWindow : public OrbalineTest {
protected:
    // A chart of one node naming `source` at `line`, opened; the source list
    // shown on it.
    void open_node(const std::string& source_text, int line) {
        write_raw(dir.path("node.c"), source_text);
        write_raw(dir.path("one.nam"), "node.c\r\n");
        write_raw(dir.path("one.trd"),
                  " [JOV:TRD:V1.00 ]\r\n1+main <node.c(" + std::to_string(line) + ")>\r\n");
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_list(dir.path("one.nam"), false));
        ASSERT_EQ(chart().row_count(), 1);
        automation::choose_menu_command(kSourceListCommand);
        automation::run_until_idle();
    }
    static std::string lines(int count, const std::string& last = "x = 1;") {
        std::string text;
        for (int i = 1; i < count; ++i) text += "x = " + std::to_string(i) + ";\r\n";
        return text + last + "\r\n";
    }
    static std::string lower(std::string text) {
        to_lower_ascii(text);
        return text;
    }
    int shown_rows() const { return source_list().list_height / kSourceRowHeight - 1; }
};

TEST_F(SourceListWindow, TabsAreExpandedAndTheTitleNamesTheFile) {
    std::vector<uint8_t> bytes = build_standard_settings(kOrbalineSettings);
    bytes.at(oq_settings::kTabWidth.offset) = 4;
    bytes.at(oq_settings::kTabWidth.offset + 1) = 0;
    write_settings(bytes);
    open_node("int f(void)\r\n{\r\n\tif (a)\tb();\r\n}\r\n", 1);
    ASSERT_TRUE(source_list_open());
    const SourceListState& s = source_list();
    ASSERT_GE(s.text.count(), 5);
    EXPECT_EQ(s.text.entries[2], "     3     if (a)  b();");
    EXPECT_EQ(s.text.entries[4], "     5 [EOF]");
    EXPECT_EQ(automation::window_text(s.view), "node.c - " + kSourceTitle);
}

TEST_F(SourceListWindow, ALongLineIsCutAndReported) {
    const std::string path = dir.path("node.c");
    automation::answer_next_message_box(IDOK);
    open_node("short\r\n" + std::string(300, 'a') + "\r\nend\r\n", 1);
    ASSERT_NE(last_box(), nullptr);
    EXPECT_EQ(last_box()->caption, kLoadCaption);
    EXPECT_EQ(lower(last_box()->text), lower(message(724) + "\n" + path));
    EXPECT_EQ(source_list().text.entries[1].size(), 7u + 256u);
    EXPECT_EQ(source_list().text.entries[2], "     3 end") << "the rest of the long line is no further line";
}

TEST_F(SourceListWindow, TheLineLimitStopsTheListingWithItsOwnMessage) {
    const std::string path = dir.path("node.c");
    automation::answer_next_message_box(IDOK);
    open_node(lines(10050), 9990);
    ASSERT_NE(last_box(), nullptr);
    EXPECT_EQ(last_box()->caption, kLoadCaption);
    EXPECT_EQ(lower(last_box()->text), lower(message(405) + "\n" + message(716) + "\n" + path));
    EXPECT_EQ(source_list().text.count(), kMaxSourceLines) << "no end marker after the limit";
}

TEST_F(SourceListWindow, ANodePastTheEndShowsTheEnd) {
    open_node(lines(300), 400);
    const SourceListState& s = source_list();
    // the end marker near the bottom: the list ends one row short of full
    // (and may have grown by the row of a scroll bar that went once the
    // ranges were set)
    const int below_top = s.text.count() - s.top;
    EXPECT_GE(below_top, shown_rows() - 2);
    EXPECT_LE(below_top, shown_rows());
    EXPECT_EQ(document_state().current_source_line, 400);
}

TEST_F(SourceListWindow, ACommentHeadAboveTheNodeComesFirst) {
    // a head 19 lines above the node's line 60 starts the listing
    open_node(lines(40) + "/* the function */\r\n" + lines(100), 60);
    EXPECT_EQ(source_list().top, 40);
    EXPECT_EQ(document_state().current_source_line, 60) << "the node's line stays the marked one";
}

TEST_F(SourceListWindow, ASourceThatCannotBeReadLeavesTheChartLoaded) {
    open_node(lines(10), 1);
    std::filesystem::remove(dir.path("node.c"));
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_source_text(), -1);
    ASSERT_NE(last_box(), nullptr);
    // ファイルオープンエラー確認
    EXPECT_EQ(last_box()->caption, "\x83t\x83\x40\x83" "C\x83\x8b\x83I\x81[\x83v\x83\x93\x83G\x83\x89\x81[\x8am\x94" "F");
    EXPECT_EQ(lower(last_box()->text), lower(message(100) + "\n" + format_text(message(101).c_str(), dir.path("node.c").c_str())));
    EXPECT_TRUE(document_state().loaded) << "the chart is still there";
    EXPECT_FALSE(document_state().source_loaded);
    EXPECT_FALSE(item_greyed(kGenerateCommand));

    // no source named at all: 617 under the list's own caption
    document_state().source_name.clear();
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_source_text(), -1);
    EXPECT_EQ(last_box()->caption, "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\x5c\x8e\xa6 \x81z");  // 【 ソースリスト表示 】
    EXPECT_EQ(last_box()->text, message(617));
}

TEST_F(SourceListWindow, AClickMarksItsLineAndTheSearchGoesOnAfterItsLastHit) {
    open_node(lines(10), 2);
    SourceListState& s = source_list();
    s.search_start = 8;
    automation::click(s.list, 20, 4 * kSourceRowHeight + 5);
    automation::run_until_idle();
    EXPECT_EQ(document_state().current_source_line, s.top + 5);
    EXPECT_EQ(s.search_start, 8);
    // below the end marker: a beep and message 405
    const size_t beeps = automation::beeps().size();
    automation::click(s.list, 20, (s.text.count() - s.top + 2) * kSourceRowHeight + 5);
    automation::run_until_idle();
    EXPECT_EQ(document_state().current_source_line, s.top + 5);
    EXPECT_GT(automation::beeps().size(), beeps);
    EXPECT_EQ(automation::status_text(), message(405));
}

TEST_F(SourceListWindow, StepsWithoutASourceSayWhy) {
    open_node(lines(10), 1);
    document_state().source_loaded = false;
    EXPECT_EQ(scroll_source_view(0, source_list().view, SB_LINEDOWN), -1);
    EXPECT_EQ(automation::status_text(), message(kMsgNoChart)) << "a chart is named";
}

TEST_F(SourceListWindow, TheSearchStartsAtTheCurrentLineAndFillsTheListAtTheEnd) {
    open_node(lines(200, "needle at the end"), 5);
    SourceListState& s = source_list();
    std::vector<int> found;
    const size_t before = automation::message_boxes().size();
    automation::when_idle([] {
        SetWindowTextA(automation::find_window(automation::WindowSpec::control(orbaline_resources::kSearchField)),
                       "x = 5;");
        automation::press_button(IDOK);
    });
    automation::when_idle([&] {
        found.push_back(document_state().current_source_line);
        SetWindowTextA(automation::find_window(automation::WindowSpec::control(orbaline_resources::kSearchField)),
                       "needle");
        automation::press_button(IDOK);
    });
    automation::when_idle([&] {
        found.push_back(document_state().current_source_line);
        found.push_back(s.top);
        automation::answer_next_message_box(IDOK);
        automation::press_button(IDOK);  // no further hit
    });
    automation::when_idle([] { automation::press_button(IDCANCEL); });
    search_source(s.view, 0);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], 5) << "the current line itself is searched first";
    EXPECT_EQ(found[1], 200);
    EXPECT_EQ(found[2], s.text.count() - shown_rows() + 1) << "the list ends at its last entry";
    ASSERT_EQ(automation::message_boxes().size(), before + 1);
    EXPECT_EQ(automation::message_boxes().back().caption, kSearchCaption);
    EXPECT_EQ(automation::message_boxes().back().text, message(715));
}

TEST_F(SourceListWindow, ACurrentLineNearTheEndKeepsTheListFilled) {
    open_node(lines(300), 1);
    SourceListState& s = source_list();
    ASSERT_EQ(s.top, 0);
    const int rows = s.list_height / kSourceRowHeight;
    const int count = s.text.count();
    document_state().current_source_line = count - 2;
    ASSERT_EQ(show_current_source_line(), 0);
    EXPECT_EQ(s.top, count - rows + 3) << "not half a list above the line";
    EXPECT_LT(s.top, count - 2 - s.list_height / 30);
    // away from the end the line comes half a list from the top
    document_state().current_source_line = 100;
    ASSERT_EQ(show_current_source_line(), 0);
    EXPECT_EQ(s.top, 100 - s.list_height / 30);
}

class SourceLineSteps : public SourceListWindow {
protected:
    static std::vector<DrawingLogEntry> calls(const char* op) {
        std::vector<DrawingLogEntry> out;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(source_list().list))
            if (e.op == op) out.push_back(e);
        return out;
    }
    static std::vector<int> text_rows() {
        std::vector<int> out;
        for (const DrawingLogEntry& e : calls("TextOutA")) out.push_back(e.logical.at(0).y);
        return out;
    }
    // A fill of the whole list: the list drawn afresh.
    static bool whole_list_filled() {
        const SourceListState& s = source_list();
        for (const DrawingLogEntry& e : calls("FillRect"))
            if (e.logical.at(0).y == 0 && e.logical.at(1).y >= s.list_height) return true;
        return false;
    }
    // Every pixel of the list, for comparing pictures.
    static std::vector<COLORREF> list_pixels() {
        const SourceListState& s = source_list();
        std::vector<COLORREF> out;
        for (int y = 0; y < s.list_height; ++y)
            for (int x = 0; x < s.list_width; x += 3) out.push_back(automation::pixel_at(s.list, x, y));
        return out;
    }
    // What a full redraw at the same position shows.
    static std::vector<COLORREF> redrawn_pixels() {
        forget_source_marker();
        draw_source_lines();
        return list_pixels();
    }
    int step(WPARAM request) {
        clear_drawing_log();
        const int result = scroll_source_view(0, source_list().view, request);
        automation::run_until_idle();
        return result;
    }
};

TEST_F(SourceLineSteps, AStepDownCopiesTheRowsUpAndDrawsTheBottomOnly) {
    open_node(lines(200), 12);
    SourceListState& s = source_list();
    const int top = s.top;
    ASSERT_EQ(step(SB_LINEDOWN), 0);
    EXPECT_EQ(s.top, top + 1);
    const std::vector<DrawingLogEntry> copies = calls("BitBlt");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].logical.at(0).y, 0);
    EXPECT_EQ(copies[0].logical.at(2).y, kSourceRowHeight) << "copied from one row lower";
    EXPECT_FALSE(whole_list_filled());
    const int rows = s.list_height / kSourceRowHeight;
    EXPECT_EQ(text_rows(), (std::vector<int>{(rows - 2) * kSourceRowHeight, (rows - 1) * kSourceRowHeight,
                                             rows * kSourceRowHeight}));
    const std::vector<COLORREF> stepped = list_pixels();
    EXPECT_EQ(stepped, redrawn_pixels()) << "the same picture as a full redraw";
}

TEST_F(SourceLineSteps, AStepUpCopiesTheRowsDownAndDrawsTheTopOnly) {
    open_node(lines(200), 60);
    SourceListState& s = source_list();
    const int top = s.top;
    ASSERT_GT(top, 0);
    ASSERT_EQ(step(SB_LINEUP), 0);
    EXPECT_EQ(s.top, top - 1);
    const std::vector<DrawingLogEntry> copies = calls("BitBlt");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].logical.at(0).y, kSourceRowHeight);
    EXPECT_EQ(copies[0].logical.at(2).y, 0);
    EXPECT_FALSE(whole_list_filled());
    ASSERT_EQ(text_rows(), std::vector<int>{0});
    EXPECT_EQ(calls("TextOutA")[0].text, std::string(s.text.entries[static_cast<size_t>(top - 1)]).substr(6));
    const std::vector<COLORREF> stepped = list_pixels();
    EXPECT_EQ(stepped, redrawn_pixels());
}

TEST_F(SourceLineSteps, TheMarkedLineMovesWithItsTextAndOutOfView) {
    open_node(lines(200), 60);
    SourceListState& s = source_list();
    document_state().current_source_line = s.top + 4;
    ASSERT_EQ(show_current_source_line(), 0);
    const int marked = 3;
    ASSERT_EQ(s.list_marker_row, marked * kSourceRowHeight);
    ASSERT_EQ(step(SB_LINEDOWN), 0);
    EXPECT_EQ(s.list_marker_row, (marked - 1) * kSourceRowHeight);
    EXPECT_EQ(list_pixels(), redrawn_pixels());
    // stepped until the marked line has left the top: no marker remains
    for (int i = 0; i < marked + 1; ++i) ASSERT_EQ(step(SB_LINEDOWN), 0);
    EXPECT_EQ(s.list_marker_row, -1);
    EXPECT_EQ(list_pixels(), redrawn_pixels());
}

TEST_F(SourceLineSteps, OtherMovesAndAListBelowTheScreenDrawTheWholeList) {
    open_node(lines(200), 60);
    ASSERT_EQ(step(SB_PAGEDOWN), 0);
    EXPECT_TRUE(whole_list_filled());
    EXPECT_TRUE(calls("BitBlt").empty());
    // the list's bottom off the screen: nothing there to copy
    RECT r{};
    GetWindowRect(source_list().view, &r);
    MoveWindow(source_list().view, r.left, GetSystemMetrics(SM_CYSCREEN) - 100, r.right - r.left, r.bottom - r.top,
               TRUE);
    automation::run_until_idle();
    ASSERT_EQ(is_source_window_below_screen(), 1);
    ASSERT_EQ(step(SB_LINEDOWN), 0);
    EXPECT_TRUE(whole_list_filled());
    EXPECT_TRUE(calls("BitBlt").empty());
}

}  // namespace
