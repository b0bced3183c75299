#include "common/print/ruled_lines.h"

namespace {

// A mixed-weight shape that JIS lacks is held in DOS/V as this one code.
constexpr int kNoJisShape = 0x86A1;
constexpr int kPc98Base = 0x86A1;

// DOS/V code of each code index 0..76 (index 0 is empty). The PC98 code of
// index n is always 0x86A1 + n. Indices 5..12 are in the code table but no
// entry refers to them.
constexpr int kDosVCodes[kRuledLineCount + 1] = {
    0,
    /*  1 */ 0x849F, 0x84AA, 0x84A0, 0x84AB,  // ─ ━ │ ┃
    /*  5 */ kNoJisShape, kNoJisShape, kNoJisShape, kNoJisShape,
    /*  9 */ kNoJisShape, kNoJisShape, kNoJisShape, kNoJisShape,
    /* 13 */ 0x84A1, kNoJisShape, kNoJisShape, 0x84AC,  // ┌ . . ┏
    /* 17 */ 0x84A2, kNoJisShape, kNoJisShape, 0x84AD,  // ┐ . . ┓
    /* 21 */ 0x84A4, kNoJisShape, kNoJisShape, 0x84AF,  // └ . . ┗
    /* 25 */ 0x84A3, kNoJisShape, kNoJisShape, 0x84AE,  // ┘ . . ┛
    /* 29 */ 0x84A5, 0x84BA, kNoJisShape, kNoJisShape,  // ├ ┝ . .
    /* 33 */ 0x84B5, kNoJisShape, kNoJisShape, 0x84B0,  // ┠ . . ┣
    /* 37 */ 0x84A7, 0x84BC, kNoJisShape, kNoJisShape,  // ┤ ┥ . .
    /* 41 */ 0x84B7, kNoJisShape, kNoJisShape, 0x84B2,  // ┨ . . ┫
    /* 45 */ 0x84A6, kNoJisShape, kNoJisShape, 0x84B6,  // ┬ . . ┯
    /* 49 */ 0x84BB, kNoJisShape, kNoJisShape, 0x84B1,  // ┰ . . ┳
    /* 53 */ 0x84A8, kNoJisShape, kNoJisShape, 0x84B8,  // ┴ . . ┷
    /* 57 */ 0x84BD, kNoJisShape, kNoJisShape, 0x84B3,  // ┸ . . ┻
    /* 61 */ 0x84A9, kNoJisShape, kNoJisShape, 0x84B9,  // ┼ . . ┿
    /* 65 */ kNoJisShape, kNoJisShape, 0x84BE, kNoJisShape,  // . . ╂ .
    /* 69 */ kNoJisShape, kNoJisShape, kNoJisShape, kNoJisShape,
    /* 73 */ kNoJisShape, kNoJisShape, kNoJisShape, 0x84B4,  // . . . ╋
};

// ORDER MATTERS: look-ups by character take the first match (so 0x86A1
// reads as entry 5) and the single arms 68..75 come last so that only
// look-ups by weights reach them. Straight lines 0..3, corners 4..19 (four
// of each of ┌ ┐ └ ┘), tees 20..51 (eight of each of ├ ┤ ┬ ┴), crosses
// 52..67, single arms 68..75.
constexpr RuledLineChar kRuledLines[kRuledLineCount] = {
    //       index  R  U  L  D
    /*  0 */ {1, 1, 0, 1, 0},  {2, 2, 0, 2, 0},  {3, 0, 1, 0, 1},  {4, 0, 2, 0, 2},
    /*  4 */ {13, 1, 0, 0, 1}, {14, 2, 0, 0, 1}, {15, 1, 0, 0, 2}, {16, 2, 0, 0, 2},
    /*  8 */ {17, 0, 0, 1, 1}, {18, 0, 0, 2, 1}, {19, 0, 0, 1, 2}, {20, 0, 0, 2, 2},
    /* 12 */ {21, 1, 1, 0, 0}, {22, 2, 1, 0, 0}, {23, 1, 2, 0, 0}, {24, 2, 2, 0, 0},
    /* 16 */ {25, 0, 1, 1, 0}, {26, 0, 1, 2, 0}, {27, 0, 2, 1, 0}, {28, 0, 2, 2, 0},
    /* 20 */ {29, 1, 1, 0, 1}, {30, 2, 1, 0, 1}, {31, 1, 2, 0, 1}, {32, 1, 1, 0, 2},
    /* 24 */ {33, 1, 2, 0, 2}, {34, 2, 2, 0, 1}, {35, 2, 1, 0, 2}, {36, 2, 2, 0, 2},
    /* 28 */ {37, 0, 1, 1, 1}, {38, 0, 1, 2, 1}, {39, 0, 2, 1, 1}, {40, 0, 1, 1, 2},
    /* 32 */ {41, 0, 2, 1, 2}, {42, 0, 2, 2, 1}, {43, 0, 1, 2, 2}, {44, 0, 2, 2, 2},
    /* 36 */ {45, 1, 0, 1, 1}, {46, 1, 0, 2, 1}, {47, 2, 0, 1, 1}, {48, 2, 0, 2, 1},
    /* 40 */ {49, 1, 0, 1, 2}, {50, 1, 0, 2, 2}, {51, 2, 0, 1, 2}, {52, 2, 0, 2, 2},
    /* 44 */ {53, 1, 1, 1, 0}, {54, 1, 1, 2, 0}, {55, 2, 1, 1, 0}, {56, 2, 1, 2, 0},
    /* 48 */ {57, 1, 2, 1, 0}, {58, 1, 2, 2, 0}, {59, 2, 2, 1, 0}, {60, 2, 2, 2, 0},
    /* 52 */ {61, 1, 1, 1, 1}, {62, 1, 1, 2, 1}, {63, 2, 1, 1, 1}, {64, 2, 1, 2, 1},
    /* 56 */ {65, 1, 2, 1, 1}, {66, 1, 1, 1, 2}, {67, 1, 2, 1, 2}, {68, 1, 2, 2, 1},
    /* 60 */ {69, 2, 2, 1, 1}, {70, 1, 1, 2, 2}, {71, 2, 1, 1, 2}, {72, 2, 2, 2, 1},
    /* 64 */ {73, 2, 1, 2, 2}, {74, 1, 2, 2, 2}, {75, 2, 2, 1, 2}, {76, 2, 2, 2, 2},
    /* 68 */ {1, 1, 0, 0, 0},  {2, 2, 0, 0, 0},  {1, 0, 0, 1, 0},  {2, 0, 0, 2, 0},
    /* 72 */ {3, 0, 1, 0, 0},  {4, 0, 2, 0, 0},  {3, 0, 0, 0, 1},  {4, 0, 0, 0, 2},
};

bool is_entry(int entry) { return entry >= 0 && entry < kRuledLineCount; }
bool is_code_index(int index) { return index >= 1 && index <= kRuledLineCount; }

}  // namespace

const RuledLineChar& ruled_line_entry(int entry) {
    return kRuledLines[is_entry(entry) ? entry : 0];
}

int ruled_line_code(int index, RuledLineCodeSet set) {
    if (!is_code_index(index)) return 0;
    return set == kRuledLinesPc98 ? kPc98Base + index : kDosVCodes[index];
}

int find_ruled_line_by_code(int code, int limit) {
    if (limit > kRuledLineCount) limit = kRuledLineCount;
    for (int n = 0; n < limit; ++n) {
        const int index = kRuledLines[n].index;
        if (kDosVCodes[index] == code || kPc98Base + index == code) return n;
    }
    return -1;
}

int find_ruled_line_by_weights(int right, int up, int left, int down) {
    for (int n = 0; n < kRuledLineCount; ++n) {
        const RuledLineChar& e = kRuledLines[n];
        if (e.right == right && e.up == up && e.left == left && e.down == down) return n;
    }
    return -1;
}
