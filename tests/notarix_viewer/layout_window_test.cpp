// The layout window: opening and placement, the zoom popup, the magnifier
// that follows the page view, the scroll steps of the miniature, and the
// clicks and drags that move the page view.

#include "common/shell/window_placement.h"
#include "notarix/layout/layout_window.h"
#include "notarix/viewer/page_view.h"
#include "platform/gdi/drawing_log.h"
#include "platform/kernel/registry.h"
#include "tests/common/sjis.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

class LayoutWindowTest : public NotarixTest {
protected:
    void open_document_and_layout() {
        const std::string source = generate("headed");
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
        ASSERT_TRUE(document_state().loaded);
        ASSERT_TRUE(automation::choose_menu_command(12291));
        automation::run_until_idle();
        ASSERT_TRUE(layout_window().open());
    }
    HWND layout() const { return layout_window().window; }
    HWND chart() const { return layout_window().children.chart; }
    const LayoutRegion& region() const { return layout_window().region; }
    void zoom_to(UINT command) {
        automation::choose_next_popup_item(command);
        ASSERT_TRUE(automation::press(layout_window().children.zoom_button));
        automation::run_until_idle();
    }
    void key(WPARAM vk) {
        SendMessageA(chart(), WM_KEYDOWN, vk, 0);
        automation::run_until_idle();
    }
    void mouse(UINT message, int x, int y) {
        SendMessageA(chart(), message, message == WM_LBUTTONUP ? 0u : static_cast<WPARAM>(MK_LBUTTON), MAKELPARAM(x, y));
        automation::run_until_idle();
    }
    int scroll_max(int bar) const {
        int low = 0, high = 0;
        GetScrollRange(layout(), bar, &low, &high);
        return high;
    }
    size_t beeps() const { return automation::beeps().size(); }
};

TEST_F(LayoutWindowTest, RefusedWithoutADocument) {
    ASSERT_TRUE(start());
    dispatch_menu_command(frame(), 12291);
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 レイアウト表示 】"));
    EXPECT_EQ(automation::message_boxes().back().text, message(117));
    EXPECT_FALSE(layout_window().open());
}

TEST_F(LayoutWindowTest, OpensAtItsDefaultPlaceWithBarSeparatorAndMiniature) {
    open_document_and_layout();
    EXPECT_EQ(text_of(layout()), sjis("ﾚｲｱｳﾄ"));
    const RECT r = window_rect(layout());
    EXPECT_EQ(r.left, 450);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right - r.left, 312);
    EXPECT_EQ(r.bottom - r.top, 500);
    EXPECT_EQ(GetWindow(layout(), GW_OWNER), frame());
    EXPECT_EQ(GetDlgCtrlID(layout_window().children.bar), 7003);
    EXPECT_EQ(GetDlgCtrlID(layout_window().children.separator), 7002);
    EXPECT_EQ(GetDlgCtrlID(chart()), 7001);
    EXPECT_EQ(text_of(layout_window().children.zoom_button), sjis("倍率"));
    EXPECT_EQ(text_of(layout_window().children.close_button), sjis("閉じる"));
    RECT chart_rect{};
    GetWindowRect(chart(), &chart_rect);
    RECT client{};
    GetClientRect(layout(), &client);
    POINT origin{0, 0};
    ClientToScreen(layout(), &origin);
    EXPECT_EQ(chart_rect.top - origin.y, 22);
    EXPECT_EQ(chart_rect.right - chart_rect.left, client.right);
    // the magnifier covers the page view's client area at 1/3
    const float z = 0.333f;
    EXPECT_EQ(region().left, 2);
    EXPECT_EQ(region().top, 2);
    EXPECT_EQ(region().right, static_cast<int>(static_cast<float>(shell().view_width) * z - 2));
    EXPECT_EQ(region().bottom, static_cast<int>(static_cast<float>(shell().view_height) * z - 2));
    // a second command leaves the one window
    const HWND first = layout();
    ASSERT_TRUE(automation::choose_menu_command(12291));
    EXPECT_EQ(layout(), first);
    EXPECT_EQ(shell().owned.layout, first);
}

TEST_F(LayoutWindowTest, AMissingPlacementValueKeepsItsDefault) {
    ASSERT_TRUE(start());
    save_window_placement(kNotarixPlacement, kLayoutWindow, WindowPlacement{300, 200, 400, 450}, false);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KRT Notarix95", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "LayWinX");
    RegCloseKey(key);
    const std::string source = generate("headed");
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    ASSERT_TRUE(automation::choose_menu_command(12291));
    const RECT r = window_rect(layout());
    EXPECT_EQ(r.left, 450);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 400);
}

TEST_F(LayoutWindowTest, ZoomPopupScalesTheMagnifier) {
    open_document_and_layout();
    const LayoutRegion before = region();
    zoom_to(20993);
    EXPECT_EQ(layout_window().zoom_index, 0);
    EXPECT_FLOAT_EQ(layout_window().zoom, 0.5f);
    const auto scaled = [](int edge) { return static_cast<int>(static_cast<float>(edge) / 0.333f * 0.5f); };
    EXPECT_EQ(region().left, scaled(before.left));
    EXPECT_EQ(region().right, scaled(before.right));
    EXPECT_EQ(region().bottom, scaled(before.bottom));
    EXPECT_EQ(region().width, region().right - region().left);
}

TEST_F(LayoutWindowTest, AtOneTenthThePageFitsAndEveryStepBeeps) {
    open_document_and_layout();
    zoom_to(20997);
    EXPECT_EQ(scroll_max(SB_HORZ), 0);
    EXPECT_EQ(scroll_max(SB_VERT), 0);
    const size_t before = beeps();
    for (WPARAM vk : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_TAB}) key(vk);
    EXPECT_EQ(beeps(), before + 7);
}

TEST_F(LayoutWindowTest, PageDownStopsOneLineShortOfTheBottom) {
    open_document_and_layout();
    zoom_to(20993);
    RECT client{};
    GetClientRect(chart(), &client);
    // the lowest position of the line steps: the page less the lines in view
    const int lowest = 82 - static_cast<int>(static_cast<float>(client.bottom) / 6.0f);
    ASSERT_GT(lowest, 1);
    key(VK_NEXT);
    EXPECT_EQ(layout_window().scroll_row, lowest - 1);
    key(VK_DOWN);
    EXPECT_EQ(layout_window().scroll_row, lowest);
    const size_t before = beeps();
    key(VK_NEXT);
    EXPECT_EQ(beeps(), before + 1);
    SendMessageA(layout(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(layout_window().scroll_row, 0);
    SendMessageA(layout(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(layout_window().scroll_row, lowest);
    EXPECT_EQ(GetScrollPos(layout(), SB_VERT), scroll_max(SB_VERT));
}

TEST_F(LayoutWindowTest, WithoutATabWidthTabDoesNothing) {
    open_document_and_layout();
    zoom_to(20993);
    document_state().tab_width = 0;
    const size_t before = beeps();
    key(VK_TAB);
    EXPECT_EQ(layout_window().scroll_column, 0);
    EXPECT_EQ(beeps(), before);
    document_state().tab_width = 4;
    key(VK_TAB);
    EXPECT_EQ(layout_window().scroll_column, std::min(4, scroll_max(SB_HORZ)));
}

TEST_F(LayoutWindowTest, MagnifierFollowsScrollingAndPaging) {
    open_document_and_layout();
    ASSERT_EQ(scroll_max(SB_VERT), 0) << "at 1/3 the miniature shows the whole height";
    scroll_page_view(kVerticalAxis, shell().chart, SB_LINEDOWN);
    scroll_page_view(kVerticalAxis, shell().chart, SB_LINEDOWN);
    // two rows of 12 pixels at 1/3 further down
    EXPECT_EQ(region().top, 2 + static_cast<int>(2 * 12 * 0.333f));
    EXPECT_EQ(layout_window().scroll_row, 0);
    automation::press_key(VK_F1);
    automation::run_until_idle();
    EXPECT_EQ(document_state().current_page, 1);
    EXPECT_EQ(region().top, 2);
}

TEST_F(LayoutWindowTest, AClickCentresTheMagnifierAndMovesThePageView) {
    open_document_and_layout();
    const int width = region().width, height = region().height;
    mouse(WM_LBUTTONDOWN, 100, 150);
    EXPECT_TRUE(layout_window().dragging);
    const float z = 0.333f;
    const int c = static_cast<int>(98 / z), r = static_cast<int>(148 / z);
    EXPECT_EQ(region().left, std::max(0, static_cast<int>(c * z + 2 - width / 2)));
    EXPECT_EQ(region().top, std::max(0, static_cast<int>(r * z + 2 - height / 2)));
    EXPECT_EQ(region().width, width);
    mouse(WM_LBUTTONUP, 100, 150);
    EXPECT_FALSE(layout_window().dragging);
    const int y = static_cast<int>(static_cast<float>(region().top - 6) / z + 12);
    EXPECT_EQ(document_state().scroll_row, std::min(y / 12, std::max(0, 81 - shell().view_height / 12)));
    EXPECT_GT(document_state().scroll_row, 0);
}

TEST_F(LayoutWindowTest, ClicksNearTheEdgesKeepTheMagnifierInside) {
    open_document_and_layout();
    RECT client{};
    GetClientRect(chart(), &client);
    mouse(WM_LBUTTONDOWN, client.right - 3, 100);
    mouse(WM_LBUTTONUP, client.right - 3, 100);
    EXPECT_EQ(region().right, client.right);
    mouse(WM_LBUTTONDOWN, 2, 2);
    mouse(WM_LBUTTONUP, 2, 2);
    EXPECT_EQ(region().left, 0);
    EXPECT_EQ(region().top, 0);
}

TEST_F(LayoutWindowTest, DraggingAgainstTheBottomScrollsALineAMove) {
    open_document_and_layout();
    zoom_to(20993);
    RECT client{};
    GetClientRect(chart(), &client);
    mouse(WM_LBUTTONDOWN, 60, 60);
    mouse(WM_MOUSEMOVE, 60, client.bottom - 2);
    EXPECT_EQ(layout_window().scroll_row, 1);
    mouse(WM_MOUSEMOVE, 60, client.bottom - 2);
    EXPECT_EQ(layout_window().scroll_row, 2);
    // the pointer was put back inside, clear of the edge zone
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(chart(), &at);
    EXPECT_EQ(at.y, client.bottom - region().height / 2 - 2);
    // clear of the top and bottom zones the magnifier itself moves (it is
    // wider than the miniature, and the miniature cannot go further left)
    const LayoutRegion start = region();
    mouse(WM_MOUSEMOVE, 60, 200);
    EXPECT_EQ(region().top, start.top + 140);
    EXPECT_EQ(region().height, start.height);
    EXPECT_EQ(layout_window().scroll_row, 2);
    mouse(WM_LBUTTONUP, 60, 200);
}

TEST_F(LayoutWindowTest, CloseButtonAndFrameClose) {
    open_document_and_layout();
    ASSERT_TRUE(automation::press(layout_window().children.close_button));
    automation::run_until_idle();
    EXPECT_FALSE(layout_window().open());
    EXPECT_EQ(shell().owned.layout, nullptr);
    ASSERT_TRUE(automation::choose_menu_command(12291));
    EXPECT_TRUE(layout_window().open());
    // another document closes it
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    EXPECT_FALSE(layout_window().open());
}

TEST_F(LayoutWindowTest, MiniatureIsDrawnWithMarksAndTheXorMagnifier) {
    open_document_and_layout();
    clear_drawing_log();
    InvalidateRect(chart(), nullptr, TRUE);
    automation::run_until_idle();
    int marks = 0, frames = 0, boxes = 0;
    for (const DrawingLogEntry& e : drawing_log_entries_for_window(chart())) {
        if (e.op == "LineTo" && e.logical[1].x - e.logical[0].x == 1 && e.logical[0].y == e.logical[1].y) ++marks;
        if (e.op == "Rectangle" && e.params.find("rop2=7") != std::string::npos) ++frames;
        else if (e.op == "Rectangle") ++boxes;
        EXPECT_NE(e.op, "TextOutA");
    }
    EXPECT_GT(marks, 50);
    EXPECT_GT(boxes, 0) << "the form's frame";
    EXPECT_EQ(frames, 1);
}

}  // namespace
