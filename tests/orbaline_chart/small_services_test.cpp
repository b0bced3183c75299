// ORBALINE's forms of the small shared services: its 150 messages through
// the one lookup, its placements in the registry, its recent list in the
// settings record, the heading macros and blank trimming.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/shell/recent_files.h"
#include "common/shell/window_placement.h"
#include "common/text/clock.h"
#include "common/text/header_macros.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "platform/kernel/registry.h"
#include "tests/common/registry_values.h"
#include "tests/common/temp_dir.h"
#include "tests/platform/kernel_home_fixture.h"

namespace {

TEST(OrbalineMessages, HasItsGroupsInOrder) {
    const int groups[][2] = {{0, 9},     {100, 119}, {200, 209}, {300, 309}, {400, 429},
                             {500, 509}, {600, 619}, {700, 729}, {800, 809}};
    int i = 0;
    for (const auto& group : groups) {
        for (int id = group[0]; id <= group[1]; ++id, ++i) {
            ASSERT_LT(i, kOrbalineMessageCount);
            EXPECT_EQ(kOrbalineMessageEntries[i].id, id) << "entry " << i;
            EXPECT_NE(kOrbalineMessageEntries[i].text, nullptr) << id;
        }
    }
    EXPECT_EQ(i, 150);
    EXPECT_EQ(kOrbalineMessages.count, 150);
}

TEST(OrbalineMessages, EmptyTextsAreRowsAndMissingNumbersAreNot) {
    const std::set<int> empty = {507, 508, 605, 608, 610, 616, 714, 717, 718, 720, 721, 728, 800};
    for (const MessageEntry& e : kOrbalineMessageEntries) {
        if (empty.count(e.id)) {
            EXPECT_STREQ(e.text, "") << e.id;
        } else {
            EXPECT_GT(std::string(e.text).size(), 0u) << e.id;
        }
    }
    EXPECT_STREQ(orbaline_message(714), "");
    EXPECT_EQ(orbaline_message(10), nullptr);
    EXPECT_EQ(orbaline_message(430), nullptr);
    EXPECT_EQ(orbaline_message(-1), nullptr);
    EXPECT_EQ(orbaline_message_text(10), "");
}

TEST(OrbalineMessages, TheOneLookupAnswersWithOrbalinesTexts) {
    // パラメタに誤りがあります( %s )。: blanks inside the brackets, unlike NOTARIX's 0.
    EXPECT_STREQ(lookup_message(kOrbalineMessages, 0),
                 "\x83p\x83\x89\x83\x81\x83^\x82\xC9\x8C\xEB\x82\xE8\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7( %s )\x81"
                 "B");
    // 検索文字列が見つかりません。
    EXPECT_STREQ(orbaline_message(715), "\x8C\x9F\x8D\xF5\x95\xB6\x8E\x9A\x97\xF1\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82"
                                        "\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B");
    // The two-line text of 306 keeps its line break.
    EXPECT_NE(std::string(orbaline_message(306)).find('\n'), std::string::npos);
    EXPECT_STRNE(lookup_message(kNotarixMessages, 205), orbaline_message(205));
    // Made the running program's table, the plain lookup answers the same.
    set_message_table(kOrbalineMessages);
    EXPECT_STREQ(lookup_message(609), orbaline_message(609));
    set_message_table(kNotarixMessages);
}

using OrbalinePlacementTest = PlatformHomeTest;

std::string value(const char* name) { return registry_value("Software\\KRT Orbaline95", name); }

TEST_F(OrbalinePlacementTest, APartialPlacementKeepsTheDefaultsOfTheMissingValues) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\KRT Orbaline95", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "MainWinX", 0, REG_SZ, reinterpret_cast<const BYTE*>("250"), 4);
    RegCloseKey(key);
    WindowPlacement placement = {10, 10, 880, 600};
    ASSERT_EQ(load_window_placement(kOrbalinePlacement, kMainWindow, placement), 0);
    EXPECT_EQ(placement, (WindowPlacement{250, 10, 880, 600}));
    WindowPlacement layout = {1, 2, 3, 4};
    EXPECT_EQ(load_window_placement(kOrbalinePlacement, kLayoutWindow, layout), -1);
    EXPECT_EQ(layout, (WindowPlacement{1, 2, 3, 4}));
}

TEST_F(OrbalinePlacementTest, SavedUnderOrbalinesKeyButNotWhileMinimised) {
    ASSERT_EQ(save_window_placement(kOrbalinePlacement, kSourceListWindow, {5, 6, 700, 500}, false), 0);
    EXPECT_EQ(value("SrcWinX"), std::string("5\0", 2));
    EXPECT_EQ(value("SrcWinHgt"), std::string("500\0", 4));
    EXPECT_EQ(save_window_placement(kOrbalinePlacement, kErrorWindow, {1, 1, 100, 100}, true), 0);
    EXPECT_EQ(value("ErrorWinX"), "<none>");
}

TEST(OrbalineRecentFiles, SixNamesKeepTheNewestFiveAtOrbalinesOffsets) {
    TempDir dir;
    SettingsRecord record(kOrbalineSettings);
    record.set_standard_values();
    for (const char* name : {"C:\\One.NAM", "c:\\two.nam", "c:\\three.nam", "c:\\ONE.nam", "c:\\four.nam",
                             "c:\\five.nam", "c:\\six.nam"}) {
        std::string n = name;
        ASSERT_EQ(add_recent_file(record, n, dir.path()), kRecentAdded);
    }
    EXPECT_EQ(recent_file_names(record), (std::vector<std::string>{"c:\\six.nam", "c:\\five.nam", "c:\\four.nam",
                                                                   "c:\\one.nam", "c:\\three.nam"}));
    // Count at the odd offset 2661, slots of 256 bytes from 2663; the file
    // was written with them.
    const std::string bytes = read_raw(dir.path("oq1000s.prm"));
    ASSERT_EQ(bytes.size(), 3951u);
    EXPECT_EQ(bytes[2661], 5);
    EXPECT_EQ(bytes[2662], 0);
    EXPECT_EQ(bytes.substr(2663, 11), std::string("c:\\six.nam\0", 11));
    EXPECT_EQ(bytes.substr(2663 + 4 * 256, 14), std::string("c:\\three.nam\0\0", 14));
    EXPECT_EQ(bytes.substr(3943), std::string(8, '\0'));
}

TEST(OrbalineHeadingMacros, ExpandUnderAFixedClock) {
    set_clock_for_tests(LocalTime{2019, 4, 30, 23, 59, 58});
    std::string out;
    expand_header_macros("&Y-&M-&D &T era&S &P &f|&w|&F &n&x", out, "c:\\work\\chart", "text", 7);
    EXPECT_EQ(out, "19-04-30 23:59:58 era31    7 chart|c:\\work\\|c:\\work\\chart text");
    // The era follows the date: Reiwa from the first of May 2019.
    set_clock_for_tests(LocalTime{2019, 5, 1, 0, 0, 0});
    expand_header_macros("&S", out, "", "", 1);
    EXPECT_EQ(out, " 1");
    expand_header_macros("no macros", out, "", "", 1);
    EXPECT_EQ(out, "no macros");
    reset_clock_for_tests();
}

TEST(OrbalineTrimming, TrailingOrLeadingBlanks) {
    std::string text = "  name  ";
    trim_blanks(-1, text);
    EXPECT_EQ(text, "  name");
    trim_blanks(0, text);
    EXPECT_EQ(text, "name");
    // A text of blanks alone is empty once trimmed, so that a caller's
    // "nothing entered" check sees it.
    std::string blanks = "   ";
    trim_blanks(0, blanks);
    EXPECT_EQ(blanks, "");
}

}  // namespace
