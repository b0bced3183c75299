// A window whose procedure only validates its update region (no BeginPaint)
// still gets its background erased with its class brush whenever it is
// shown, sized or invalidated with erase: no white window, no stale pixels.
#include "platform/gdi/wingdi.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

constexpr COLORREF kGrey = RGB(192, 192, 192);

class BackgroundTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Bar", CS_HREDRAW | CS_VREDRAW, 0, nullptr,
                                           static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))),
                  0);
        // paint only validates
        spy().handlers[WM_PAINT] = [](HWND window, UINT, WPARAM, LPARAM) -> LRESULT {
            ValidateRect(window, nullptr);
            return 0;
        };
    }
    static COLORREF pixel_of(HWND window, int x, int y) {
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return c;
    }
    static void blacken(HWND window) {
        HDC dc = GetDC(window);
        RECT r;
        GetClientRect(window, &r);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(window, dc);
    }
};

TEST_F(BackgroundTest, ShownSizedAndInvalidatedWithEraseTheClassBrushFillsIt) {
    HWND window = CreateWindowA("Bar", "Errors", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 200, 100, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    HWND bar = CreateWindowA("Bar", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 20, window,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(1000)), nullptr, nullptr);
    spy().clear();
    ShowWindow(window, SW_SHOW);
    automation::run_until_idle();
    EXPECT_EQ(spy().of(bar, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(pixel_of(window, 150, 100), kGrey);
    EXPECT_EQ(pixel_of(bar, 150, 10), kGrey) << "the bar of a hidden parent, shown with it";

    blacken(window);
    blacken(bar);
    MoveWindow(window, 0, 0, 500, 300, TRUE);
    automation::run_until_idle();
    EXPECT_EQ(pixel_of(window, 150, 100), kGrey) << "no stale pixels after sizing";
    EXPECT_EQ(pixel_of(window, 450, 250), kGrey) << "the new part";
    EXPECT_EQ(pixel_of(bar, 150, 10), kGrey);

    blacken(window);
    InvalidateRect(window, nullptr, TRUE);
    automation::run_until_idle();
    EXPECT_EQ(pixel_of(window, 150, 100), kGrey);

    blacken(window);
    InvalidateRect(window, nullptr, FALSE);
    automation::run_until_idle();
    EXPECT_EQ(pixel_of(window, 150, 100), RGB(0, 0, 0)) << "without erase the drawing stays";
    DestroyWindow(window);
}

}  // namespace
