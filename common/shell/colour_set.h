// The screen colours of the settings record: each item three bytes red,
// green, blue at the offset its layout gives. The items of a program are the
// Colour fields of its layout table, each with its standard value.
#pragma once

#include <cstdint>
#include <vector>

#include "common/shell/settings_file.h"
#include "platform/types.h"

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// red + green x 256 + blue x 65536, as the drawing calls take it.
constexpr COLORREF colour_ref(Rgb c) {
    return static_cast<COLORREF>(c.red) | (static_cast<COLORREF>(c.green) << 8) |
           (static_cast<COLORREF>(c.blue) << 16);
}
constexpr Rgb rgb_from_ref(COLORREF ref) {
    return {static_cast<uint8_t>(ref & 0xFF), static_cast<uint8_t>((ref >> 8) & 0xFF),
            static_cast<uint8_t>((ref >> 16) & 0xFF)};
}

// A Colour field's value ({0,0,0} for a field that is not one).
Rgb read_colour(const SettingsRecord& record, const SettingsField& item);
COLORREF read_colour_ref(const SettingsRecord& record, const SettingsField& item);
void write_colour(SettingsRecord& record, const SettingsField& item, Rgb colour);
Rgb standard_colour(const SettingsField& item);

// The colour items of the record's layout, in offset order.
std::vector<const SettingsField*> colour_items(const SettingsProfile& profile);

// Sets every colour item to its standard value (the 標準色 command, before it
// rebuilds its pens and brushes and saves).
void reset_standard_colours(SettingsRecord& record);
