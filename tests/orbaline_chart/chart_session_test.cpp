// Opening a chart: the settings check, the working copy, loading, and the
// lookups of a function's node.
#include <string>

#include "chart_fixture.h"

namespace chart_test {
namespace {

using ChartSessionTest = ChartTest;

TEST_F(ChartSessionTest, OpeningByListNameReadsTheChartBesideIt) {
    write_raw(dir_.path("four.trd"), read_raw(chart_data("four-scrambled.trd")));
    ASSERT_EQ(open_chart(session(), dir_.path("four.nam")), 0);
    EXPECT_EQ(session().chart_path, dir_.path("four.trd"));
    EXPECT_TRUE(session().loaded);
    EXPECT_FALSE(session().modified);
    EXPECT_EQ(session().row_count(), 4);
    EXPECT_EQ(session().selected_row, 1);
    EXPECT_EQ(session().selected_column, 0);
    EXPECT_EQ(session().top_row, 1);
    EXPECT_EQ(session().visible_rows, kDefaultVisibleRows);
    // The working copy holds the chart's lines as they are (CR LF ended).
    EXPECT_EQ(read_raw(dir_.path("oq$$$$.trd")), read_raw(dir_.path("four.trd")));
    EXPECT_EQ(lines_.front(), format_text(orbaline_message(kMsgReadingFile), dir_.path("four.trd").c_str()));
    close_chart(session());
    EXPECT_FALSE(file_exists(dir_.path("oq$$$$.trd")));
}

TEST_F(ChartSessionTest, ViewSettingsAreCopiedAndHeldToTheirRanges) {
    change_settings([](SettingsRecord& r) {
        r.set_word(oq_settings::kLinkMode, 0);
        r.set_word(oq_settings::kRowNumbers, 1);
        r.set_word(oq_settings::kBoxWidth, 40);
        r.set_word(oq_settings::kBoxLines, 0);
        r.set_word(oq_settings::kTabWidth, 8);
    });
    copy_fixture("four.trd");
    ASSERT_EQ(open_chart(session(), dir_.path("four.trd")), 0);
    EXPECT_EQ(session().box_width, 32);
    EXPECT_EQ(session().box_lines, 1);
    EXPECT_EQ(session().tab_width, 8);
    EXPECT_EQ(session().row_numbers, 1);
    // Opening a chart turns the link mode on.
    EXPECT_EQ(session().link_mode, 1);
    EXPECT_EQ(shell_settings().word(oq_settings::kLinkMode), 1);
}

TEST_F(ChartSessionTest, TheLastChartFieldTakesALongPathCutAtACharacter) {
    // 61 bytes of folder, then a double-byte character across byte 63.
    const std::string folder = dir_.path(std::string(60 - dir_.path().size() % 60, 'd'));
    std::filesystem::create_directory(folder);
    const std::string chart = folder + "/\x95\x5C\x8E\xA6\x95\x5C\x8E\xA6\x95\x5C\x8E\xA6.trd";
    write_raw(folder + "/表示表示表示.trd", read_raw(chart_data("four.trd")));
    ASSERT_EQ(open_chart(session(), chart), 0);
    const std::string stored = shell_settings().text(oq_settings::kLastChart);
    EXPECT_LE(stored.size(), 63u);
    EXPECT_EQ(chart.compare(0, stored.size(), stored), 0);
    // The field's zero is there and the link mode after the gap is untouched.
    const auto bytes = shell_settings().bytes();
    EXPECT_EQ(bytes[oq_settings::kLastChart.offset + 63], 0);
    EXPECT_EQ(shell_settings().word(oq_settings::kLinkMode), 1);
}

TEST_F(ChartSessionTest, SettingsThatCannotBeReadOrAreOfAnotherKind) {
    copy_fixture("four.trd");
    session().chart_path = dir_.path("four.trd");
    std::filesystem::remove(program_ + "/oq1000s.prm");
    EXPECT_EQ(init_chart_session(session()), kChartSettingsUnreadable);
    EXPECT_EQ(beeps_, 1);

    write_raw(program_ + "/oq1000s.prm", "GE1.00" + std::string(3945, '\0'));
    EXPECT_EQ(init_chart_session(session()), kChartSettingsWrongKind);
    write_raw(program_ + "/oq1000s.prm", "OE1.01" + std::string(3945, '\0'));
    EXPECT_EQ(init_chart_session(session()), kChartSettingsWrongKind);
    EXPECT_FALSE(session().state_open);
}

TEST_F(ChartSessionTest, NoMemoryForTheGridOrNoChartToCopy) {
    copy_fixture("four.trd");
    platform_fail_next_allocations(1);
    EXPECT_EQ(open_chart(session(), dir_.path("four.trd")), kChartNoMemory);
    platform_fail_next_allocations(0);
    EXPECT_EQ(open_chart(session(), dir_.path("missing.trd")), kChartNoWorkingCopy);
    EXPECT_EQ(open_chart(session(), ""), kChartNoWorkingCopy);
    EXPECT_FALSE(session().loaded);
}

TEST_F(ChartSessionTest, AChartWithoutNodeLinesOpensNothing) {
    write_chart("header.trd", {header_line()});
    EXPECT_EQ(open_chart(session(), dir_.path("header.trd")), -1);
    EXPECT_FALSE(session().loaded);
}

TEST_F(ChartSessionTest, TheWorkingCopyIsNeverTheChartItself) {
    copy_fixture("four.trd");
    const std::string chart = dir_.path("oq$$$$.trd");
    write_raw(chart, read_raw(chart_data("four.trd")));
    const std::string before = read_raw(chart);
    EXPECT_EQ(open_chart(session(), chart), kChartNoWorkingCopy);
    EXPECT_EQ(read_raw(chart), before);
}

// A folder, or a link to a file outside, where the working copy goes: the
// chart is not opened, the reason is told, and nothing is written there or
// through the link.
TEST_F(ChartSessionTest, AWorkingCopyNameTakenByAFolderOrALinkOpensNothing) {
    TempDir outside;
    const std::string target = outside.path("target");
    const std::string working = dir_.path("oq$$$$.trd");
    const std::string chart = copy_fixture("four.trd");
    for (const bool link : {false, true}) {
        block_name(working, link, target);
        boxes_.clear();
        EXPECT_EQ(open_chart(session(), chart), kChartNoWorkingCopy) << link;
        EXPECT_FALSE(session().loaded);
        ASSERT_EQ(boxes_.size(), 1u) << link;
        EXPECT_EQ(boxes_[0].text, message(kMsgTempFileError) + "\n" + working);
        if (link) {
            EXPECT_EQ(read_raw(target), "outside");
            EXPECT_TRUE(std::filesystem::is_symlink(working));
        }
        EXPECT_EQ(read_raw(chart), read_raw(chart_data("four.trd")));
        close_chart(session());
    }
}

TEST_F(ChartSessionTest, APoolThatCannotGrowShowsItsOwnMessage) {
    write_chart("wide.trd", {header_line(), "1+" + std::string(70000, 'w') + ";\t"});
    session().chart_path = dir_.path("wide.trd");
    ASSERT_EQ(init_chart_session(session()), 0);
    platform_fail_next_allocations(1);
    EXPECT_EQ(load_chart(session(), 0), -1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, kCaptionMakeChart);
    EXPECT_EQ(boxes_[0].text, message(kMsgTooManyTexts));
    EXPECT_NE(boxes_[0].text, message(kMsgGenerationEnded));
    EXPECT_FALSE(session().loaded);
}

class FunctionLookupTest : public ChartTest {
protected:
    void SetUp() override {
        ChartTest::SetUp();
        std::vector<std::string> lines = {header_line(), "1+main             <main.c(5)>;entry\t"};
        for (int n = 2; n <= 40; ++n) lines.push_back(std::to_string(n) + "++f" + std::to_string(n) + ";\t <UNDEFINED>");
        lines.push_back("41++Report           <Io.c(2)>;report\t");
        lines.push_back("42++operator<        <op.cpp(3)>;less\t");
        write_chart("look.trd", lines);
        ASSERT_EQ(open_chart(session(), dir_.path("look.trd")), 0);
        session().hooks.selection_moved = [this] { ++moved_; };
    }
    int moved_ = 0;
};

TEST_F(FunctionLookupTest, SelectsTheNodeAndScrollsItIntoView) {
    ASSERT_EQ(select_chart_function(session(), "report", "IO.C"), 0);
    EXPECT_EQ(session().selected_row, 41);
    EXPECT_EQ(session().selected_column, 1);
    EXPECT_EQ(session().previous_row, 1);
    // Row 41 lies below the 21 visible rows: the top row is the row above
    // it, but no further down than leaves the view full.
    EXPECT_EQ(session().top_row, 42 - kDefaultVisibleRows + 2);
    EXPECT_EQ(moved_, 1);

    ASSERT_EQ(select_chart_function(session(), "MAIN", "main.c"), 0);
    EXPECT_EQ(session().top_row, 1);
    EXPECT_EQ(session().previous_row, 41);
}

TEST_F(FunctionLookupTest, ARowInViewKeepsTheTopRow) {
    session().top_row = 30;
    ASSERT_EQ(select_chart_function(session(), "report", "io.c"), 0);
    EXPECT_EQ(session().top_row, 30);
}

TEST_F(FunctionLookupTest, NotFoundBeepsAndShowsTheFile) {
    EXPECT_EQ(select_chart_function(session(), "report", "other.c"), -1);
    EXPECT_EQ(beeps_, 1);
    EXPECT_EQ(lines_.back(), "other.c");
    EXPECT_EQ(session().selected_row, 1);
    EXPECT_EQ(moved_, 0);
    // Undefined nodes have no file, so they are never found with one.
    EXPECT_EQ(select_chart_function(session(), "f2", ""), -1);
}

TEST_F(FunctionLookupTest, CaseFoldingTouchesSingleByteLettersOnly) {
    int column = 0;
    int row = 0;
    EXPECT_EQ(find_row_by_name_only(session(), "F17", column, row), 0);
    EXPECT_EQ(row, 17);
    EXPECT_EQ(find_row_by_name(session(), "OP.CPP", "OPERATOR<", column, row), 0);
    EXPECT_EQ(row, 42);
    EXPECT_EQ(find_row_by_name_only(session(), "nothing", column, row), -1);
    EXPECT_EQ(lines_.back(), "nothing");
}

TEST_F(FunctionLookupTest, NodeNameAndFileOfCells) {
    std::string out;
    EXPECT_EQ(get_node_name(session(), 0, 1, out), 0);
    EXPECT_EQ(out, "main");
    EXPECT_EQ(get_node_file(session(), 0, 1, out), 0);
    EXPECT_EQ(out, "main.c");
    EXPECT_EQ(get_node_file(session(), 1, 2, out), -1);
    EXPECT_EQ(get_node_name(session(), kChartColumns, 1, out), -1);
    EXPECT_EQ(get_node_name(session(), 0, 43, out), -1);
    EXPECT_EQ(get_node_name(session(), 0, 2, out), 0);
    EXPECT_EQ(out, "");  // the connector's blank
}

}  // namespace
}  // namespace chart_test
