// Drawing into a window surface: lines, boxes, round boxes, inversion and
// Japanese text, checked by pixels, by a saved PNG and by the drawing log.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/common/temp_dir.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/gdi_support.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// "標準明朝", "ＭＳ ゴシック", "日本語" in Shift-JIS.
constexpr const char* kStandardMincho = "\x95\x57\x8f\x80\x96\xbe\x92\xa9";
constexpr const char* kMsGothic = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr const char* kNihongo = "\x93\xfa\x96\x7b\x8c\xea";

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 240, 160);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        RECT all{0, 0, 240, 160};
        FillRect(dc, &all, GetStockObject(WHITE_BRUSH));
        clear_drawing_log();
    }
    void TearDown() override {
        release_surface_dc(dc);
        cairo_surface_destroy(surface);
    }

    // Reads the surface itself, as a viewer of the PNG would.
    COLORREF at(int x, int y) {
        cairo_surface_flush(surface);
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                                y * cairo_image_surface_get_stride(surface));
        uint32_t p = row[x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    static bool ink(COLORREF c) { return GetRValue(c) < 200 || GetGValue(c) < 200 || GetBValue(c) < 200; }
    int ink_in(int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += ink(at(x, y)) ? 1 : 0;
        return n;
    }
    int ink_outside(int left, int top, int right, int bottom) {
        return ink_in(0, 0, 240, 160) - ink_in(left, top, right, bottom);
    }

    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
};

TEST_F(SurfaceTest, LinesLeaveOutTheirLastPixel) {
    MoveToEx(dc, 10, 10, nullptr);
    LineTo(dc, 20, 10);
    EXPECT_EQ(at(10, 10), kBlack);
    EXPECT_EQ(at(19, 10), kBlack);
    EXPECT_EQ(at(20, 10), kWhite);
    // Backwards and vertical: the start pixel is drawn, the end pixel not.
    MoveToEx(dc, 50, 30, nullptr);
    LineTo(dc, 40, 30);
    EXPECT_EQ(at(50, 30), kBlack);
    EXPECT_EQ(at(41, 30), kBlack);
    EXPECT_EQ(at(40, 30), kWhite);
    MoveToEx(dc, 60, 40, nullptr);
    LineTo(dc, 60, 45);
    EXPECT_EQ(ink_in(60, 40, 61, 45), 5);
    EXPECT_EQ(at(60, 45), kWhite);
    // A diagonal covers one pixel per step.
    MoveToEx(dc, 100, 100, nullptr);
    LineTo(dc, 110, 110);
    EXPECT_EQ(ink_in(100, 100, 111, 111), 10);
    EXPECT_EQ(at(105, 105), kBlack);
    POINT pos{};
    GetCurrentPositionEx(dc, &pos);
    EXPECT_EQ(pos.x, 110);
    EXPECT_EQ(pos.y, 110);
}

TEST_F(SurfaceTest, OnePixelBoxLiesInsideItsRectangle) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 10, 10, 30, 20);
    EXPECT_EQ(at(10, 10), kBlack);
    EXPECT_EQ(at(29, 19), kBlack);
    EXPECT_EQ(at(29, 10), kBlack);
    EXPECT_EQ(at(30, 10), kWhite);
    EXPECT_EQ(at(10, 20), kWhite);
    EXPECT_EQ(at(20, 15), kWhite);  // hollow
    EXPECT_EQ(ink_in(0, 0, 240, 160), 2 * 20 + 2 * 8);
}

TEST_F(SurfaceTest, FilledBoxAndWidePen) {
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
    HGDIOBJ old_brush = SelectObject(dc, grey);
    HGDIOBJ old_pen = SelectObject(dc, wide);
    Rectangle(dc, 40, 40, 80, 70);
    EXPECT_EQ(at(60, 55), RGB(128, 128, 128));
    EXPECT_EQ(at(40, 55), RGB(255, 0, 0));
    EXPECT_EQ(at(41, 55), RGB(255, 0, 0));
    EXPECT_EQ(at(79, 55), RGB(255, 0, 0));
    EXPECT_EQ(at(60, 39), RGB(255, 0, 0));  // centred on the edge: a pixel outside
    EXPECT_EQ(at(60, 38), kWhite);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    EXPECT_TRUE(DeleteObject(wide));
    EXPECT_TRUE(DeleteObject(grey));
}

// A short line whose round pen reaches, or just misses, the far corner; a
// pen millions of pixels across covers the surface as one that just
// reaches it does, without the time its whole outline would take.
TEST_F(SurfaceTest, AVeryWidePenCoversWhatItReaches) {
    const struct {
        int width;
        bool far_corner_inked;
    } cases[] = {{570, false}, {580, true}, {1000, true}, {214748360, true}};
    for (const auto& c : cases) {
        RECT all{0, 0, 240, 160};
        FillRect(dc, &all, GetStockObject(WHITE_BRUSH));
        HPEN wide = CreatePen(PS_SOLID, c.width, RGB(255, 0, 0));
        HGDIOBJ old = SelectObject(dc, wide);
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 2, 0);
        EXPECT_EQ(at(239, 159) == RGB(255, 0, 0), c.far_corner_inked) << c.width;
        EXPECT_EQ(at(120, 80), RGB(255, 0, 0)) << c.width;
        SelectObject(dc, old);
        EXPECT_TRUE(DeleteObject(wide));
    }
}

TEST_F(SurfaceTest, RoundBoxCutsItsCorners) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 10, 10, 70, 50, 24, 24);
    EXPECT_EQ(at(40, 10), kBlack);  // middle of the top edge
    EXPECT_EQ(at(10, 30), kBlack);  // middle of the left edge
    EXPECT_EQ(at(10, 10), kWhite);  // the corner is cut away
    EXPECT_EQ(at(12, 12), kWhite);
    EXPECT_GT(ink_in(10, 10, 22, 22), 0);  // but the arc passes through its square
    EXPECT_EQ(ink_outside(10, 10, 70, 50), 0);
    const auto log = drawing_log_entries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].op, "RoundRect");
    ASSERT_EQ(log[0].device.size(), 3u);
    EXPECT_EQ(log[0].device[2].x, 24);
}

TEST_F(SurfaceTest, InvertTwiceRestores) {
    RECT r{5, 5, 25, 15};
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 10, 8, 15, 12);
    InvertRect(dc, &r);
    EXPECT_EQ(at(5, 5), kBlack);
    EXPECT_EQ(at(24, 14), kBlack);
    EXPECT_EQ(at(12, 10), kWhite);
    EXPECT_EQ(at(25, 15), kWhite);
    InvertRect(dc, &r);
    EXPECT_EQ(at(5, 5), kWhite);
    EXPECT_EQ(at(12, 10), kBlack);
}

TEST_F(SurfaceTest, XorPenFrameDrawnTwiceVanishes) {
    HPEN white = CreatePen(PS_SOLID, 1, kWhite);
    SelectObject(dc, white);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetROP2(dc, R2_XORPEN);
    Rectangle(dc, 20, 20, 60, 50);
    EXPECT_EQ(at(20, 20), kBlack);  // white XOR white
    EXPECT_EQ(at(59, 49), kBlack);
    EXPECT_EQ(at(40, 35), kWhite);
    // Corners are met by two edges but inverted only once.
    EXPECT_EQ(ink_in(0, 0, 240, 160), 2 * 40 + 2 * 28);
    Rectangle(dc, 20, 20, 60, 50);
    EXPECT_EQ(ink_in(0, 0, 240, 160), 0);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(white);
}

TEST_F(SurfaceTest, DashedPenLeavesGaps) {
    HPEN dash = CreatePen(PS_DOT, 1, kBlack);
    SelectObject(dc, dash);
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 60, 5);
    const int n = ink_in(0, 5, 60, 6);
    EXPECT_GT(n, 20);
    EXPECT_LT(n, 40);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(dash);
}

TEST_F(SurfaceTest, JapaneseTextSitsInItsCells) {
    ASSERT_TRUE(gdi_fonts_available()) << gdi_font_error();
    HFONT mincho = CreateFontA(12, 6, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_ROMAN,
                               kStandardMincho);
    HFONT gothic = CreateFontA(24, 12, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
                               kMsGothic);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, mincho);
    const std::string line = std::string(kNihongo) + "AB";
    TextOutA(dc, 20, 10, line.c_str(), static_cast<int>(line.size()));
    SelectObject(dc, gothic);
    TextOutA(dc, 20, 40, line.c_str(), static_cast<int>(line.size()));
    SelectObject(dc, old);

    // Mincho 12 x 6: three double-byte characters of 12 pixels, then two of 6.
    for (int i = 0; i < 3; ++i) EXPECT_GT(ink_in(20 + 12 * i, 10, 32 + 12 * i, 22), 8) << "mincho kanji " << i;
    EXPECT_GT(ink_in(56, 10, 62, 22), 3);
    EXPECT_GT(ink_in(62, 10, 68, 22), 3);
    // Gothic 24 x 12.
    for (int i = 0; i < 3; ++i) EXPECT_GT(ink_in(20 + 24 * i, 40, 44 + 24 * i, 64), 30) << "gothic kanji " << i;
    EXPECT_GT(ink_in(92, 40, 104, 64), 10);
    EXPECT_GT(ink_in(104, 40, 116, 64), 10);
    // Nothing outside the two lines of cells.
    EXPECT_EQ(ink_in(0, 0, 240, 160) - ink_in(20, 10, 68, 22) - ink_in(20, 40, 116, 64), 0);

    const auto log = drawing_log_entries();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].op, "TextOutA");
    EXPECT_EQ(log[0].text, line);
    EXPECT_NE(log[0].params.find("IPAMincho"), std::string::npos);
    EXPECT_NE(log[1].params.find("IPAGothic"), std::string::npos);
    EXPECT_NE(log[1].params.find("cell=12x24"), std::string::npos);

    TempDir scratch;
    const std::string png = scratch.path("gdi_surface_text.png");
    ASSERT_TRUE(save_surface_png(surface, png.c_str()));
    cairo_surface_t* back = cairo_image_surface_create_from_png(png.c_str());
    EXPECT_EQ(cairo_surface_status(back), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(back), 240);
    cairo_surface_destroy(back);
    std::remove(png.c_str());
    DeleteObject(mincho);
    DeleteObject(gothic);
}

TEST_F(SurfaceTest, OpaqueTextFillsItsCellsAndExtraSpaceWidensPitch) {
    HFONT font = CreateFontA(12, 6, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH, kMsGothic);
    SelectObject(dc, font);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 255));
    TextOutA(dc, 10, 10, "  ", 2);
    EXPECT_EQ(at(10, 10), RGB(0, 0, 255));
    EXPECT_EQ(at(21, 21), RGB(0, 0, 255));
    EXPECT_EQ(at(22, 10), kWhite);
    EXPECT_EQ(at(10, 22), kWhite);

    SIZE size{};
    GetTextExtentPoint32A(dc, kNihongo, 6, &size);
    EXPECT_EQ(size.cx, 36);
    EXPECT_EQ(size.cy, 12);
    SetTextCharacterExtra(dc, 7);
    GetTextExtentPoint32A(dc, kNihongo, 6, &size);
    EXPECT_EQ(size.cx, 36 + 3 * 7);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST_F(SurfaceTest, ChildOriginAndClipOfTheWindowLayer) {
    // A child at (100, 50) whose visible part is 40 x 30.
    RECT clip{0, 0, 40, 30};
    HDC child = create_surface_dc(surface, reinterpret_cast<HWND>(0x1234), 100, 50, &clip);
    EXPECT_EQ(WindowFromDC(child), reinterpret_cast<HWND>(0x1234));
    MoveToEx(child, 0, 0, nullptr);
    LineTo(child, 60, 0);
    EXPECT_EQ(at(100, 50), kBlack);
    EXPECT_EQ(at(139, 50), kBlack);
    EXPECT_EQ(at(140, 50), kWhite);  // clipped
    EXPECT_EQ(ink_in(0, 0, 240, 160), 40);
    const auto mine = drawing_log_entries_for_window(reinterpret_cast<HWND>(0x1234));
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(format_drawing_log_entry(mine[0]).find("window#"), 0u);
    EXPECT_NE(format_drawing_log_entry(mine[0]).find("LineTo L(0,0)(60,0) D(0,0)(60,0)"), std::string::npos);
    release_surface_dc(child);
    EXPECT_EQ(WindowFromDC(child), nullptr);
}

TEST_F(SurfaceTest, BadHandlesAreRefused) {
    EXPECT_EQ(create_surface_dc(nullptr, nullptr, 0, 0, nullptr), nullptr);
    EXPECT_FALSE(LineTo(reinterpret_cast<HDC>(0x10), 1, 1));
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x20)), nullptr);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x20)));
    EXPECT_FALSE(save_surface_png(nullptr, "/tmp/x.png"));
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
    EXPECT_TRUE(TextOutA(dc, 0, 0, "", 0));
}

}  // namespace
