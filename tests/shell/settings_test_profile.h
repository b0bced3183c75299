// A small settings layout of the tests' own, so the shared machinery is
// tested apart from any program's layout: an odd-offset word, a pair, a
// colour, reserved gaps and three recent-file slots of 8 bytes.
#pragma once

#include <string>

#include "common/shell/settings_file.h"

inline constexpr SettingsField kTestFields[] = {
    tag_field("signature", 0, 2, "TE"),
    tag_field("version", 2, 4, "1.00"),
    text_field("name", 6, 10, "std"),
    index_field("orientation", 16, 0, 0, 1),
    word_pair_field("margin", 18, 4, 1, 0, 6),
    colour_field("background", 22, 255, 251, 240),
    word_field("printer_kind", 25, 1),
    reserved_bytes(27, 3),
    index_field("recent_count", 30, 0, 0, 3),
    text_slots_field("recent_files", 32, 3, 8),
    colour_field("text", 56, 0, 0, 192),
    reserved_bytes(59, 5),
};
inline constexpr int kTestSize = 64;
static_assert(settings_layout_is_contiguous(kTestFields, kTestSize));

namespace test_settings {
inline constexpr const SettingsField& kName = find_settings_field(kTestFields, "name");
inline constexpr const SettingsField& kOrientation = find_settings_field(kTestFields, "orientation");
inline constexpr const SettingsField& kMargin = find_settings_field(kTestFields, "margin");
inline constexpr const SettingsField& kBackground = find_settings_field(kTestFields, "background");
inline constexpr const SettingsField& kText = find_settings_field(kTestFields, "text");
inline constexpr const SettingsField& kPrinterKind = find_settings_field(kTestFields, "printer_kind");
inline constexpr const SettingsField& kRecentCount = find_settings_field(kTestFields, "recent_count");
inline constexpr const SettingsField& kRecentFiles = find_settings_field(kTestFields, "recent_files");
}  // namespace test_settings

inline const SettingsProfile kTestProfile = {
    "te1000s.prm",
    "te1000s.$pr",
    kTestSize,
    kTestFields,
    &find_settings_field(kTestFields, "signature"),
    &find_settings_field(kTestFields, "version"),
    &test_settings::kPrinterKind,
    &test_settings::kRecentCount,
    &test_settings::kRecentFiles,
    kMessageSettingsNotSaved,
};

// Bytes 0..size-1 in a pattern that differs at every offset, with the
// signature and version in place and the index fields in range.
inline std::string patterned_settings_bytes() {
    std::string bytes(kTestSize, '\0');
    for (int i = 0; i < kTestSize; ++i) bytes[i] = static_cast<char>(0x30 + i * 7 % 200);
    bytes.replace(0, 6, "TE1.00");
    bytes[16] = 1, bytes[17] = 0;  // portrait
    bytes[25] = 4, bytes[26] = 0;  // printer kind as stored: PostScript
    bytes[30] = 2, bytes[31] = 0;  // two recent files
    return bytes;
}
