// The chart's layout window: its place, the text dashes at each zoom, the
// zoom popup keeping the rectangle over the same part, a drag that moves
// the chart view, and the place it keeps when moved.
#include <string>

#include "orbaline/viewer/chart_layout.h"
#include "tests/common/layout_scroll_steps.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

TEST(LayoutDashes, NoneAtOneTenthAndBlanksLeftOut) {
    EXPECT_TRUE(layout_dash_positions("main", 0.1f).empty());
    const std::vector<int> fifth = layout_dash_positions("a b", 0.2f);
    ASSERT_EQ(fifth.size(), 2u);
    EXPECT_EQ(fifth[0], 0);
    EXPECT_EQ(fifth[1], static_cast<int>(2 * 7 * 0.2f));
    // the full-width blank (0xA1 0xA1) is a blank too
    EXPECT_EQ(layout_dash_positions("x\xa1\xa1y", 0.5f).size(), 2u);
    EXPECT_EQ(layout_dash_positions("ab", 0.333f).size(), 2u);
}

class LayoutWindow : public OrbalineTest {
protected:
    void SetUp() override {
        OrbalineTest::SetUp();
        chart_layout().zoom_index = kChartLayoutDefaultZoom;
        write_raw(dir.path("big.nam"), "");
        std::string text = " [JOV:TRD:V1.00 ]\r\n1+root <a.c(1)>\r\n";
        for (int i = 2; i <= 60; ++i) text += std::to_string(i) + "++f" + std::to_string(i) + " <a.c(1)>\r\n";
        write_raw(dir.path("big.trd"), text);
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_list(dir.path("big.nam"), false));
        automation::choose_menu_command(kLayoutCommand);
        automation::run_until_idle();
    }
};

TEST_F(LayoutWindow, OpensBesideTheViewWithTheRectangleOverIt) {
    ASSERT_TRUE(chart_layout().open());
    RECT r{};
    GetWindowRect(chart_layout().window, &r);
    POINT origin{0, 0};
    ClientToScreen(frame(), &origin);
    EXPECT_EQ(r.left, origin.x + 450);
    EXPECT_EQ(r.top, origin.y + 90);
    EXPECT_EQ(automation::window_text(chart_layout().window), "\xda\xb2\xb1\xb3\xc4");  // ﾚｲｱｳﾄ
    const LayoutRegion& region = chart_layout().region;
    EXPECT_EQ(region.left, 2);
    EXPECT_EQ(region.top, 2);
    EXPECT_EQ(region.right, static_cast<int>(orbaline().client_width * 0.333f) - 2);
    automation::capture_png(chart_layout().window, dir.path("layout.png"));
}

TEST_F(LayoutWindow, TheZoomPopupKeepsTheRectangleOverTheSamePart) {
    const LayoutRegion before = chart_layout().region;
    automation::choose_next_popup_item(kFirstChartZoomCommand + 4);  // 1/10
    automation::press(chart_layout().children.zoom_button);
    automation::run_until_idle();
    EXPECT_EQ(chart_layout().zoom_index, 4);
    const LayoutRegion& after = chart_layout().region;
    EXPECT_EQ(after.right, static_cast<int>(static_cast<float>(before.right) / 0.333f * 0.1f));
    EXPECT_EQ(after.bottom, static_cast<int>(static_cast<float>(before.bottom) / 0.333f * 0.1f));
}

TEST_F(LayoutWindow, ADragMovesTheChartView) {
    const int pitch = chart_metrics().row_pitch();
    const int down = static_cast<int>(20 * pitch * 0.333f);
    const LayoutRegion& region = chart_layout().region;
    const int x = (region.left + region.right) / 2;
    const int y = (region.top + region.bottom) / 2;
    automation::drag(chart_layout().children.chart, x, y, x, y + down);
    automation::run_until_idle();
    int column = -1, top = -1;
    chart_view_position_of_region(&column, &top);
    EXPECT_EQ(chart().top_row, top);
    EXPECT_GE(chart().top_row, 19);
    EXPECT_LE(chart().top_row, 22);
    EXPECT_EQ(chart().left_column, 0);
}

// Dragged against the bottom edge, the window scrolls down under the
// rectangle a row at a time, and the release shows the part it then covers.
TEST_F(LayoutWindow, ADragAtTheEdgeScrollsTheWindow) {
    const LayoutRegion& region = chart_layout().region;
    const int x = (region.left + region.right) / 2;
    const int y = (region.top + region.bottom) / 2;
    const int bottom = chart_layout().client_height - 1;
    ASSERT_EQ(chart_layout().top_row, 1);
    automation::drag(chart_layout().children.chart, x, y, x, bottom);
    automation::run_until_idle();
    EXPECT_GT(chart_layout().top_row, 1) << "no scroll at the bottom edge";
    EXPECT_FALSE(chart_layout().dragging);
    // The rectangle stayed inside the window.
    EXPECT_LE(region.bottom, chart_layout().client_height);
    int column = -1, top = -1;
    chart_view_position_of_region(&column, &top);
    EXPECT_EQ(chart().top_row, top);
    EXPECT_GT(chart().top_row, chart_layout().top_row);
    // beside the test's working directory, to look at
    automation::capture_png(chart_layout().window, "layout_edge_scrolled.png");

    // And back up against the top edge: it scrolls back up.
    const int scrolled = chart_layout().top_row;
    const int mid = (region.top + region.bottom) / 2;
    automation::drag(chart_layout().children.chart, x, mid, x, 0);
    automation::run_until_idle();
    EXPECT_LT(chart_layout().top_row, scrolled);
}

// The window scrolled by its bars or keys: the rectangle stays on the part
// of the chart the view shows.
TEST_F(LayoutWindow, TheRectangleStaysOnTheChartWhenTheWindowScrolls) {
    const LayoutViewState& s = chart_layout();
    const POINT view{chart().left_column * 7, s.content->row_top_pixels(chart().top_row)};
    const int moved = scroll_layout_keeping_the_rectangle(view, dir.path("layout-scrolled.png"));
    EXPECT_GE(moved, 4) << "the window scrolled";
}

TEST_F(LayoutWindow, TheCloseButtonEndsItAndItReopensWhereItWasMoved) {
    RECT r{};
    GetWindowRect(chart_layout().window, &r);
    MoveWindow(chart_layout().window, 120, 140, r.right - r.left, r.bottom - r.top, TRUE);
    automation::run_until_idle();
    automation::press(chart_layout().children.close_button);
    automation::run_until_idle();
    EXPECT_FALSE(chart_layout().open());
    EXPECT_EQ(shell().owned.layout, nullptr);

    automation::choose_menu_command(kLayoutCommand);
    automation::run_until_idle();
    ASSERT_TRUE(chart_layout().open());
    RECT again{};
    GetWindowRect(chart_layout().window, &again);
    EXPECT_EQ(again.left, 120);
    EXPECT_EQ(again.top, 140);
    EXPECT_EQ(again.right - again.left, r.right - r.left);
}

}  // namespace
