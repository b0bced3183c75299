// GDI objects: stock objects, selection and deletion, object records, and
// fonts: which family a face gets, whether it is really installed, metrics.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/gdi_support.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/wingdi.h"

namespace {

class ObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 50, 50);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        objects_before = gdi_live_object_count();
    }
    void TearDown() override {
        release_surface_dc(dc);
        cairo_surface_destroy(surface);
        EXPECT_EQ(gdi_live_object_count(), objects_before);
    }
    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
    size_t objects_before = 0;
};

TEST_F(ObjectsTest, NewContextsHoldTheStockObjects) {
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectA(GetStockObject(NULL_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // ignored
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetStockObject(9), nullptr);
}

TEST_F(ObjectsTest, SelectReturnsThePreviousObject) {
    HPEN a = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    HPEN b = CreatePen(PS_SOLID, 4, RGB(4, 5, 6));
    EXPECT_EQ(SelectObject(dc, a), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, b), a);
    LOGPEN lp{};
    GetObjectA(b, sizeof lp, &lp);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(lp.lopnWidth.x, 4);
    EXPECT_EQ(lp.lopnColor, RGB(4, 5, 6));
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), b);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b));
    EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
}

TEST_F(ObjectsTest, DeletingASelectedObjectWaitsForItsRelease) {
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    SelectObject(dc, brush);
    const size_t live = gdi_live_object_count();
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(gdi_live_object_count(), live);  // still drawing with it
    RECT r{0, 0, 5, 5};
    EXPECT_TRUE(Rectangle(dc, r.left, r.top, r.right, r.bottom));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(9, 9, 9));
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, brush), nullptr);  // no new selections
    DeleteDC(other);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(gdi_live_object_count(), live - 1);
}

TEST_F(ObjectsTest, ReleasingAContextReleasesItsSelections) {
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "Terminal");
    HDC second = create_surface_dc(surface, nullptr, 0, 0, nullptr);
    SelectObject(second, font);
    DeleteObject(font);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    release_surface_dc(second);
    EXPECT_EQ(GetObjectType(font), 0u);
}

TEST_F(ObjectsTest, FontRecordsRoundTrip) {
    LOGFONTA lf{};
    lf.lfHeight = 12;
    lf.lfWidth = 6;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_ROMAN;
    std::strcpy(lf.lfFaceName, "\x95\x57\x8f\x80\x96\xbe\x92\xa9");  // "標準明朝"
    HFONT font = CreateFontIndirectA(&lf);
    LOGFONTA back{};
    ASSERT_EQ(GetObjectA(font, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_EQ(std::memcmp(&lf, &back, sizeof lf), 0);
    SelectObject(dc, font);
    char face[LF_FACESIZE];
    EXPECT_EQ(GetTextFaceA(dc, sizeof face, face), 8);
    EXPECT_STREQ(face, lf.lfFaceName);
    EXPECT_EQ(GetTextFaceA(dc, 4, face), 2);  // never half a character
    EXPECT_EQ(std::strlen(face), 2u);

    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, 12);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmMaxCharWidth, 12);
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // clear bit: fixed pitch

    // A negative height is the character height: the cell is taller.
    HFONT em = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    SelectObject(dc, em);
    GetTextMetricsA(dc, &tm);
    EXPECT_GE(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    SIZE size{};
    GetTextExtentPoint32A(dc, "a\x82\xa0z", 4, &size);  // one double-byte character between two letters
    EXPECT_EQ(size.cx, 4 * 8);
    // A lead byte at the very end takes a single cell.
    GetTextExtentPoint32A(dc, "a\x82", 2, &size);
    EXPECT_EQ(size.cx, 2 * 8);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    DeleteObject(em);
}

// The dialog font of a Japanese desktop is proportional: each character
// advances by its own glyph's width in whole pixels, a kanji by a full em.
TEST(Fonts, AProportionalFaceAdvancesByTheGlyphs) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");  // ＭＳ Ｐゴシック
    SelectObject(dc, font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmMaxCharWidth, 12);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH);  // set bit: variable pitch
    auto width = [dc](const char* text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
        return static_cast<int>(size.cx);
    };
    EXPECT_LT(width("i"), width("W"));
    EXPECT_EQ(width("iW"), width("i") + width("W")) << "whole pixels a character";
    EXPECT_EQ(width("\x8a\xbf"), 12) << "a kanji is one em";  // 漢
    EXPECT_LT(width("illegal"), 7 * 6) << "narrower than fixed cells";
    // The 52 Latin letters average 7 pixels: the dialog base unit across.
    const int letters = width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ((letters / 26 + 1) / 2, 7);
    // Drawn, the text ends where its extent says.
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 100, 20);
    SelectObject(dc, bitmap);
    RECT all{0, 0, 100, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 0, "WWW", 3);
    int rightmost = -1;
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 20; ++y) {
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) rightmost = x;
        }
    }
    EXPECT_GE(rightmost, width("WWW") - 3);
    EXPECT_LT(rightmost, width("WWW") + 1);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
}

TEST(Fonts, FacesMapToTheIpaFamilies) {
    EXPECT_STREQ(font_family_for_face("\x95\x57\x8f\x80\x96\xbe\x92\xa9"), "IPAMincho");              // 標準明朝
    EXPECT_STREQ(font_family_for_face("\x82\x6c\x82\x72 \x96\xbe\x92\xa9"), "IPAMincho");            // ＭＳ 明朝
    EXPECT_STREQ(font_family_for_face("\x82\x6c\x82\x72 \x82\x6f\x96\xbe\x92\xa9"), "IPAPMincho");   // ＭＳ Ｐ明朝
    EXPECT_STREQ(font_family_for_face("MS Mincho"), "IPAMincho");
    EXPECT_STREQ(font_family_for_face("\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"),
                 "IPAPGothic");  // ＭＳ Ｐゴシック
    EXPECT_STREQ(font_family_for_face("MS PGothic"), "IPAPGothic");
    EXPECT_STREQ(font_family_for_face("MS UI Gothic"), "IPAPGothic");
    EXPECT_STREQ(font_family_for_face("IPAGothic"), "IPAGothic");
    EXPECT_STREQ(font_family_for_face("\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"), "IPAGothic");  // ＭＳ ゴシック
    EXPECT_STREQ(font_family_for_face("\x95\x57\x8f\x80\x83\x53\x83\x56\x83\x62\x83\x4e"), "IPAGothic");   // 標準ゴシック
    EXPECT_STREQ(font_family_for_face(""), "IPAGothic");
    EXPECT_STREQ(font_family_for_face(nullptr), "IPAGothic");
    // The bytes of 明朝 straddling two characters are not 明朝.
    EXPECT_STREQ(font_family_for_face("\x82\x96\xbe\x92\xa9"), "IPAGothic");
}

TEST(Fonts, TheIpaFontsAreReallyThere) {
    EXPECT_TRUE(gdi_fonts_available()) << gdi_font_error();
    EXPECT_EQ(gdi_font_error(), "");
    EXPECT_EQ(matched_font_family("IPAMincho"), "IPAMincho");
    EXPECT_EQ(matched_font_family("IPAGothic"), "IPAGothic");
    EXPECT_EQ(matched_font_family("IPAPMincho"), "IPAPMincho");
    EXPECT_EQ(matched_font_family("IPAPGothic"), "IPAPGothic");
    EXPECT_NE(matched_font_family("No Such Family 9z"), "No Such Family 9z");
}

}  // namespace
