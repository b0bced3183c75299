// The PAD miniature: opened beside the view with the rectangle of the part
// CHART shows, drawn at every zoom (text marks only down to 1/4), a click
// centring the rectangle, a drag and its release scrolling CHART there,
// and the close button.
#include <string>
#include <vector>

#include "common/viewer/layout_view.h"
#include "gravlet/viewer/pad_miniature.h"
#include "gravlet_fixture.h"
#include "platform/gdi/drawing_log.h"
#include "tests/common/layout_scroll_steps.h"

namespace {

// One function of many small selections: taller than CHART.
std::string long_source() {
    std::string text = "int counter;\n\n/* FUNCTION : counts on */\nint long_one(void)\n{\n";
    for (int i = 0; i < 60; ++i) {
        const std::string n = std::to_string(i);
        text += "    if (counter > " + n + ") {    /* above " + n + " */\n        counter = " + n + ";    /* back to " + n +
                " */\n    }\n";
    }
    return text + "    return counter;\n}\n";
}

class MiniatureTest : public GravletTest {
protected:
    void SetUp() override {
        GravletTest::SetUp();
        layout_view().zoom_index = 1;
        ASSERT_TRUE(start());
        write_raw(dir.path("long.c"), long_source());
        generate_written("long.c");
        ASSERT_TRUE(open_through_menu(dir.path("long.c")));
        ASSERT_TRUE(document_state().loaded);
        ASSERT_TRUE(automation::choose_menu_command(kLayoutCommand));
        automation::run_until_idle();
        ASSERT_TRUE(layout_view().open());
    }
    void generate_written(const std::string& name) {
        reset_analysis_state(kGravletAnalysis);
        EXPECT_EQ(call_converter(run_pad_generator, pad_generator_arguments(dir.path(name), "gx1000.err")), 0);
        reset_analysis_state(kGravletAnalysis);
    }
    static HWND miniature_chart() { return layout_view().children.chart; }
    // The miniature's drawing calls of one kind since the log was cleared.
    static int calls(const std::string& op) {
        int n = 0;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(miniature_chart())) n += e.op == op ? 1 : 0;
        return n;
    }
    void choose_zoom(int index) {
        automation::choose_next_popup_item(kFirstPadZoomCommand + static_cast<UINT>(index));
        automation::press(layout_view().children.zoom_button);
        automation::run_until_idle();
    }
};

TEST_F(MiniatureTest, OpensBesideTheViewWithTheRectangleOverIt) {
    RECT r{};
    GetWindowRect(layout_view().window, &r);
    POINT origin{0, 0};
    ClientToScreen(frame(), &origin);
    EXPECT_EQ(r.left, origin.x + 450);
    EXPECT_EQ(r.top, origin.y + 90);
    EXPECT_EQ(automation::window_text(layout_view().window), "\xda\xb2\xb1\xb3\xc4");  // ﾚｲｱｳﾄ
    const LayoutRegion& region = layout_view().region;
    EXPECT_EQ(region.left, 2);
    EXPECT_EQ(region.top, 2);
    EXPECT_EQ(region.right, static_cast<int>(static_cast<float>(gravlet().chart_width) * 0.333f) - 2);
    EXPECT_EQ(region.bottom, static_cast<int>(static_cast<float>(gravlet().chart_height) * 0.333f) - 2);
    // no minimise item
    EXPECT_EQ(GetMenuState(GetSystemMenu(layout_view().window, FALSE), SC_MINIMIZE, MF_BYCOMMAND),
              static_cast<UINT>(-1));
}

TEST_F(MiniatureTest, EveryZoomDrawsThePadAndTheRectangle) {
    int lines_with_text = 0;
    for (int index = 0; index < kLayoutZoomCount; ++index) {
        choose_zoom(index);
        EXPECT_EQ(layout_view().zoom_index, index);
        clear_drawing_log();
        repaint_layout_view();
        const int lines = calls("LineTo");
        EXPECT_GT(calls("Rectangle"), 1) << "the frame, the boxes and the rectangle at " << index;
        EXPECT_GT(lines, 0) << index;
        // text marks down to 1/4, none at 1/5 and 1/10
        if (index == 2) lines_with_text = lines;
        if (index == 3) {
            EXPECT_LT(lines, lines_with_text / 2);
        }
        automation::capture_png(layout_view().window, dir.path("miniature-" + std::to_string(index) + ".png"));
    }
}

TEST_F(MiniatureTest, AClickCentresTheRectangleAndKeepsItInside) {
    const LayoutViewState& s = layout_view();
    EXPECT_GT(gravlet_pad().grid->row_count, 100);
    const int w = s.region.width, h = s.region.height;
    // the button goes down: the rectangle is centred on it
    SendMessageA(miniature_chart(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 300));
    EXPECT_EQ(s.region.left, std::min(200 - w / 2, s.client_width - w));
    EXPECT_EQ(s.region.top, 300 - h / 2);
    EXPECT_EQ(s.region.width, w);
    EXPECT_EQ(s.region.height, h);
    SendMessageA(miniature_chart(), WM_LBUTTONUP, 0, MAKELPARAM(200, 300));
    // near the right edge it lies flush with the edge, near the top at 0
    SendMessageA(miniature_chart(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s.client_width - 2, 3));
    EXPECT_EQ(s.region.right, s.client_width);
    EXPECT_EQ(s.region.top, 0);
    SendMessageA(miniature_chart(), WM_LBUTTONUP, 0, MAKELPARAM(s.client_width - 2, 3));
}

TEST_F(MiniatureTest, ADragAndItsReleaseScrollThePadView) {
    const LayoutViewState& s = layout_view();
    EXPECT_EQ(gravlet_pad().first_shown_row, 1);
    const int down = static_cast<int>(30 * 14 * s.zoom);
    const int x = (s.region.left + s.region.right) / 2;
    const int y = (s.region.top + s.region.bottom) / 2;
    automation::drag(miniature_chart(), x, y, x, y + down);
    automation::run_until_idle();
    // CHART's top row is the row at the rectangle's top: 30 lines of one
    // row each below the first, less what the scaling cuts off
    EXPECT_GE(gravlet_pad().first_shown_row, 29);
    EXPECT_LE(gravlet_pad().first_shown_row, 31);
    EXPECT_EQ(gravlet_pad().horizontal_position, 0);
    // and the rectangle follows the view
    EXPECT_EQ(s.top_row, gravlet_pad().first_shown_row);
    automation::capture_png(layout_view().window, dir.path("miniature-dragged.png"));
}

// Held against the bottom edge, the miniature scrolls on under the
// rectangle: the release reaches rows below the ones it showed at first.
TEST_F(MiniatureTest, ADragAtTheEdgeScrollsTheMiniature) {
    const LayoutViewState& s = layout_view();
    const int x = (s.region.left + s.region.right) / 2;
    const int y = (s.region.top + s.region.bottom) / 2;
    // the farthest first row a drag inside the first picture could reach
    const int reach = 1 + static_cast<int>(static_cast<float>(s.client_height - s.region.height) / (14 * s.zoom));
    automation::drag(miniature_chart(), x, y, x, s.client_height - 1);
    automation::run_until_idle();
    EXPECT_FALSE(s.dragging);
    EXPECT_GT(gravlet_pad().first_shown_row, reach);
    automation::capture_png(layout_view().window, "miniature-edge.png");  // to look at
}

TEST_F(MiniatureTest, ADragAtTheEndOfTheContentDoesNotBeep) {
    SendMessageA(layout_view().window, WM_VSCROLL, SB_BOTTOM, 0);
    const LayoutViewState& s = layout_view();
    const int x = (s.region.left + s.region.right) / 2;
    const int y = (s.region.top + s.region.bottom) / 2;
    const size_t beeps = automation::beeps().size();
    automation::drag(miniature_chart(), x, y, x, s.client_height - 1);
    automation::run_until_idle();
    EXPECT_EQ(automation::beeps().size(), beeps);
    // a scroll bar step at the end still says no
    SendMessageA(layout_view().window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
}

// The miniature scrolled by its bars or keys: the rectangle stays on the
// part of the PAD that CHART shows, so that a release goes back there.
TEST_F(MiniatureTest, TheRectangleStaysOnThePadWhenTheMiniatureScrolls) {
    const LayoutViewState& s = layout_view();
    const POINT view{gravlet_pad().horizontal_position * 7, s.content->row_top_pixels(gravlet_pad().first_shown_row)};
    const int moved = scroll_layout_keeping_the_rectangle(view, "miniature-scrolled.png");  // to look at
    EXPECT_GE(moved, 5) << "the miniature scrolled";
    // the release of a click on the rectangle's corner leaves CHART where it is
    const int row = gravlet_pad().first_shown_row;
    SendMessageA(s.window, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(miniature_chart(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(s.region.left + s.region.width / 2, s.region.top + s.region.height / 2));
    SendMessageA(miniature_chart(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(gravlet_pad().first_shown_row, row);
}

TEST_F(MiniatureTest, ScrollStepsAndTheCloseButton) {
    const int largest = pad_miniature_largest_first_row();
    EXPECT_GT(largest, 1);
    SendMessageA(layout_view().window, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(layout_view().top_row, largest);
    const size_t beeps = automation::beeps().size();
    SendMessageA(layout_view().window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(automation::beeps().size(), beeps + 1) << "past the end is refused";
    SendMessageA(layout_view().window, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(layout_view().top_row, 1);

    automation::press(layout_view().children.close_button);
    automation::run_until_idle();
    EXPECT_FALSE(layout_view().open());
    EXPECT_EQ(shell().owned.layout, nullptr);
}

}  // namespace
