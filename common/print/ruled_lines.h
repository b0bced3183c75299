// The ruled-line characters: the box-drawing characters that forms, text
// output, PAD output and chart output use for lines, each with the weights of
// its four arms, in the DOS/V and the PC98 code set.
#pragma once

#include <cstdint>

// Which character set ruled lines are written in (stored as a 16-bit value
// in the settings).
enum RuledLineCodeSet : int {
    kRuledLinesDosV = 0,  // the JIS box-drawing characters of Shift-JIS
    kRuledLinesPc98 = 1,  // the PC98 codes 0x86A2 to 0x86ED
};

// Arm weights.
enum : uint8_t { kArmNone = 0, kArmThin = 1, kArmThick = 2 };

struct RuledLineChar {
    int index;  // code index 1..76 into the code pairs
    uint8_t right, up, left, down;
};

constexpr int kRuledLineCount = 76;
// Entries 0..67 are reached by character too; 68..75 (single arms) only by
// weights.
constexpr int kRuledLineShapeCount = 68;

// Entry n of the table (0 <= n < kRuledLineCount).
const RuledLineChar& ruled_line_entry(int entry);

// The double-byte code (lead * 256 + trail) of a code index in a code set.
int ruled_line_code(int index, RuledLineCodeSet set);
// The code of an entry in a code set.
inline int ruled_line_entry_code(int entry, RuledLineCodeSet set) {
    return ruled_line_code(ruled_line_entry(entry).index, set);
}

// The first entry whose DOS/V or PC98 code equals code; -1 when none. Only
// entries 0..limit-1 are searched (the layout generator searches the shapes).
int find_ruled_line_by_code(int code, int limit = kRuledLineCount);
// The first entry with these four weights; -1 when none (all four 0 never
// matches).
int find_ruled_line_by_weights(int right, int up, int left, int down);

// The code set from a stored value: anything but 1 is DOS/V.
inline RuledLineCodeSet ruled_line_code_set(int stored) {
    return stored == kRuledLinesPc98 ? kRuledLinesPc98 : kRuledLinesDosV;
}
