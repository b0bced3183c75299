// The recent-file items of the frame's first menu: a separator and one item
// per entry, appended as the list grows and renamed afterwards, with the ids
// of the program's profile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/shell/recent_files.h"
#include "common/shell/window/recent_menu.h"
#include "platform/automation/automation.h"
#include "platform/user/winuser.h"

namespace {

constexpr SettingsField kFields[] = {
    tag_field("signature", 0, 2, "TE"),
    tag_field("version", 2, 4, "1.00"),
    index_field("recent_count", 6, 0, 0, 5),
    text_slots_field("recent_files", 8, 5, 32),
};
static_assert(settings_layout_is_contiguous(kFields, 168));
const SettingsProfile kProfile = {
    "te1000s.prm", "te1000s.$pr", 168, kFields, &kFields[0], &kFields[1], nullptr, &kFields[2], &kFields[3], 6,
};
const RecentMenuProfile kMenu = {4101, 4102};

class RecentMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "RecentFrame";
        ASSERT_NE(RegisterClassA(&wc), 0);
        HMENU bar = CreateMenu();
        file_menu = CreatePopupMenu();
        AppendMenuA(file_menu, MF_STRING, 4097, "&Open");
        AppendMenuA(file_menu, MF_STRING, 4099, "E&xit");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file_menu), "&File");
        frame = CreateWindowA("RecentFrame", "f", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, bar, nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override { automation::reset(); }

    // Ids and texts of the file menu's items ("-" for a separator).
    std::vector<std::string> items() const {
        std::vector<std::string> out;
        for (int i = 0; i < GetMenuItemCount(file_menu); ++i) {
            char text[300] = {};
            GetMenuStringA(file_menu, i, text, sizeof text, MF_BYPOSITION);
            const UINT id = GetMenuItemID(file_menu, i);
            out.push_back(std::to_string(id) + (text[0] ? std::string(" ") + text : std::string(" -")));
        }
        return out;
    }
    void add(const char* name) {
        std::string n = name;
        ASSERT_EQ(add_recent_file_entry(record, n), kRecentAdded);
    }

    HWND frame = nullptr;
    HMENU file_menu = nullptr;
    SettingsRecord record{kProfile};
    RecentMenuState state;
};

using Items = std::vector<std::string>;

TEST_F(RecentMenuTest, EmptyListAddsNothing) {
    build_recent_files_menu(frame, kMenu, record, state);
    EXPECT_EQ(items(), (Items{"4097 &Open", "4099 E&xit"}));
}

TEST_F(RecentMenuTest, ItemsAreAppendedOnceAndRenamedAfterwards) {
    add("a.c");
    build_recent_files_menu(frame, kMenu, record, state);
    EXPECT_EQ(items(), (Items{"4097 &Open", "4099 E&xit", "0 -", "4102 &1 a.c"}));
    add("b.c");
    build_recent_files_menu(frame, kMenu, record, state);
    EXPECT_EQ(items(), (Items{"4097 &Open", "4099 E&xit", "0 -", "4102 &1 b.c", "4103 &2 a.c"}));
    add("a.c");
    build_recent_files_menu(frame, kMenu, record, state);
    EXPECT_EQ(items(), (Items{"4097 &Open", "4099 E&xit", "0 -", "4102 &1 a.c", "4103 &2 b.c"}));
}

TEST_F(RecentMenuTest, FullListHasFiveItemsWithTheirIds) {
    for (const char* name : {"1.c", "2.c", "3.c", "4.c", "5.c", "6.c"}) {
        add(name);
        build_recent_files_menu(frame, kMenu, record, state);
    }
    EXPECT_EQ(items(), (Items{"4097 &Open", "4099 E&xit", "0 -", "4102 &1 6.c", "4103 &2 5.c", "4104 &3 4.c",
                              "4105 &4 3.c", "4106 &5 2.c"}));
    EXPECT_EQ(recent_menu_entry(kMenu, record, 4102), 0);
    EXPECT_EQ(recent_menu_entry(kMenu, record, 4106), 4);
    EXPECT_EQ(recent_menu_entry(kMenu, record, 4107), -1);
    EXPECT_EQ(recent_menu_entry(kMenu, record, 4101), -1);
}

TEST_F(RecentMenuTest, AnEntryPastTheListChoosesNothing) {
    add("a.c");
    EXPECT_EQ(recent_menu_entry(kMenu, record, 4102), 0);
    EXPECT_EQ(recent_menu_entry(kMenu, record, 4103), -1);
}

TEST_F(RecentMenuTest, AReplacedMenuGetsItsItemsAgain) {
    add("a.c");
    build_recent_files_menu(frame, kMenu, record, state);
    HMENU bar = CreateMenu();
    file_menu = CreatePopupMenu();
    AppendMenuA(file_menu, MF_STRING, 4097, "&Open");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file_menu), "&File");
    SetMenu(frame, bar);
    build_recent_files_menu(frame, kMenu, record, state);
    EXPECT_EQ(items(), (Items{"4097 &Open", "0 -", "4102 &1 a.c"}));
}

}  // namespace
