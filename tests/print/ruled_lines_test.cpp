// The ruled-line table: every entry as the form file and the text outputs
// need it, the glyph behind each DOS/V code, and look-ups both ways.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/print/ruled_lines.h"
#include "platform/user/codec.h"

namespace {

struct Expected {
    int entry, index, right, up, left, down;
    int dosv;
    const char* glyph;  // what the DOS/V code draws; "" for the shared 0x86A1
    int pc98;
};

// Written out entry by entry, independently of the table under test.
const Expected kExpected[kRuledLineCount] = {
    {0, 1, 1, 0, 1, 0, 0x849F, "─", 0x86A2},   {1, 2, 2, 0, 2, 0, 0x84AA, "━", 0x86A3},
    {2, 3, 0, 1, 0, 1, 0x84A0, "│", 0x86A4},   {3, 4, 0, 2, 0, 2, 0x84AB, "┃", 0x86A5},
    {4, 13, 1, 0, 0, 1, 0x84A1, "┌", 0x86AE},  {5, 14, 2, 0, 0, 1, 0x86A1, "", 0x86AF},
    {6, 15, 1, 0, 0, 2, 0x86A1, "", 0x86B0},   {7, 16, 2, 0, 0, 2, 0x84AC, "┏", 0x86B1},
    {8, 17, 0, 0, 1, 1, 0x84A2, "┐", 0x86B2},  {9, 18, 0, 0, 2, 1, 0x86A1, "", 0x86B3},
    {10, 19, 0, 0, 1, 2, 0x86A1, "", 0x86B4},  {11, 20, 0, 0, 2, 2, 0x84AD, "┓", 0x86B5},
    {12, 21, 1, 1, 0, 0, 0x84A4, "└", 0x86B6}, {13, 22, 2, 1, 0, 0, 0x86A1, "", 0x86B7},
    {14, 23, 1, 2, 0, 0, 0x86A1, "", 0x86B8},  {15, 24, 2, 2, 0, 0, 0x84AF, "┗", 0x86B9},
    {16, 25, 0, 1, 1, 0, 0x84A3, "┘", 0x86BA}, {17, 26, 0, 1, 2, 0, 0x86A1, "", 0x86BB},
    {18, 27, 0, 2, 1, 0, 0x86A1, "", 0x86BC},  {19, 28, 0, 2, 2, 0, 0x84AE, "┛", 0x86BD},
    {20, 29, 1, 1, 0, 1, 0x84A5, "├", 0x86BE}, {21, 30, 2, 1, 0, 1, 0x84BA, "┝", 0x86BF},
    {22, 31, 1, 2, 0, 1, 0x86A1, "", 0x86C0},  {23, 32, 1, 1, 0, 2, 0x86A1, "", 0x86C1},
    {24, 33, 1, 2, 0, 2, 0x84B5, "┠", 0x86C2}, {25, 34, 2, 2, 0, 1, 0x86A1, "", 0x86C3},
    {26, 35, 2, 1, 0, 2, 0x86A1, "", 0x86C4},  {27, 36, 2, 2, 0, 2, 0x84B0, "┣", 0x86C5},
    {28, 37, 0, 1, 1, 1, 0x84A7, "┤", 0x86C6}, {29, 38, 0, 1, 2, 1, 0x84BC, "┥", 0x86C7},
    {30, 39, 0, 2, 1, 1, 0x86A1, "", 0x86C8},  {31, 40, 0, 1, 1, 2, 0x86A1, "", 0x86C9},
    {32, 41, 0, 2, 1, 2, 0x84B7, "┨", 0x86CA}, {33, 42, 0, 2, 2, 1, 0x86A1, "", 0x86CB},
    {34, 43, 0, 1, 2, 2, 0x86A1, "", 0x86CC},  {35, 44, 0, 2, 2, 2, 0x84B2, "┫", 0x86CD},
    {36, 45, 1, 0, 1, 1, 0x84A6, "┬", 0x86CE}, {37, 46, 1, 0, 2, 1, 0x86A1, "", 0x86CF},
    {38, 47, 2, 0, 1, 1, 0x86A1, "", 0x86D0},  {39, 48, 2, 0, 2, 1, 0x84B6, "┯", 0x86D1},
    {40, 49, 1, 0, 1, 2, 0x84BB, "┰", 0x86D2}, {41, 50, 1, 0, 2, 2, 0x86A1, "", 0x86D3},
    {42, 51, 2, 0, 1, 2, 0x86A1, "", 0x86D4},  {43, 52, 2, 0, 2, 2, 0x84B1, "┳", 0x86D5},
    {44, 53, 1, 1, 1, 0, 0x84A8, "┴", 0x86D6}, {45, 54, 1, 1, 2, 0, 0x86A1, "", 0x86D7},
    {46, 55, 2, 1, 1, 0, 0x86A1, "", 0x86D8},  {47, 56, 2, 1, 2, 0, 0x84B8, "┷", 0x86D9},
    {48, 57, 1, 2, 1, 0, 0x84BD, "┸", 0x86DA}, {49, 58, 1, 2, 2, 0, 0x86A1, "", 0x86DB},
    {50, 59, 2, 2, 1, 0, 0x86A1, "", 0x86DC},  {51, 60, 2, 2, 2, 0, 0x84B3, "┻", 0x86DD},
    {52, 61, 1, 1, 1, 1, 0x84A9, "┼", 0x86DE}, {53, 62, 1, 1, 2, 1, 0x86A1, "", 0x86DF},
    {54, 63, 2, 1, 1, 1, 0x86A1, "", 0x86E0},  {55, 64, 2, 1, 2, 1, 0x84B9, "┿", 0x86E1},
    {56, 65, 1, 2, 1, 1, 0x86A1, "", 0x86E2},  {57, 66, 1, 1, 1, 2, 0x86A1, "", 0x86E3},
    {58, 67, 1, 2, 1, 2, 0x84BE, "╂", 0x86E4}, {59, 68, 1, 2, 2, 1, 0x86A1, "", 0x86E5},
    {60, 69, 2, 2, 1, 1, 0x86A1, "", 0x86E6},  {61, 70, 1, 1, 2, 2, 0x86A1, "", 0x86E7},
    {62, 71, 2, 1, 1, 2, 0x86A1, "", 0x86E8},  {63, 72, 2, 2, 2, 1, 0x86A1, "", 0x86E9},
    {64, 73, 2, 1, 2, 2, 0x86A1, "", 0x86EA},  {65, 74, 1, 2, 2, 2, 0x86A1, "", 0x86EB},
    {66, 75, 2, 2, 1, 2, 0x86A1, "", 0x86EC},  {67, 76, 2, 2, 2, 2, 0x84B4, "╋", 0x86ED},
    {68, 1, 1, 0, 0, 0, 0x849F, "─", 0x86A2},  {69, 2, 2, 0, 0, 0, 0x84AA, "━", 0x86A3},
    {70, 1, 0, 0, 1, 0, 0x849F, "─", 0x86A2},  {71, 2, 0, 0, 2, 0, 0x84AA, "━", 0x86A3},
    {72, 3, 0, 1, 0, 0, 0x84A0, "│", 0x86A4},  {73, 4, 0, 2, 0, 0, 0x84AB, "┃", 0x86A5},
    {74, 3, 0, 0, 0, 1, 0x84A0, "│", 0x86A4},  {75, 4, 0, 0, 0, 2, 0x84AB, "┃", 0x86A5},
};

std::string code_bytes(int code) {
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

TEST(RuledLineTable, EveryEntryHasItsIndexWeightsAndCodes) {
    for (const Expected& x : kExpected) {
        SCOPED_TRACE(x.entry);
        const RuledLineChar& e = ruled_line_entry(x.entry);
        EXPECT_EQ(e.index, x.index);
        EXPECT_EQ(e.right, x.right);
        EXPECT_EQ(e.up, x.up);
        EXPECT_EQ(e.left, x.left);
        EXPECT_EQ(e.down, x.down);
        EXPECT_EQ(ruled_line_entry_code(x.entry, kRuledLinesDosV), x.dosv);
        EXPECT_EQ(ruled_line_entry_code(x.entry, kRuledLinesPc98), x.pc98);
    }
}

TEST(RuledLineTable, DosVCodesDrawTheShapeOfTheirWeights) {
    for (const Expected& x : kExpected) {
        if (*x.glyph == '\0') continue;
        SCOPED_TRACE(x.entry);
        EXPECT_EQ(platform_user::cp932_to_utf8(code_bytes(x.dosv)), x.glyph);
    }
}

TEST(RuledLineTable, CodeIndexesFollowTheirRule) {
    std::set<int> indexes, jis;
    for (int n = 0; n < kRuledLineShapeCount; ++n) {
        const int index = ruled_line_entry(n).index;
        EXPECT_EQ(index, n < 4 ? n + 1 : n + 9) << n;
        indexes.insert(index);
        const int dosv = ruled_line_entry_code(n, kRuledLinesDosV);
        if (dosv != 0x86A1) {
            EXPECT_TRUE(jis.insert(dosv).second) << "JIS code used twice: " << n;
        }
    }
    EXPECT_EQ(indexes.size(), 68u);
    // All 32 JIS box-drawing characters 0x849F..0x84BE, each once.
    ASSERT_EQ(jis.size(), 32u);
    EXPECT_EQ(*jis.begin(), 0x849F);
    EXPECT_EQ(*jis.rbegin(), 0x84BE);
}

TEST(RuledLineTable, UnusedIndexesAndPc98Rule) {
    for (int index = 1; index <= kRuledLineCount; ++index)
        EXPECT_EQ(ruled_line_code(index, kRuledLinesPc98), 0x86A1 + index);
    for (int index = 5; index <= 12; ++index) {
        EXPECT_EQ(ruled_line_code(index, kRuledLinesDosV), 0x86A1);
        EXPECT_EQ(find_ruled_line_by_code(0x86A1 + index), -1) << "no entry refers to index " << index;
    }
    EXPECT_EQ(ruled_line_code(0, kRuledLinesDosV), 0);
    EXPECT_EQ(ruled_line_code(77, kRuledLinesPc98), 0);
}

TEST(RuledLineLookup, ByCharacterTakesTheFirstMatchInEitherSet) {
    for (const Expected& x : kExpected) {
        if (x.entry >= kRuledLineShapeCount) continue;
        if (x.dosv != 0x86A1) {
            EXPECT_EQ(find_ruled_line_by_code(x.dosv), x.entry);
        }
        EXPECT_EQ(find_ruled_line_by_code(x.pc98), x.entry);
    }
    // Every mixed-weight shape saved in DOS/V reads back as entry 5.
    EXPECT_EQ(find_ruled_line_by_code(0x86A1), 5);
    // Single arms share their codes with the straight lines, which come first.
    EXPECT_EQ(find_ruled_line_by_code(0x849F), 0);
    EXPECT_EQ(find_ruled_line_by_code(0x86A5), 3);
}

TEST(RuledLineLookup, ByCharacterMissesOtherCharacters) {
    EXPECT_EQ(find_ruled_line_by_code(0x8140), -1);  // full-width blank
    EXPECT_EQ(find_ruled_line_by_code(0x86A1 + 77), -1);
    EXPECT_EQ(find_ruled_line_by_code(0x84BF), -1);
    EXPECT_EQ(find_ruled_line_by_code(0), -1);
    EXPECT_EQ(find_ruled_line_by_code('-'), -1);
}

TEST(RuledLineLookup, ByCharacterWithinALimit) {
    EXPECT_EQ(find_ruled_line_by_code(0x84B4, kRuledLineShapeCount), 67);
    EXPECT_EQ(find_ruled_line_by_code(0x84B4, 67), -1);
    EXPECT_EQ(find_ruled_line_by_code(0x849F, 0), -1);
}

TEST(RuledLineLookup, ByWeightsReachesEveryEntry) {
    for (const Expected& x : kExpected)
        EXPECT_EQ(find_ruled_line_by_weights(x.right, x.up, x.left, x.down), x.entry) << x.entry;
    EXPECT_EQ(find_ruled_line_by_weights(0, 0, 0, 0), -1);
    EXPECT_EQ(find_ruled_line_by_weights(3, 0, 0, 0), -1);
    // A right-only arm composes to the straight line of its weight.
    EXPECT_EQ(ruled_line_entry_code(find_ruled_line_by_weights(1, 0, 0, 0), kRuledLinesDosV), 0x849F);
    EXPECT_EQ(ruled_line_entry_code(find_ruled_line_by_weights(1, 0, 0, 0), kRuledLinesPc98), 0x86A2);
}

// Every shape written in one set and read back, then written in the other:
// shapes with a JIS character keep their weights both ways; mixed shapes
// keep them through PC98 and become entry 5 through DOS/V.
TEST(RuledLineLookup, RoundTripThroughBothCodeSets) {
    for (int n = 0; n < kRuledLineShapeCount; ++n) {
        SCOPED_TRACE(n);
        const int via_pc98 = find_ruled_line_by_code(ruled_line_entry_code(n, kRuledLinesPc98));
        EXPECT_EQ(via_pc98, n);
        const int dosv = ruled_line_entry_code(n, kRuledLinesDosV);
        const int via_dosv = find_ruled_line_by_code(dosv);
        EXPECT_EQ(via_dosv, dosv == 0x86A1 ? 5 : n);
        const int back = find_ruled_line_by_code(ruled_line_entry_code(via_dosv, kRuledLinesPc98));
        EXPECT_EQ(back, via_dosv);
    }
}

TEST(RuledLineCodeSetValue, AnythingButOneIsDosV) {
    EXPECT_EQ(ruled_line_code_set(0), kRuledLinesDosV);
    EXPECT_EQ(ruled_line_code_set(1), kRuledLinesPc98);
    EXPECT_EQ(ruled_line_code_set(2), kRuledLinesDosV);
    EXPECT_EQ(ruled_line_code_set(-1), kRuledLinesDosV);
}

}  // namespace
