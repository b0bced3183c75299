// Mapping modes: metric modes, the anisotropic printer page, isotropic
// correction, and what mapping does to pens and fonts.
#include <gtest/gtest.h>

#include "platform/gdi/drawing_log.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"

namespace {

POINT to_dp(HDC dc, int x, int y) {
    POINT p{x, y};
    LPtoDP(dc, &p, 1);
    return p;
}

class MappingTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 200, 200);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        RECT all{0, 0, 200, 200};
        FillRect(dc, &all, GetStockObject(WHITE_BRUSH));
    }
    void TearDown() override {
        release_surface_dc(dc);
        cairo_surface_destroy(surface);
    }
    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
};

TEST_F(MappingTest, TextModeIsOneToOneAndIgnoresExtents) {
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    SetWindowExtEx(dc, 10, 10, nullptr);
    SIZE ext{};
    GetWindowExtEx(dc, &ext);
    EXPECT_EQ(ext.cx, 1);
    POINT p = to_dp(dc, 17, -3);
    EXPECT_EQ(p.x, 17);
    EXPECT_EQ(p.y, -3);
}

TEST_F(MappingTest, LowMetricIsTenthsOfAMillimetreWithYUp) {
    EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), MM_TEXT);
    POINT p = to_dp(dc, 254, -254);  // one inch right, one inch down
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 96);
    p = to_dp(dc, 100, 100);
    EXPECT_EQ(p.x, 38);  // 37.8 rounded
    EXPECT_EQ(p.y, -38);
    POINT back{96, 96};
    DPtoLP(dc, &back, 1);
    EXPECT_EQ(back.x, 254);
    EXPECT_EQ(back.y, -254);
}

TEST_F(MappingTest, AnisotropicFromAMetricModeKeepsItsExtents) {
    SetMapMode(dc, MM_LOMETRIC);
    SetMapMode(dc, MM_ANISOTROPIC);
    POINT p = to_dp(dc, 254, -254);
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 96);
}

TEST_F(MappingTest, IsotropicShrinksTheLargerScale) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, 400, -200, nullptr);
    SIZE vp{};
    GetViewportExtEx(dc, &vp);
    EXPECT_EQ(vp.cx, 200);
    EXPECT_EQ(vp.cy, -200);
}

TEST_F(MappingTest, PreviewMappingWithOrigins) {
    // The page box of a preview: a 10-pixel border, a landscape page inside.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 8080, 5680, nullptr);
    SetViewportExtEx(dc, 180, 120, nullptr);
    SetWindowOrgEx(dc, 10, 10, nullptr);
    SetViewportOrgEx(dc, 10, 10, nullptr);
    POINT p = to_dp(dc, 10, 10);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 10);
    p = to_dp(dc, 8090, 5690);
    EXPECT_EQ(p.x, 190);
    EXPECT_EQ(p.y, 130);

    clear_drawing_log();
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 410, 570, 4050, 2850);
    const auto log = drawing_log_entries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].logical[0].x, 410);
    EXPECT_EQ(log[0].device[0].x, 19);  // 10 + 400 * 180 / 8080 = 18.9
    EXPECT_EQ(log[0].device[0].y, 22);  // 10 + 560 * 120 / 5680 = 21.8
    EXPECT_EQ(GetPixel(dc, 2000, 570), RGB(0, 0, 0));  // a point of the top edge
}

TEST_F(MappingTest, PenWidthScalesWithTheMapping) {
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 2, 2, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    SelectObject(dc, pen);
    MoveToEx(dc, 10, 20, nullptr);
    LineTo(dc, 40, 20);  // device (20, 40) to (80, 40), four pixels wide
    SetMapMode(dc, MM_TEXT);
    int rows = 0;
    for (int y = 30; y < 50; ++y) rows += GetPixel(dc, 50, y) == RGB(0, 0, 0) ? 1 : 0;
    EXPECT_EQ(rows, 4);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(PrinterMapping, LogicalPageFillsTheDevice) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmPaperSize = DMPAPER_A4;
    HDC ic = CreateICA("pdfdriver", "PDF Printer", "LPT1:", &mode);
    ASSERT_NE(ic, nullptr);
    const int w = GetDeviceCaps(ic, HORZRES), h = GetDeviceCaps(ic, VERTRES);
    EXPECT_EQ(w, 6816);  // 297 mm at 600 dots an inch, less the unprintable edges
    EXPECT_EQ(h, 4761);
    EXPECT_EQ(GetDeviceCaps(ic, LOGPIXELSX), 600);
    EXPECT_EQ(GetDeviceCaps(ic, HORZSIZE), 289);
    EXPECT_EQ(GetDeviceCaps(ic, TECHNOLOGY), DT_RASPRINTER);

    SetMapMode(ic, MM_ANISOTROPIC);
    SetWindowExtEx(ic, 8080, 5680, nullptr);
    SetViewportExtEx(ic, w, h, nullptr);
    POINT p = to_dp(ic, 8080, 5680);
    EXPECT_EQ(p.x, w);
    EXPECT_EQ(p.y, h);
    p = to_dp(ic, 40, 80);
    EXPECT_EQ(p.x, 34);  // 33.7
    EXPECT_EQ(p.y, 67);  // 67.1

    // A 78 x 39 font keeps its logical size through the device's rounding.
    HFONT font = CreateFontA(78, 39, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH, "");
    SelectObject(ic, font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(ic, &tm));
    EXPECT_EQ(tm.tmHeight, 78);
    EXPECT_EQ(tm.tmAveCharWidth, 39);
    SelectObject(ic, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteDC(ic);
}

}  // namespace
