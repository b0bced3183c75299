// Memory contexts, bitmaps and bit blits: copies, XOR marks that vanish when
// drawn twice, stretching, monochrome colouring and bitmap resources.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/gdi_support.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"

namespace {

class BlitTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 60);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        // A background with some detail, so inversions have something to undo.
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x) SetPixel(dc, x, y, RGB(x * 2, y * 4, (x + y) % 256));
        mem = CreateCompatibleDC(dc);
        bitmap = CreateCompatibleBitmap(dc, 16, 16);
        old_bitmap = SelectObject(mem, bitmap);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) SetPixel(mem, x, y, (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    }
    void TearDown() override {
        SelectObject(mem, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(mem);
        release_surface_dc(dc);
        cairo_surface_destroy(surface);
    }
    std::vector<COLORREF> snapshot() {
        std::vector<COLORREF> v;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x) v.push_back(GetPixel(dc, x, y));
        return v;
    }

    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
    HDC mem = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old_bitmap = nullptr;
};

TEST_F(BlitTest, CopyAndInvertedCopy) {
    ASSERT_TRUE(BitBlt(dc, 10, 10, 16, 16, mem, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 11, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 25, 25), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 26, 25), RGB(52, 100, 51));  // untouched background
    BitBlt(dc, 40, 10, 4, 4, mem, 1, 0, NOTSRCCOPY);
    EXPECT_EQ(GetPixel(dc, 40, 10), RGB(0, 255, 255));
}

TEST_F(BlitTest, XorMarksVanishWhenDrawnTwice) {
    const auto before = snapshot();
    BitBlt(dc, 30, 20, 16, 16, mem, 0, 0, SRCINVERT);
    EXPECT_NE(snapshot(), before);
    BitBlt(dc, 30, 20, 16, 16, mem, 0, 0, SRCINVERT);
    EXPECT_EQ(snapshot(), before);

    // The source marker stretched from 16 x 16 to 42 x 17, as the source
    // list draws it.
    StretchBlt(dc, 5, 30, 42, 17, mem, 0, 0, 16, 16, SRCINVERT);
    const auto marked = snapshot();
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) changed += marked[i] != before[i] ? 1 : 0;
    EXPECT_EQ(changed, 42 * 17);
    StretchBlt(dc, 5, 30, 42, 17, mem, 0, 0, 16, 16, SRCINVERT);
    EXPECT_EQ(snapshot(), before);

    BitBlt(dc, 0, 0, 100, 60, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255) & ~before[0]);
    BitBlt(dc, 0, 0, 100, 60, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(BlitTest, SourceAndAndOrCombineBitByBit) {
    const auto before = snapshot();
    // the red and blue squares of the source, bit by bit with the background
    BitBlt(dc, 20, 10, 16, 16, mem, 0, 0, SRCAND);
    EXPECT_EQ(GetPixel(dc, 20, 10), before[10 * 100 + 20] & RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 21, 10), before[10 * 100 + 21] & RGB(255, 0, 0));
    BitBlt(dc, 60, 30, 16, 16, mem, 0, 0, SRCPAINT);
    EXPECT_EQ(GetPixel(dc, 60, 30), before[30 * 100 + 60] | RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 61, 30), before[30 * 100 + 61] | RGB(255, 0, 0));
    StretchBlt(dc, 0, 40, 32, 16, mem, 0, 0, 16, 8, SRCINVERT);
    EXPECT_EQ(GetPixel(dc, 0, 40), before[40 * 100 + 0] ^ RGB(0, 0, 255));
}

TEST_F(BlitTest, PatternBlits) {
    const auto before = snapshot();
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, 10, 10, 30, 20, PATINVERT);
    EXPECT_EQ(GetPixel(dc, 10, 10), before[10 * 100 + 10] ^ RGB(0x12, 0x34, 0x56));
    PatBlt(dc, 10, 10, 30, 20, PATINVERT);
    EXPECT_EQ(snapshot(), before);
    PatBlt(dc, 0, 0, 5, 5, PATCOPY);
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(0x12, 0x34, 0x56));
    PatBlt(dc, 0, 0, 5, 5, BLACKNESS);
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(brush);
}

TEST_F(BlitTest, MonochromeBitmapsTakeTextAndBackgroundColours) {
    // 8 x 2: the first row alternates, the second is all set; rows are
    // padded to 16 bits.
    const unsigned char bits[] = {0xAA, 0x00, 0xFF, 0x00};
    HBITMAP mono = CreateBitmap(8, 2, 1, 1, bits);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(mono, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    HDC mdc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mdc, mono);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, RGB(0, 255, 0));
    BitBlt(dc, 0, 0, 8, 2, mdc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));  // set bit: background colour
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 0, 0));  // clear bit: text colour
    EXPECT_EQ(GetPixel(dc, 5, 1), RGB(0, 255, 0));
    SelectObject(mdc, old);
    DeleteObject(mono);

    // A new memory context holds a monochrome bitmap, and a bitmap made
    // compatible with it is monochrome too.
    HBITMAP compatible = CreateCompatibleBitmap(mdc, 4, 4);
    GetObjectA(compatible, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(compatible);
    DeleteDC(mdc);
}

TEST_F(BlitTest, ABitmapSitsInOneContextAtATime) {
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);  // not into a window context
    DeleteDC(other);
}

std::vector<unsigned char> bmp_file_2x2() {
    // 24 bits, bottom-up: bottom row blue, white; top row red, green.
    std::vector<unsigned char> f(54 + 16, 0);
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put(2, static_cast<uint32_t>(f.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 2, 4);
    put(22, 2, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    const unsigned char rows[] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,   // blue, white, pad
                                  0, 0, 0xFF, 0, 0xFF, 0, 0, 0};        // red, green, pad
    std::memcpy(f.data() + 54, rows, sizeof rows);
    return f;
}

TEST_F(BlitTest, BitmapResourcesByNameWithoutCase) {
    const uint32_t pixels[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    ASSERT_TRUE(register_bitmap_resource("NXW_src_bmp", 2, 2, pixels));
    HBITMAP loaded = LoadBitmapA(nullptr, "nxw_SRC_BMP");
    ASSERT_NE(loaded, nullptr);
    HDC mdc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mdc, loaded);
    EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mdc, 0, 1), RGB(0, 0, 255));
    SelectObject(mdc, old);
    DeleteObject(loaded);
    EXPECT_EQ(LoadBitmapA(nullptr, "NXW_pad_bmp"), nullptr);

    const auto file = bmp_file_2x2();
    ASSERT_TRUE(register_bitmap_resource_bmp("#1", file.data(), file.size()));
    loaded = LoadBitmapA(nullptr, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(1)));
    ASSERT_NE(loaded, nullptr);
    old = SelectObject(mdc, loaded);
    EXPECT_EQ(GetPixel(mdc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mdc, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mdc, 0, 1), RGB(0, 0, 255));
    SelectObject(mdc, old);
    DeleteObject(loaded);
    DeleteDC(mdc);

    EXPECT_FALSE(register_bitmap_resource_bmp("bad", file.data(), 60));  // truncated pixels
    auto wrong = file;
    wrong[0] = 'X';
    EXPECT_FALSE(register_bitmap_resource_bmp("bad", wrong.data(), wrong.size()));
    EXPECT_FALSE(register_bitmap_resource("bad", 0, 2, pixels));
    clear_bitmap_resources();
    EXPECT_EQ(LoadBitmapA(nullptr, "NXW_src_bmp"), nullptr);
}

TEST_F(BlitTest, SavedStatesComeBack) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    const int level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    SelectObject(dc, red);
    SetMapMode(dc, MM_LOMETRIC);
    SetTextColor(dc, RGB(1, 2, 3));
    DeleteObject(red);  // still selected: freed when the state is restored
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetObjectType(red), 0u);
    EXPECT_FALSE(RestoreDC(dc, -1));
}

}  // namespace
