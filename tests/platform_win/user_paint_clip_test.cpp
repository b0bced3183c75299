// A parent that clips its children paints around them, never over them;
// the children are still painted whenever the parent is shown, sized or
// invalidated. Drawing into a hidden window reaches nothing.
#include "tests/platform_win/user_test_fixture.h"

#include <map>

#include "platform/gdi/wingdi.h"

namespace {

class PaintClipTest : public UserTest {};

TEST_F(PaintClipTest, ParentPaintLeavesItsChildrenAlone) {
    register_recording_class("Recorder");
    HWND frame = make_frame("Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    HWND child = make_child(frame, 7, 20, 20, 50, 30);
    // each window fills its client: the frame black, the child red
    spy().handlers[WM_PAINT] = [child](HWND window, UINT, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        HBRUSH brush = CreateSolidBrush(window == child ? RGB(255, 0, 0) : RGB(0, 0, 0));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    };
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    // only the parent is painted again
    InvalidateRect(frame, nullptr, TRUE);
    UpdateWindow(frame);
    HDC dc = GetDC(child);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    ReleaseDC(child, dc);
    dc = GetDC(frame);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));
    ReleaseDC(frame, dc);
    DestroyWindow(frame);
}

// Fills every recorded window's client area with a colour of its own.
void fill_on_paint(const std::map<HWND, COLORREF>& colours) {
    spy().handlers[WM_PAINT] = [colours](HWND window, UINT, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        auto it = colours.find(window);
        HBRUSH brush = CreateSolidBrush(it == colours.end() ? RGB(0, 0, 0) : it->second);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    };
}

COLORREF pixel_of(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

TEST_F(PaintClipTest, AHiddenClippingParentShownPaintsEveryChild) {
    register_recording_class("Recorder");
    HWND frame = make_frame("Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    HWND bar = make_child(frame, 1, 0, 0, 300, 20, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND list = make_child(frame, 2, 40, 22, 200, 100, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND button = make_child(bar, 3, 2, 2, 60, 16);
    fill_on_paint({{bar, RGB(192, 192, 192)}, {list, RGB(255, 255, 0)}, {button, RGB(0, 0, 255)}});
    spy().clear();
    ShowWindow(frame, SW_SHOW);
    automation::run_until_idle();
    std::vector<HWND> painted;
    for (const SeenMessage& m : spy().all_of(WM_PAINT)) painted.push_back(m.window);
    EXPECT_EQ(painted, (std::vector<HWND>{frame, bar, button, list}));
    EXPECT_EQ(pixel_of(bar, 200, 10), RGB(192, 192, 192));
    EXPECT_EQ(pixel_of(button, 5, 5), RGB(0, 0, 255));
    EXPECT_EQ(pixel_of(list, 100, 50), RGB(255, 255, 0));

    // sizing the parent paints them again, and so does invalidating it
    for (int round = 0; round < 2; ++round) {
        spy().clear();
        if (round == 0) {
            MoveWindow(frame, 10, 10, 700, 500, TRUE);
        } else {
            InvalidateRect(frame, nullptr, TRUE);
        }
        automation::run_until_idle();
        painted.clear();
        for (const SeenMessage& m : spy().all_of(WM_PAINT)) painted.push_back(m.window);
        EXPECT_EQ(painted, (std::vector<HWND>{frame, bar, button, list})) << "round " << round;
    }
    DestroyWindow(frame);
}

TEST_F(PaintClipTest, DrawingIntoAHiddenWindowReachesNothing) {
    register_recording_class("Recorder");
    HWND frame = make_frame("Frame", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = make_child(frame, 1, 10, 10, 50, 50, WS_CHILD);
    fill_on_paint({{frame, RGB(255, 255, 255)}, {child, RGB(255, 255, 255)}});
    automation::run_until_idle();
    HDC dc = GetDC(child);
    ASSERT_NE(dc, nullptr);
    RECT all{0, 0, 50, 50};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(child, dc);
    EXPECT_EQ(pixel_of(frame, 20, 20), RGB(255, 255, 255)) << "the hidden child left no mark";
    // shown, it is painted by its own procedure, not by the drawing that went nowhere
    ShowWindow(child, SW_SHOW);
    automation::run_until_idle();
    EXPECT_EQ(pixel_of(frame, 20, 20), RGB(255, 255, 255));
    DestroyWindow(frame);
}

}  // namespace
