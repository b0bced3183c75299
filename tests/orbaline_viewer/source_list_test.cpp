// ORBALINE's source list: where the listing of a node's line starts (the
// "/*" back-up, a line past the end), its tabs and title, the boxes of a cut
// line, of the line limit and of a source that cannot be read, steps
// without a source, and the search that starts at the current line.
#include <filesystem>
#include <string>
#include <vector>

#include "common/shell/viewer/source_list.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/source_view.h"
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

}  // namespace
