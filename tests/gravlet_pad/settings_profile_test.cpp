// GRAVLET's settings file, placements and recent files through the shared
// routines: the shipped gx1000s.prm against the layout table, its values at
// their offsets, a byte-exact round trip, long texts cut to their fields,
// the registry key, the recent list's offsets and its menu ids.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <string>

#include "common/shell/colour_set.h"
#include "common/shell/recent_files.h"
#include "common/shell/window/recent_menu.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/automation/automation.h"
#include "platform/kernel/registry.h"
#include "platform/user/winuser.h"
#include "tests/common/registry_values.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

namespace {

using namespace gx_settings;

const std::string kShippedFile = std::string(TEST_DATA_DIR) + "/../../resources/gravlet/gx1000s.prm";

int u16_at(const std::string& bytes, int offset) {
    return static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8;
}

std::string as_string(const SettingsRecord& record) {
    return std::string(record.bytes().begin(), record.bytes().end());
}

TEST(GravletSettings, ShippedFileIsTheTablesStandardRecord) {
    const std::string shipped = read_raw(kShippedFile);
    ASSERT_EQ(shipped.size(), 3424u) << kShippedFile;
    const std::vector<uint8_t> standard = build_standard_settings(kGravletSettings);
    EXPECT_EQ(shipped, std::string(standard.begin(), standard.end()));
}

TEST(GravletSettings, ShippedFileHoldsItsValuesAtTheirOffsets) {
    const std::string f = read_raw(kShippedFile);
    ASSERT_EQ(f.size(), 3424u);
    EXPECT_EQ(f.substr(0, 6), "GE1.00");
    EXPECT_EQ(f.substr(6, 166), std::string(166, '\0'));  // no document, no source
    EXPECT_EQ(u16_at(f, 172), 1);   // line numbers on
    EXPECT_EQ(u16_at(f, 276), 1);   // link mode
    EXPECT_EQ(u16_at(f, 280), 4);   // tab width
    EXPECT_EQ(u16_at(f, 372), 16);  // screen level width
    EXPECT_EQ(u16_at(f, 412), 80);  // PAD characters
    EXPECT_EQ(u16_at(f, 546), 20);  // generation nest level
    EXPECT_EQ(f.substr(550, 128), std::string(128, '\0'));
    EXPECT_EQ(u16_at(f, 678), 1);   // print manager
    EXPECT_EQ(u16_at(f, 680), 0);   // A4 landscape
    EXPECT_EQ(u16_at(f, 682), 1);
    EXPECT_EQ(u16_at(f, 688), 1);   // minimum rows
    EXPECT_EQ(u16_at(f, 690), 16);  // print level width
    EXPECT_EQ(u16_at(f, 760), 1);
    EXPECT_EQ(u16_at(f, 762), 1000);
    // [landscape, portrait]: top margin, left margin, characters, lines
    EXPECT_EQ(u16_at(f, 1088), 4);
    EXPECT_EQ(u16_at(f, 1090), 1);
    EXPECT_EQ(u16_at(f, 1100), 0);
    EXPECT_EQ(u16_at(f, 1102), 10);
    EXPECT_EQ(u16_at(f, 1112), 198);
    EXPECT_EQ(u16_at(f, 1114), 126);
    EXPECT_EQ(u16_at(f, 1124), 69);
    EXPECT_EQ(u16_at(f, 1126), 100);
    // Output: functions 1 to 1000, level width 16, no margins, DOS/V.
    EXPECT_EQ(u16_at(f, 1136), 1);
    EXPECT_EQ(u16_at(f, 1138), 1000);
    EXPECT_EQ(u16_at(f, 1140), 16);
    EXPECT_EQ(u16_at(f, 1142), 0);
    EXPECT_EQ(u16_at(f, 1144), 0);
    EXPECT_EQ(u16_at(f, 1146), 0);
    // Colours: PAD lines, background, text, line numbers, source text, source background.
    EXPECT_EQ(f.substr(1148, 18), std::string("\0\0\0\xFF\xFB\xF0\0\0\xC0\xC0\0\0\0\0\0\xC0\xC0\xC0", 18));
    EXPECT_EQ(u16_at(f, 2134), 0);
    EXPECT_EQ(f.substr(2136, 1288), std::string(1288, '\0'));
}

TEST(GravletSettings, ProfileNamesTheFileAndItsRoleFields) {
    EXPECT_STREQ(kGravletSettings.file_name, "gx1000s.prm");
    EXPECT_EQ(kGravletSettings.size, 3424);
    EXPECT_EQ(kGravletSettings.printer_kind->offset, 678);
    EXPECT_EQ(kGravletSettings.recent_count->offset, 2134);
    EXPECT_EQ(kGravletSettings.recent_files->offset, 2136);
    EXPECT_EQ(kGravletSettings.recent_files->slots, 5);
    EXPECT_EQ(colour_items(kGravletSettings).size(), 6u);
    EXPECT_STREQ(kGravletPlacement.registry_key, "Software\\KRT Gravlet95");
}

TEST(GravletSettings, RecordRoundTripsByteForByteWithPrinterKindOne) {
    TempDir dir;
    std::string original(3424, '\0');
    for (int i = 0; i < 3424; ++i) original[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    original.replace(0, 6, "GE1.00");
    original[680] = 1, original[681] = 0;  // portrait
    for (int offset : {376, 410, 544, 1146, 1808, 1810, 1876, 2134}) original[offset] = 0, original[offset + 1] = 0;
    original[678] = 4, original[679] = 0;  // stored as PostScript
    write_raw(dir.path("gx1000s.prm"), original);

    SettingsRecord record(kGravletSettings);
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_TRUE(info.repaired.empty());
    EXPECT_EQ(record.word(kPrinterKind), 1);
    EXPECT_EQ(gravlet_chars_per_line(record), u16_at(original, 1114));
    std::string expected = original;
    expected[678] = 1;
    EXPECT_EQ(as_string(record), expected);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::Ok);

    record.set_word(kScreenLevelWidth, 24);
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    expected[372] = 24, expected[373] = 0;
    EXPECT_EQ(read_raw(dir.path("gx1000s.prm")), expected);
}

TEST(GravletSettings, EmptyAndMissingFiles) {
    TempDir dir;
    SettingsRecord record(kGravletSettings);
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsCannotOpen);
    write_raw(dir.path("gx1000s.prm"), "");
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsNoBytes);
    std::remove(dir.path("gx1000s.prm").c_str());
    record.set_standard_values();
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(read_raw(dir.path("gx1000s.prm")), read_raw(kShippedFile));
}

TEST(GravletSettings, LongTextsAreCutToTheirFieldAtACharacterBoundary) {
    SettingsRecord record(kGravletSettings);
    record.set_standard_values();
    const std::string before = as_string(record);
    // 63 bytes fit the 64-byte heading field; a double-byte character
    // straddling byte 63 is left out whole.
    record.set_text_cut(kOutputHeaderFile, std::string(62, 'h') + "\x8C\xA9" + "tail");
    EXPECT_EQ(record.text(kOutputHeaderFile), std::string(62, 'h'));
    record.set_text_cut(kEditorPath, std::string(300, 'e'));
    EXPECT_EQ(record.text(kEditorPath), std::string(127, 'e'));
    const std::string after = as_string(record);
    EXPECT_EQ(after.substr(1812 + 62, 2), std::string(2, '\0'));
    EXPECT_EQ(after.substr(550 + 127, 1), std::string(1, '\0'));
    // Nothing past the two fields changed.
    EXPECT_EQ(after.substr(0, 550), before.substr(0, 550));
    EXPECT_EQ(after.substr(678, 1812 - 678), before.substr(678, 1812 - 678));
    EXPECT_EQ(after.substr(1876), before.substr(1876));
}

TEST(GravletSettings, RecentFilesUseGravletsOffsets) {
    SettingsRecord record(kGravletSettings);
    record.set_standard_values();
    for (const char* name :
         {"C:\\A.PDS", "c:\\b.pds", "c:\\a.pds", "c:\\c.pds", "c:\\d.pds", "c:\\e.pds", "c:\\f.pds"}) {
        std::string n = name;
        ASSERT_EQ(add_recent_file_entry(record, n), kRecentAdded);
    }
    // Six different names keep the last five; the same name twice keeps one.
    EXPECT_EQ(recent_file_names(record),
              (std::vector<std::string>{"c:\\f.pds", "c:\\e.pds", "c:\\d.pds", "c:\\c.pds", "c:\\a.pds"}));
    const std::string bytes = as_string(record);
    EXPECT_EQ(u16_at(bytes, 2134), 5);
    EXPECT_EQ(bytes.substr(2136, 9), std::string("c:\\f.pds\0", 9));
    EXPECT_EQ(bytes.substr(2136 + 4 * 256, 9), std::string("c:\\a.pds\0", 9));
    EXPECT_EQ(bytes.substr(3416), std::string(8, '\0'));
}

class GravletPlacementTest : public ::testing::Test {
protected:
    static std::string value(const char* name) { return registry_value("Software\\KRT Gravlet95", name); }

    ScopedPlatformHome home;
};

TEST_F(GravletPlacementTest, ValuesLiveUnderGravletsKey) {
    ASSERT_EQ(save_window_placement(kGravletPlacement, kLayoutWindow, {12, 34, 560, 78}, false), 0);
    EXPECT_EQ(value("LayWinX"), std::string("12\0", 3));
    EXPECT_EQ(value("LayWinHgt"), std::string("78\0", 3));
    WindowPlacement loaded = {10, 10, 880, 600};
    ASSERT_EQ(load_window_placement(kGravletPlacement, kLayoutWindow, loaded), 0);
    EXPECT_EQ(loaded, (WindowPlacement{12, 34, 560, 78}));
    // NOTARIX's key is another program's: nothing there.
    WindowPlacement other = {1, 2, 3, 4};
    EXPECT_EQ(load_window_placement(PlacementProfile{"Software\\KRT Notarix95"}, kLayoutWindow, other), -1);
}

TEST_F(GravletPlacementTest, APartialPlacementKeepsTheDefaultForEachMissingValue) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\KRT Gravlet95", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "MainWinX", 0, REG_SZ, reinterpret_cast<const BYTE*>("300"), 4);
    RegCloseKey(key);
    WindowPlacement placement = {10, 10, 880, 600};
    ASSERT_EQ(load_window_placement(kGravletPlacement, kMainWindow, placement), 0);
    EXPECT_EQ(placement, (WindowPlacement{300, 10, 880, 600}));
    // A minimised frame writes nothing.
    EXPECT_EQ(save_window_placement(kGravletPlacement, kErrorWindow, {1, 1, 100, 100}, true), 0);
    EXPECT_EQ(value("ErrorWinX"), "<none>");
}

TEST(GravletRecentMenu, ItemsTakeGravletsIds) {
    automation::reset();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "GravletRecentFrame";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HMENU bar = CreateMenu();
    HMENU file_menu = CreatePopupMenu();
    AppendMenuA(file_menu, MF_STRING, 4097, "&Open");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file_menu), "&File");
    HWND frame = CreateWindowA("GravletRecentFrame", "g", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, bar, nullptr,
                               nullptr);
    ASSERT_NE(frame, nullptr);

    SettingsRecord record(kGravletSettings);
    record.set_standard_values();
    for (const char* name : {"a.pds", "b.pds"}) {
        std::string n = name;
        add_recent_file_entry(record, n);
    }
    RecentMenuState state;
    build_recent_files_menu(frame, kGravletRecentMenu, record, state);
    ASSERT_EQ(GetMenuItemCount(file_menu), 4);
    EXPECT_EQ(GetMenuItemID(file_menu, 2), 4109u);
    EXPECT_EQ(GetMenuItemID(file_menu, 3), 4110u);
    char text[64] = {};
    GetMenuStringA(file_menu, 3, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&2 a.pds");
    EXPECT_EQ(recent_menu_entry(kGravletRecentMenu, record, 4110), 1);
    EXPECT_EQ(recent_menu_entry(kGravletRecentMenu, record, 4111), -1);
    automation::reset();
}

}  // namespace
