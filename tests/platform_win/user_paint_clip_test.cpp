// A parent that clips its children paints around them, never over them.
#include "tests/platform_win/user_test_fixture.h"

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

}  // namespace
