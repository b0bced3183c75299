// NOTARIX's settings file: the shipped nx1000s.prm against the layout table,
// its values at their offsets in the file, a byte-exact round trip of the
// 3751-byte record, and recent-file names at the edges of their slots.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/shell/colour_set.h"
#include "common/shell/recent_files.h"
#include "notarix/viewer/settings_layout.h"
#include "tests/common/temp_dir.h"

namespace {

using namespace nx_settings;

const std::string kShippedFile = std::string(TEST_DATA_DIR) + "/../../resources/notarix/nx1000s.prm";

int u16_at(const std::string& bytes, int offset) {
    return static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8;
}

std::string as_string(const SettingsRecord& record) {
    return std::string(record.bytes().begin(), record.bytes().end());
}

TEST(NotarixSettingsLayout, ShippedFileIsTheTablesStandardRecord) {
    const std::string shipped = read_raw(kShippedFile);
    ASSERT_EQ(shipped.size(), 3751u) << kShippedFile;
    const std::vector<uint8_t> standard = build_standard_settings(kNotarixSettings);
    EXPECT_EQ(shipped, std::string(standard.begin(), standard.end()));
}

TEST(NotarixSettingsLayout, ShippedFileHoldsTheStandardValuesAtTheirOffsets) {
    const std::string f = read_raw(kShippedFile);
    ASSERT_EQ(f.size(), 3751u);
    EXPECT_EQ(f.substr(0, 6), "NE1.00");
    EXPECT_EQ(u16_at(f, 466), 1);   // linked mode at open
    EXPECT_EQ(u16_at(f, 1176), 1);  // print manager
    EXPECT_EQ(u16_at(f, 1178), 1);  // A4 portrait, the paper of the default form
    // [landscape, portrait]: top margin, left margin, characters, lines
    EXPECT_EQ(u16_at(f, 1674), 4);
    EXPECT_EQ(u16_at(f, 1676), 1);
    EXPECT_EQ(u16_at(f, 1686), 0);
    EXPECT_EQ(u16_at(f, 1688), 10);
    EXPECT_EQ(u16_at(f, 1698), 198);
    EXPECT_EQ(u16_at(f, 1700), 126);
    EXPECT_EQ(u16_at(f, 1710), 69);
    EXPECT_EQ(u16_at(f, 1712), 100);
    // Colours: form lines, page background, source text, source background, page text.
    EXPECT_EQ(f.substr(1734, 6), std::string("\0\0\0\xFF\xFB\xF0", 6));
    EXPECT_EQ(f.substr(1742, 9), std::string("\0\0\0\xC0\xC0\xC0\0\0\xC0", 9));
    EXPECT_EQ(u16_at(f, 1264), 1);
    EXPECT_EQ(u16_at(f, 1266), 1000);
    EXPECT_EQ(u16_at(f, 1724), 1);
    EXPECT_EQ(u16_at(f, 1726), 1000);
    EXPECT_EQ(u16_at(f, 2463), 0);  // no recent files
    EXPECT_EQ(f.substr(2465, 1280), std::string(1280, '\0'));
    EXPECT_EQ(f.substr(648, 11), std::string("nx1000.css\0", 11));
}

TEST(NotarixSettingsLayout, ProfileNamesTheFileAndItsRoleFields) {
    EXPECT_STREQ(kNotarixSettings.file_name, "nx1000s.prm");
    EXPECT_EQ(kNotarixSettings.size, 3751);
    EXPECT_EQ(kNotarixSettings.recent_count->offset, 2463);
    EXPECT_EQ(kNotarixSettings.recent_files->offset, 2465);
    EXPECT_EQ(kNotarixSettings.printer_kind->offset, 1176);
    EXPECT_EQ(colour_items(kNotarixSettings).size(), 5u);
    EXPECT_EQ(notarix_standard_print_value(kPrintCharsPerLine, 1), 126);
    EXPECT_EQ(notarix_standard_print_value(kPrintLinesPerPage, 0), 69);
    EXPECT_EQ(notarix_standard_print_value(kTabWidth, 0), 0);
    EXPECT_STREQ(kNotarixPlacement.registry_key, "Software\\KRT Notarix95");
}

TEST(NotarixSettingsLayout, RecordRoundTripsByteForByte) {
    TempDir dir;
    std::string original(3751, '\0');
    for (int i = 0; i < 3751; ++i) original[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    original.replace(0, 6, "NE1.00");
    original[1176] = 1, original[1177] = 0;
    original[1178] = 1, original[1179] = 0;
    for (int offset : {508, 642, 1722, 1740, 2393, 2395, 2463}) original[offset] = 0, original[offset + 1] = 0;
    write_raw(dir.path("nx1000s.prm"), original);

    SettingsRecord record(kNotarixSettings);
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_TRUE(info.repaired.empty());
    EXPECT_EQ(as_string(record), original);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::Ok);

    record.set_word(kTabWidth, 4);
    ASSERT_TRUE(record.set_text(kEditorPath, "c:\\bin\\edit.exe"));
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    std::string expected = original;
    expected[244] = 4, expected[245] = 0;
    expected.replace(336, 130, std::string("c:\\bin\\edit.exe") + std::string(130 - 15, '\0'));
    EXPECT_EQ(read_raw(dir.path("nx1000s.prm")), expected);
}

TEST(NotarixSettingsLayout, OutOfRangeIndexValuesAreRepairedOnRead) {
    TempDir dir;
    std::string f = read_raw(kShippedFile);
    ASSERT_EQ(f.size(), 3751u);
    f[1178] = 5;   // orientation
    f[2463] = 6;   // recent count
    f[1740] = 2;   // form code set
    f[1176] = 0;   // Canon LIPS
    write_raw(dir.path("nx1000s.prm"), f);
    SettingsRecord record(kNotarixSettings);
    ASSERT_EQ(read_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(record.word(kOrientation), 1);  // the standard paper
    EXPECT_EQ(record.word(kRecentCount), 0);
    EXPECT_EQ(record.word(kFormCodeSet), 0);
    EXPECT_EQ(record.word(kPrinterKind), 1);
}

TEST(NotarixSettingsLayout, RecentNamesStopAtTheirSlots) {
    SettingsRecord record(kNotarixSettings);
    record.set_standard_values();
    const std::string reserved_tail = as_string(record).substr(3745);
    // 255 bytes fit a slot of 256; the last slot ends where the reserved tail begins.
    for (char c : std::string("abcde")) {
        std::string name = std::string(254, c) + "X";
        ASSERT_EQ(add_recent_file_entry(record, name), kRecentAdded);
        EXPECT_EQ(name, std::string(254, c) + "x");
    }
    EXPECT_EQ(record.word(kRecentCount), 5);
    EXPECT_EQ(recent_file(record, 0), std::string(254, 'e') + "x");
    EXPECT_EQ(recent_file(record, 4), std::string(254, 'a') + "x");
    const std::string bytes = as_string(record);
    EXPECT_EQ(bytes[2465 + 255], '\0');
    EXPECT_EQ(bytes[2465 + 4 * 256 + 255], '\0');
    EXPECT_EQ(bytes.substr(3745), reserved_tail);

    std::string too_long(256, 'z');
    EXPECT_EQ(add_recent_file_entry(record, too_long), kRecentRefused);
    // A double-byte name of 256 bytes is refused too, never cut into half a character.
    std::string wide;
    for (int i = 0; i < 128; ++i) wide += "\x83\x41";
    EXPECT_EQ(add_recent_file_entry(record, wide), kRecentRefused);
    EXPECT_EQ(as_string(record), bytes);
}

}  // namespace
