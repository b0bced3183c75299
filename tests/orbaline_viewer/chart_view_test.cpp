// The chart view's geometry: rows that fit, the chart's extent and scroll
// ranges, the hit test, the marker, the scroll steps of a 100-row chart and
// the node pane's text.
#include <string>

#include <gtest/gtest.h>

#include "orbaline/chart/chart_grid.h"
#include "orbaline/viewer/chart_view.h"
#include "platform/user/winuser.h"

namespace {

// A table filled as the reader and the line-code pass would: one node a
// row at the given depth.
class ViewTable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(table.alloc_chart_grid(), 0); }

    void add_row(int depth, const std::string& text) {
        const int row = ++table.row_count;
        table.clear_row(row);
        for (int c = 0; c < depth; ++c) table.set_code(row, c, kCodeLeftOfNode);
        ChartCell cell;
        cell.code = kCodeNode;
        ASSERT_EQ(table.store_chart_name(text, cell), 0);
        table.set_cell(row, depth, cell);
        table.clear_row(row + 1);
    }
    void code() { ASSERT_EQ(code_chart_lines(table), 0); }

    ChartTable table;
};

TEST(ChartGeometry, VisibleRowsRoundUpAndNeverFallBelowOne) {
    const ChartMetrics one{8, 1};  // 42 pixels a row
    EXPECT_EQ(chart_visible_rows(420, one), 10);
    EXPECT_EQ(chart_visible_rows(421, one), 11);
    EXPECT_EQ(chart_visible_rows(0, one), 1);
    EXPECT_EQ(chart_visible_rows(-19, one), 1);
    EXPECT_EQ(chart_visible_rows(10, ChartMetrics{8, 5}), 1);
}

TEST(ChartGeometry, ScrollLimits) {
    // fewer rows than fit: the range is 1 .. 1
    EXPECT_EQ(chart_vertical_limit(5, 12), 1);
    EXPECT_EQ(chart_vertical_limit(100, 12), 90);
    EXPECT_EQ(chart_horizontal_limit(40, 700), 0);
    EXPECT_EQ(chart_horizontal_limit(120, 700), 21);
}

TEST_F(ViewTable, ExtentIsTheWidestNodeAndTheHitTestFindsBoxesOnly) {
    add_row(0, "main <a.c(1)>");
    add_row(1, "sub <a.c(9)>");
    add_row(2, "leaf <b.c(3)>");
    code();
    const ChartMetrics m{8, 1};
    EXPECT_EQ(chart_extent(table, m), 8 * 2 + 16 + 4 + 12);

    int row = 0, column = 0;
    // row 2's box spans (8 + 4) x 7 .. (8 + 16 + 8) x 7 of the chart
    EXPECT_TRUE(chart_hit_test(table, m, 1, 0, 12 * 7, 42 + 5, &row, &column));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, 1);
    EXPECT_TRUE(chart_hit_test(table, m, 1, 0, 32 * 7, 42 + 5, &row, &column));
    // left of the box, on its connector: nothing
    EXPECT_FALSE(chart_hit_test(table, m, 1, 0, 12 * 7 - 1, 42 + 5, &row, &column));
    EXPECT_FALSE(chart_hit_test(table, m, 1, 0, 32 * 7 + 1, 42 + 5, &row, &column));
    // below the last row
    EXPECT_FALSE(chart_hit_test(table, m, 1, 0, 40, 3 * 42 + 1, &row, &column));
    // scrolled right by 8 columns, the same box lies 56 pixels further left
    EXPECT_TRUE(chart_hit_test(table, m, 1, 8, 4 * 7, 42 + 5, &row, &column));
    // scrolled down by a row, the top row on screen is row 2
    EXPECT_TRUE(chart_hit_test(table, m, 2, 0, 12 * 7, 5, &row, &column));
    EXPECT_EQ(row, 2);
}

TEST(ChartGeometry, MarkerSitsLeftOfTheBoxAndOneLineHigherForEvenBoxLines) {
    int x = 0, y = 0;
    ASSERT_TRUE(chart_marker_position(ChartMetrics{8, 1}, 1, 0, 1, 10, 0, &x, &y));
    EXPECT_EQ(x, 4 * 7 - 21);
    EXPECT_EQ(y, (3 / 2) * 14 + 4);
    ASSERT_TRUE(chart_marker_position(ChartMetrics{8, 2}, 3, 2, 1, 10, 0, &x, &y));
    EXPECT_EQ(x, 20 * 7 - 21 - 42);
    EXPECT_EQ(y, (2 * 4 + 2 - 1) * 14 + 4);
    // a row above the top is not drawn
    EXPECT_FALSE(chart_marker_position(ChartMetrics{8, 1}, 1, 0, 2, 10, 0, &x, &y));
}

TEST(ChartScrolling, VerticalStepsOfAHundredRowChart) {
    // 12 rows fit: a page moves by 11
    EXPECT_EQ(chart_vertical_step(SB_LINEUP, 0, 1, 100, 12), kChartScrollRefused);
    EXPECT_EQ(chart_vertical_step(SB_LINEDOWN, 0, 1, 100, 12), 2);
    EXPECT_EQ(chart_vertical_step(SB_PAGEDOWN, 0, 1, 100, 12), 12);
    EXPECT_EQ(chart_vertical_step(SB_PAGEDOWN, 0, 85, 100, 12), 90);
    EXPECT_EQ(chart_vertical_step(SB_PAGEDOWN, 0, 90, 100, 12), kChartScrollRefused);
    EXPECT_EQ(chart_vertical_step(SB_LINEDOWN, 0, 90, 100, 12), kChartScrollRefused);
    EXPECT_EQ(chart_vertical_step(SB_PAGEUP, 0, 5, 100, 12), 1);
    EXPECT_EQ(chart_vertical_step(SB_BOTTOM, 0, 1, 100, 12), 90);
    EXPECT_EQ(chart_vertical_step(SB_TOP, 0, 1, 100, 12), kChartScrollRefused);
    EXPECT_EQ(chart_vertical_step(SB_THUMBPOSITION, 500, 1, 100, 12), 90);
    EXPECT_EQ(chart_vertical_step(SB_THUMBPOSITION, -3, 1, 100, 12), 1);
    EXPECT_EQ(chart_vertical_step(SB_THUMBTRACK, 40, 1, 100, 12), kChartScrollIgnored);
}

TEST(ChartScrolling, HorizontalPagesFollowTheColumnBoundaries) {
    // extent 100 cells in a view of 50: H = 50
    EXPECT_EQ(chart_horizontal_step(SB_PAGERIGHT, 0, 0, 100, 350), 12);
    EXPECT_EQ(chart_horizontal_step(SB_PAGERIGHT, 0, 12, 100, 350), 20);
    EXPECT_EQ(chart_horizontal_step(SB_PAGERIGHT, 0, 20, 100, 350), 28);
    EXPECT_EQ(chart_horizontal_step(SB_PAGELEFT, 0, 13, 100, 350), 12);
    EXPECT_EQ(chart_horizontal_step(SB_PAGELEFT, 0, 20, 100, 350), 12);
    EXPECT_EQ(chart_horizontal_step(SB_PAGELEFT, 0, 12, 100, 350), 0);
    EXPECT_EQ(chart_horizontal_step(SB_PAGELEFT, 0, 0, 100, 350), kChartScrollRefused);
    EXPECT_EQ(chart_horizontal_step(SB_LINERIGHT, 0, 51, 100, 350), kChartScrollRefused);
    EXPECT_EQ(chart_horizontal_step(SB_PAGERIGHT, 0, 48, 100, 350), 51);
    EXPECT_EQ(chart_horizontal_step(SB_BOTTOM, 0, 0, 100, 350), 100);
}

TEST(ChartPanes, NodePaneShowsTheNameAndTheComment) {
    EXPECT_EQ(node_pane_text("main <a.c(3)>"), "main <a.c(3)>");
    EXPECT_EQ(node_pane_text("main <a.c(3)>;the entry"), "main  the entry");
    EXPECT_EQ(node_pane_text("main;"), "main  ");
}

}  // namespace
