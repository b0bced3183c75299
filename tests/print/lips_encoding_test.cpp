// The LIPS encodings: the vector number table, the pitch format, the font
// sets, and the JIS and EUC-JP conversions.
#include <gtest/gtest.h>

#include <string>

#include "common/print/lips.h"
#include "common/print/print_primitives.h"

namespace {

TEST(LipsVectorNumber, Table) {
    const struct {
        long long n;
        const char* bytes;
    } cases[] = {
        {0, "\x30"},
        {5, "\x35"},
        {-5, "\x25"},
        {15, "\x3f"},
        {-15, "\x2f"},
        {16, "\x41\x30"},
        {-16, "\x41\x20"},
        {100, "\x46\x34"},
        {1023, "\x7f\x3f"},
        {1024, "\x41\x40\x30"},
        {-1, "\x21"},
        {2000, "\x41\x7d\x30"},
        {-2000, "\x41\x7d\x20"},
        {65535, "\x7f\x7f\x3f"},
    };
    for (const auto& c : cases) EXPECT_EQ(lips_vector_number(c.n), c.bytes) << c.n;
}

TEST(LipsVectorNumber, BeyondTheRangeIsHeldToItsEdge) {
    // Every byte stays printable whatever the number.
    EXPECT_EQ(lips_vector_number(65536), lips_vector_number(65535));
    EXPECT_EQ(lips_vector_number(-4000000000LL), lips_vector_number(-65535));
    for (const long long n : {-70000LL, -65535LL, -1025LL, 1025LL, 70000LL}) {
        for (const char c : lips_vector_number(n)) {
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << n;
            EXPECT_LE(static_cast<unsigned char>(c), 0x7f) << n;
        }
    }
}

TEST(LipsFormats, PitchAndFontSets) {
    EXPECT_EQ(lips_pitch(80, 47), "\033[80;47 G");
    EXPECT_EQ(lips_pitch(8, 4), "\033[08;04 G");
    EXPECT_STREQ(lips_font_name(0), "A1224M.ROMA");
    EXPECT_STREQ(lips_font_name(7), "A1224M.N_hKEI");
    EXPECT_STREQ(lips_font_name(14), "K32G.J83");
    EXPECT_STREQ(lips_font_name(23), "A2040M.N_hKEI");
    EXPECT_EQ(lips_font_name(24), nullptr);
    EXPECT_EQ(lips_font_name(-1), nullptr);
    EXPECT_STREQ(printer_kind_name(0), "\x82\x62\x82\x81\x82\x8e\x82\x8f\x82\x8e\x81\x40\x82\x6b\x82\x68\x82\x6f\x82\x72\x8c\x6e");
    EXPECT_STREQ(printer_kind_name(1), "\x83\x76\x83\x8a\x83\x93\x83\x67\x83\x7d\x83\x6c\x81\x5b\x83\x57\x83\x83");
    EXPECT_EQ(printer_kind_name(4), nullptr);
}

TEST(JisConversion, RowsAndCells) {
    const struct {
        unsigned char row, cell, lead, trail;
    } cases[] = {
        {0x21, 0x21, 0x81, 0x40},  // 　 the first code
        {0x24, 0x22, 0x82, 0xa0},  // あ
        {0x30, 0x21, 0x88, 0x9f},  // 亜
        {0x34, 0x58, 0x8a, 0xd6},  // 関
        {0x21, 0x60, 0x81, 0x80},  // an odd row's cell 0x60 skips 0x7F
        {0x5e, 0x7e, 0x9f, 0xfc},  // the last code below the gap
        {0x5f, 0x21, 0xe0, 0x40},  // past row 0x5E the lead jumps to 0xE0
        {0x60, 0x21, 0xe0, 0x9f},
        {0x74, 0x26, 0xea, 0xa4},  // the last JIS X 0208 code
        {0xb4, 0xd8, 0x8a, 0xd6},  // bit 7 of both is ignored
    };
    for (const auto& c : cases) {
        unsigned char lead = 0, trail = 0;
        jis_to_sjis(c.row, c.cell, lead, trail);
        EXPECT_EQ(lead, c.lead) << std::hex << int(c.row) << ' ' << int(c.cell);
        EXPECT_EQ(trail, c.trail) << std::hex << int(c.row) << ' ' << int(c.cell);
    }
}

TEST(JisConversion, EucText) {
    // 関数 in EUC-JP, a half-width katakana after its 0x8E, plain ASCII.
    EXPECT_EQ(euc_to_sjis_text("\xb4\xd8\xbf\xf4" "\x8e\xb1" "AB"), "\x8a\xd6\x90\x94\xb1" "AB");
    // A lead at the very end has no partner and stays a byte; so does 0x8E.
    EXPECT_EQ(euc_to_sjis_text("A\xb4"), "A\xb4");
    EXPECT_EQ(euc_to_sjis_text("A\x8e"), "A");
    EXPECT_EQ(euc_to_sjis_text(""), "");
}

}  // namespace
