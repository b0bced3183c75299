// Regions and clipping: region arithmetic, clip regions selected by copy,
// clip rectangles in logical units, and what the clip does to every kind of
// drawing.
#include <gtest/gtest.h>

#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"

namespace {

TEST(Regions, Arithmetic) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);

    EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
    GetRgnBox(r, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);

    EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), COMPLEXREGION);
    GetRgnBox(r, &box);
    EXPECT_EQ(box.right, 15);
    EXPECT_TRUE(PtInRegion(r, 12, 12));
    EXPECT_FALSE(PtInRegion(r, 12, 2));

    EXPECT_EQ(CombineRgn(r, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(r, 2, 2));
    EXPECT_FALSE(PtInRegion(r, 7, 7));

    EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(r, 7, 7));
    EXPECT_TRUE(PtInRegion(r, 12, 12));
    EXPECT_TRUE(PtInRegion(r, 2, 2));

    EXPECT_EQ(CombineRgn(r, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(r, a, nullptr, RGN_COPY), SIMPLEREGION);
    OffsetRgn(r, 100, 0);
    EXPECT_TRUE(PtInRegion(r, 105, 5));
    RECT probe{0, 0, 100, 100};
    EXPECT_FALSE(RectInRegion(r, &probe));
    // Corners given the wrong way round are put right.
    SetRectRgn(r, 10, 10, 0, 0);
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    EXPECT_EQ(CombineRgn(r, a, b, 99), ERROR);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(r);
}

class ClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 100);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        RECT all{0, 0, 100, 100};
        FillRect(dc, &all, GetStockObject(WHITE_BRUSH));
    }
    void TearDown() override {
        release_surface_dc(dc);
        cairo_surface_destroy(surface);
    }
    // Read from the surface: GetPixel itself answers only inside the clip.
    COLORREF at(int x, int y) {
        cairo_surface_flush(surface);
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                                y * cairo_image_surface_get_stride(surface));
        return RGB((row[x] >> 16) & 0xFF, (row[x] >> 8) & 0xFF, row[x] & 0xFF);
    }
    bool black(int x, int y) { return at(x, y) == RGB(0, 0, 0); }
    void fill_all_black() {
        RECT all{0, 0, 100, 100};
        FillRect(dc, &all, GetStockObject(BLACK_BRUSH));
    }
    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
};

TEST_F(ClipTest, SelectedRegionIsACopy) {
    HRGN region = CreateRectRgn(10, 10, 30, 30);
    EXPECT_EQ(SelectClipRgn(dc, region), SIMPLEREGION);
    DeleteObject(region);  // the context keeps its own copy
    fill_all_black();
    EXPECT_TRUE(black(10, 10));
    EXPECT_TRUE(black(29, 29));
    EXPECT_FALSE(black(30, 30));
    EXPECT_FALSE(black(9, 10));
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.bottom, 30);
    SelectClipRgn(dc, nullptr);
    fill_all_black();
    EXPECT_TRUE(black(50, 50));
}

TEST_F(ClipTest, ClipRectanglesAreLogicalAndAffectEveryCall) {
    SetWindowOrgEx(dc, 100, 0, nullptr);  // logical x 100 is device x 0
    IntersectClipRect(dc, 100, 0, 150, 100);
    ExcludeClipRect(dc, 110, 10, 120, 20);
    SetWindowOrgEx(dc, 0, 0, nullptr);  // the clip stays where it was put
    fill_all_black();
    EXPECT_TRUE(black(0, 0));
    EXPECT_TRUE(black(49, 99));
    EXPECT_FALSE(black(50, 0));
    EXPECT_FALSE(black(15, 15));  // the hole
    EXPECT_TRUE(black(9, 15));

    // Inversions and blits respect the clip as well.
    RECT r{0, 0, 100, 100};
    InvertRect(dc, &r);
    EXPECT_FALSE(black(0, 0));
    EXPECT_EQ(at(15, 15), RGB(255, 255, 255));  // untouched hole
    EXPECT_EQ(at(60, 60), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 15, 15), CLR_INVALID);
    PatBlt(dc, 0, 0, 100, 100, DSTINVERT);
    EXPECT_TRUE(black(0, 0));
    EXPECT_FALSE(black(60, 60));
}

TEST_F(ClipTest, EmptyClipDrawsNothing) {
    IntersectClipRect(dc, 10, 10, 20, 20);
    EXPECT_EQ(IntersectClipRect(dc, 50, 50, 60, 60), NULLREGION);
    fill_all_black();
    MoveToEx(dc, 0, 15, nullptr);
    LineTo(dc, 100, 15);
    TextOutA(dc, 12, 12, "X", 1);
    SelectClipRgn(dc, nullptr);
    for (int y = 0; y < 100; y += 3)
        for (int x = 0; x < 100; x += 3) ASSERT_FALSE(black(x, y)) << x << "," << y;
}

TEST_F(ClipTest, WindowClipAndRegionMeet) {
    RECT window_clip{0, 0, 50, 50};
    HDC child = create_surface_dc(surface, nullptr, 20, 20, &window_clip);
    HRGN region = CreateRectRgn(40, 40, 80, 80);
    SelectClipRgn(child, region);
    DeleteObject(region);
    RECT all{0, 0, 100, 100};
    FillRect(child, &all, GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(black(60, 60));   // child (40, 40)
    EXPECT_TRUE(black(69, 69));   // child (49, 49)
    EXPECT_FALSE(black(70, 70));  // beyond the window's clip
    EXPECT_FALSE(black(59, 59));  // before the region
    RECT box{};
    GetClipBox(child, &box);
    EXPECT_EQ(box.left, 40);
    EXPECT_EQ(box.right, 50);
    release_surface_dc(child);
}

}  // namespace
