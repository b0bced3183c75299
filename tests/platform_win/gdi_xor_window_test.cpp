// Exclusive-or drawing on window contexts, as the editors' guides, rubber
// bands and magnifiers use it: each shape drawn twice at the same place
// gives back exactly the pixels that were there, whatever lay under it, on
// a top-level window and on a child, in any order of overlapping shapes.
#include <functional>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "tests/common/temp_dir.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

constexpr COLORREF kLightGrey = RGB(192, 192, 192);

class XorWindowTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder", CS_HREDRAW | CS_VREDRAW, 0, nullptr,
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                  0);
        frame = make_frame("xor", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 320, 240);
        child = make_child(frame, 7, 200, 120, 100, 100);
        ShowWindow(child, SW_SHOW);
        ASSERT_NE(child, nullptr);
        for (HWND w : {frame, child}) paint_background(w);
    }

    // Light grey with black strokes, as a form with text and lines.
    static void paint_background(HWND window) {
        HDC dc = GetDC(window);
        RECT r{};
        GetClientRect(window, &r);
        HBRUSH grey = CreateSolidBrush(kLightGrey);
        FillRect(dc, &r, grey);
        DeleteObject(grey);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        for (int y = 5; y < r.bottom; y += 12) {
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, r.right, y);
        }
        for (int x = 3; x < r.right; x += 17) {
            MoveToEx(dc, x, 0, nullptr);
            LineTo(dc, x, r.bottom);
        }
        ReleaseDC(window, dc);
    }

    // The whole window as a viewer of its PNG sees it.
    std::string pixels(HWND window) {
        const std::string path = dir.path("shot.png");
        EXPECT_TRUE(automation::capture_png(window, path));
        return read_raw(path);
    }

    // Draws with a pen of this width and colour under R2_XORPEN.
    static void xor_shape(HWND window, int width, COLORREF colour, const std::function<void(HDC)>& draw) {
        HDC dc = GetDC(window);
        HPEN pen = CreatePen(PS_SOLID, width, colour);
        HGDIOBJ old_pen = SelectObject(dc, pen);
        HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        SetROP2(dc, R2_XORPEN);
        draw(dc);
        SetROP2(dc, R2_COPYPEN);
        SelectObject(dc, old_brush);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
        ReleaseDC(window, dc);
    }
    static void line(HDC dc, int x1, int y1, int x2, int y2) {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    }

    TempDir dir;
    HWND frame = nullptr;
    HWND child = nullptr;
};

struct XorCase {
    const char* name;
    int width;
    COLORREF colour;
    std::function<void(HDC)> draw;
};

TEST_F(XorWindowTest, EveryShapeDrawnTwiceRestoresThePixels) {
    const COLORREF white = RGB(255, 255, 255), grey = RGB(64, 64, 64);
    const std::vector<XorCase> cases = {
        {"thin horizontal guide", 1, white, [](HDC dc) { line(dc, 17, 40, 300, 40); }},
        {"thin vertical guide", 1, white, [](HDC dc) { line(dc, 50, 23, 50, 230); }},
        {"thin diagonal", 1, white, [](HDC dc) { line(dc, 10, 10, 190, 97); }},
        {"wide rubber line", 12, grey, [](HDC dc) { line(dc, 25, 64, 151, 64); }},
        {"wide rubber line upwards", 12, grey, [](HDC dc) { line(dc, 91, 160, 91, 28); }},
        {"wide rubber dot", 12, grey, [](HDC dc) { line(dc, 70, 70, 70, 70); }},
        {"hollow rectangle", 1, grey, [](HDC dc) { Rectangle(dc, 19, 28, 140, 101); }},
        {"magnifier frame", 1, white, [](HDC dc) { Rectangle(dc, 3, 2, 288, 170); }},
        {"rectangle drawn backwards", 1, white, [](HDC dc) { Rectangle(dc, 140, 101, 19, 28); }},
    };
    for (HWND window : {frame, child}) {
        const std::string before = pixels(window);
        for (const XorCase& c : cases) {
            SCOPED_TRACE(c.name);
            xor_shape(window, c.width, c.colour, c.draw);
            EXPECT_NE(before, pixels(window)) << "drawn once, it shows";
            xor_shape(window, c.width, c.colour, c.draw);
            EXPECT_EQ(before, pixels(window));
        }
    }
}

TEST_F(XorWindowTest, OverlappingShapesComeOffInAnyOrder) {
    const std::string before = pixels(frame);
    const auto guide = [](HDC dc) { line(dc, 17, 64, 300, 64); };
    const auto rubber = [](HDC dc) { line(dc, 25, 64, 151, 64); };
    const auto box = [](HDC dc) { Rectangle(dc, 20, 58, 160, 71); };
    xor_shape(frame, 1, RGB(255, 255, 255), guide);
    xor_shape(frame, 12, RGB(64, 64, 64), rubber);
    xor_shape(frame, 1, RGB(64, 64, 64), box);
    xor_shape(frame, 1, RGB(255, 255, 255), guide);
    xor_shape(frame, 1, RGB(64, 64, 64), box);
    xor_shape(frame, 12, RGB(64, 64, 64), rubber);
    EXPECT_EQ(before, pixels(frame));
}

TEST_F(XorWindowTest, ParentDrawingStopsAtItsClippedChild) {
    const std::string child_before = pixels(child);
    xor_shape(frame, 12, RGB(64, 64, 64), [](HDC dc) { line(dc, 150, 150, 310, 150); });
    EXPECT_EQ(child_before, pixels(child));
}

}  // namespace
