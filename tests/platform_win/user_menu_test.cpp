// Menus and accelerators: item lists and states, menus and tables from the
// program's resources (names without regard to case), commands chosen by
// the automation (greyed items are not chosen), accelerators that respect
// the menu, and popup menus.
#include "platform/user/user_internal.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

constexpr UINT ID_OPEN = 4097;
constexpr UINT ID_OPEN_AGAIN = 4098;
constexpr UINT ID_EXIT = 4099;
constexpr UINT ID_GENERATE = 20484;
constexpr UINT ID_RULER = 16393;

// ファイル(&F), 開く(&O)..., 終了(&X), 生成(&C), 生成実行(&C), 表示(&V)
const char file_title[] = "\x83\x74\x83\x40\x83\x43\x83\x8B(&F)";
const char open_text[] = "\x8A\x4A\x82\xAD(&O)...";
const char exit_text[] = "\x8F\x49\x97\xB9(&X)";
const char generate_title[] = "\x90\xB6\x90\xAC(&C)";
const char generate_text[] = "\x90\xB6\x90\xAC\x8E\xC0\x8D\x73(&C)";
const char view_title[] = "\x95\x5C\x8E\xA6(&V)";

const MenuItemTemplate file_items[] = {
    {MF_STRING, ID_OPEN, open_text},
    {MF_SEPARATOR},
    {MF_STRING, ID_EXIT, exit_text},
};
const MenuItemTemplate generate_items[] = {
    {MF_STRING, ID_GENERATE, generate_text},
};
const MenuItemTemplate view_items[] = {
    {MF_STRING | MF_CHECKED, ID_RULER, "Ruler\tF9"},
};
const MenuItemTemplate bar_items[] = {
    {MF_POPUP, 0, file_title, file_items},
    {MF_POPUP, 0, generate_title, generate_items},
    {MF_POPUP | MF_GRAYED, 0, view_title, view_items},
};
const MenuResource menus[] = {{"NXW_pad_menu", bar_items}};
const ACCEL accelerator_entries[] = {
    {FVIRTKEY, VK_F5, 304},
    {FVIRTKEY | FCONTROL, 'O', static_cast<WORD>(ID_OPEN)},
    {FVIRTKEY, VK_F9, static_cast<WORD>(ID_RULER)},
    {0, 'g', static_cast<WORD>(ID_GENERATE)},
};
const AcceleratorResource accelerators[] = {{"NXW_pad_accl", accelerator_entries}};
const ResourceTable resources{"test", menus, accelerators};

class MenuTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        register_program_resources(&resources);
        ASSERT_NE(register_recording_class("Recorder", 0, 0, "nxw_PAD_menu"), 0);
        frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_NE(frame, nullptr);
        menu = GetMenu(frame);
        ASSERT_NE(menu, nullptr);
        spy().clear();
    }
    std::vector<UINT> commands() const {
        std::vector<UINT> ids;
        for (const SeenMessage& m : spy().all_of(WM_COMMAND)) ids.push_back(LOWORD(m.wparam));
        return ids;
    }
    HWND frame = nullptr;
    HMENU menu = nullptr;
};

TEST_F(MenuTest, TheClassMenuComesFromTheResources) {
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(client_of(frame).bottom, 600 - 8 - 19 - 19) << "the menu bar takes its height";
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), ID_OPEN);
    EXPECT_EQ(GetMenuItemID(file, 1), 0u) << "separator";
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1)) << "popup";
    char text[64];
    EXPECT_EQ(GetMenuStringA(menu, ID_EXIT, text, sizeof text, MF_BYCOMMAND), 8);
    EXPECT_STREQ(text, exit_text);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), (3u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(menu, ID_RULER, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(LoadMenuA(nullptr, "no such menu"), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(nullptr, "no such table"), nullptr);
    EXPECT_NE(LoadAcceleratorsA(nullptr, "NXW_PAD_ACCL"), nullptr);
}

TEST_F(MenuTest, ItemStatesByCommandAndByPosition) {
    struct Step {
        UINT item;
        UINT flags;
        UINT expected_previous;
    };
    const Step steps[] = {
        {ID_GENERATE, MF_BYCOMMAND | MF_GRAYED, MF_ENABLED},
        {ID_GENERATE, MF_BYCOMMAND | MF_ENABLED, MF_GRAYED},
        {1, MF_BYPOSITION | MF_DISABLED, MF_ENABLED},
        {1, MF_BYPOSITION | MF_ENABLED, MF_DISABLED},
        {2, MF_BYPOSITION | MF_ENABLED, MF_GRAYED},
        {9999, MF_BYCOMMAND | MF_GRAYED, static_cast<UINT>(-1)},
        {7, MF_BYPOSITION | MF_GRAYED, static_cast<UINT>(-1)},
    };
    for (const Step& s : steps) EXPECT_EQ(EnableMenuItem(menu, s.item, s.flags), s.expected_previous) << s.item;
    EXPECT_EQ(CheckMenuItem(menu, ID_RULER, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, ID_RULER, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 9999, MF_CHECKED), static_cast<DWORD>(-1));
}

TEST_F(MenuTest, BuildingAndChangingMenus) {
    HMENU popup = CreatePopupMenu();
    EXPECT_TRUE(AppendMenuA(popup, MF_STRING, 1, "one"));
    EXPECT_TRUE(AppendMenuA(popup, MF_STRING, 3, "three"));
    EXPECT_TRUE(InsertMenuA(popup, 3, MF_BYCOMMAND | MF_STRING, 2, "two"));
    EXPECT_TRUE(InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING, 0x10, "zero"));
    EXPECT_TRUE(InsertMenuA(popup, 99, MF_BYPOSITION | MF_STRING, 4, "four"));
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) ids.push_back(GetMenuItemID(popup, i));
    EXPECT_EQ(ids, (std::vector<UINT>{0x10, 1, 2, 3, 4}));
    EXPECT_TRUE(ModifyMenuA(popup, 2, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 22, "twenty-two"));
    EXPECT_EQ(GetMenuState(popup, 22, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_TRUE(DeleteMenu(popup, 0, MF_BYPOSITION));
    EXPECT_TRUE(RemoveMenu(popup, 4, MF_BYCOMMAND));
    EXPECT_FALSE(DeleteMenu(popup, 4, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(popup), 3);

    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 77, "deep");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub");
    EXPECT_EQ(EnableMenuItem(popup, 77, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(MF_ENABLED))
        << "commands are found inside popups";
    EXPECT_TRUE(DeleteMenu(popup, 3, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub)) << "a deleted popup is destroyed with its item";
    EXPECT_TRUE(DestroyMenu(popup));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_EQ(GetMenuItemCount(popup), -1);
}

TEST_F(MenuTest, SetMenuChangesTheClientArea) {
    spy().clear();
    EXPECT_TRUE(SetMenu(frame, nullptr));
    EXPECT_EQ(client_of(frame).bottom, 600 - 8 - 19);
    EXPECT_EQ(spy().of(frame, {WM_SIZE}).size(), 1u);
    EXPECT_TRUE(SetMenu(frame, menu));
    EXPECT_EQ(client_of(frame).bottom, 600 - 8 - 19 - 19);
    EXPECT_TRUE(DrawMenuBar(frame));
}

TEST_F(MenuTest, ChoosingACommandOpensTheMenusFirst) {
    ASSERT_TRUE(automation::choose_menu_command(ID_GENERATE));
    EXPECT_EQ(spy().of(frame, {WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND}),
              (std::vector<UINT>{WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND}));
    auto popups = spy().all_of(WM_INITMENUPOPUP);
    EXPECT_EQ(reinterpret_cast<HMENU>(popups[0].wparam), GetSubMenu(menu, 1));
    EXPECT_EQ(LOWORD(popups[0].lparam), 1);
    auto command = spy().all_of(WM_COMMAND);
    EXPECT_EQ(command[0].wparam, MAKEWPARAM(ID_GENERATE, 0));
    EXPECT_EQ(command[0].lparam, 0);
}

TEST_F(MenuTest, GreyedItemsAndPopupsAreNotChosen) {
    EnableMenuItem(menu, ID_GENERATE, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_FALSE(automation::choose_menu_command(ID_GENERATE));
    EXPECT_FALSE(automation::choose_menu_command(ID_RULER)) << "its popup is greyed";
    EXPECT_FALSE(automation::choose_menu_command(12345));
    EXPECT_TRUE(commands().empty());
    std::string log = automation::log_text();
    EXPECT_NE(log.find("command 20484 \"\xE7\x94\x9F\xE6\x88\x90\xE5\xAE\x9F\xE8\xA1\x8C(&C)\" refused: the item is greyed"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("command 16393 refused: the popup \"\xE8\xA1\xA8\xE7\xA4\xBA(&V)\" is greyed"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("command 12345 refused: no such item"), std::string::npos) << log;
}

TEST_F(MenuTest, TheProgramMayGreyAnItemWhileItsPopupOpens) {
    spy().handlers[WM_INITMENUPOPUP] = [](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        EnableMenuItem(GetMenu(w), ID_OPEN, MF_BYCOMMAND | MF_GRAYED);
        return 0;
    };
    EXPECT_FALSE(automation::choose_menu_command(ID_OPEN));
    EXPECT_TRUE(commands().empty());
}

TEST_F(MenuTest, ChoosingByPathComparesTheTexts) {
    // UTF-8 in the path, Shift-JIS in the menu; "&" may be left out.
    EXPECT_TRUE(automation::choose_menu_path("ファイル(&F)/開く(&O)..."));
    EXPECT_TRUE(automation::choose_menu_path("ファイル(F)/終了(X)"));
    EXPECT_FALSE(automation::choose_menu_path("ファイル(&F)/保存"));
    EXPECT_FALSE(automation::choose_menu_path("ファイル(&F)"));
    EXPECT_EQ(commands(), (std::vector<UINT>{ID_OPEN, ID_EXIT}));
}

TEST_F(MenuTest, AcceleratorsSendCommandsUnlessTheMenuItemIsGreyed) {
    HACCEL table = LoadAcceleratorsA(nullptr, "nxw_pad_ACCL");
    ASSERT_NE(table, nullptr);
    automation::set_accelerators(frame, table);
    struct Case {
        const char* key;
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        {"F5", {304}},
        {"shift+F5", {}},
        {"ctrl+O", {ID_OPEN}},
        {"O", {}},
        {"G", {ID_GENERATE}},  // the character entry 'g'
        {"F9", {}},            // its popup is greyed
    };
    for (const Case& c : cases) {
        spy().clear();
        automation::press_key(c.key);
        EXPECT_EQ(commands(), c.commands) << c.key;
    }
    spy().clear();
    automation::press_key("F5");
    EXPECT_EQ(spy().all_of(WM_COMMAND).at(0).wparam, MAKEWPARAM(304, 1)) << "accelerators say 1";
    EXPECT_TRUE(spy().all_of(WM_KEYDOWN).empty()) << "a translated key is not dispatched";

    EnableMenuItem(menu, ID_OPEN, MF_BYCOMMAND | MF_GRAYED);
    spy().clear();
    automation::press_key("ctrl+O");
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(spy().of(frame, {WM_INITMENU}).size(), 1u);
    ACCEL copy[8];
    EXPECT_EQ(CopyAcceleratorTableA(table, copy, 8), 4);
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    automation::set_accelerators(nullptr, nullptr);
}

TEST_F(MenuTest, PopupMenusAreAnsweredByTheAutomation) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 24580, "all");
    AppendMenuA(popup, MF_STRING | MF_DISABLED, 24582, "list");
    automation::choose_next_popup_item(24580);
    EXPECT_TRUE(TrackPopupMenu(popup, TPM_RIGHTALIGN, 100, 100, 0, frame, nullptr));
    automation::run_until_idle();
    EXPECT_EQ(commands(), (std::vector<UINT>{24580}));
    EXPECT_EQ(spy().of(frame, {WM_INITMENUPOPUP}).size(), 1u);

    automation::choose_next_popup_item(24582);
    EXPECT_FALSE(TrackPopupMenu(popup, 0, 100, 100, 0, frame, nullptr)) << "a disabled item is not chosen";
    automation::choose_next_popup_item(24580);
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, frame, nullptr), 24580);
    automation::choose_next_popup_item(0);
    EXPECT_FALSE(TrackPopupMenu(popup, 0, 0, 0, 0, frame, nullptr));
    EXPECT_FALSE(automation::failed());
    EXPECT_FALSE(TrackPopupMenu(popup, 0, 0, 0, 0, frame, nullptr)) << "nobody answers";
    EXPECT_TRUE(automation::failed());
    DestroyMenu(popup);
}

TEST_F(MenuTest, TheKeyboardWorksTheMenuBar) {
    // ファイル(&F): 開く(&O)..., 終了(&X); 生成(&C): 生成実行(&C); 表示(&V), greyed
    const struct {
        const char* name;
        std::vector<const char*> keys;
        std::vector<UINT> commands;
        size_t popups_opened;
        size_t beeps;
    } cases[] = {
        {"Alt+letter opens a popup, a letter chooses its item", {"alt+F", "X"}, {ID_EXIT}, 1, 0},
        {"the first item is lit; Up goes round to the last", {"alt+F", "Up", "Enter"}, {ID_EXIT}, 1, 0},
        {"Alt selects the bar, Down opens it", {"alt", "Down", "Enter"}, {ID_OPEN}, 1, 0},
        {"F10 selects the bar, Right the next title", {"F10", "Right", "Enter", "Enter"}, {ID_GENERATE}, 1, 0},
        {"Right in a popup opens the next one", {"alt+F", "Right", "Enter"}, {ID_GENERATE}, 2, 0},
        {"a greyed title opens nothing", {"alt+F", "Left", "Left", "Left", "Enter", "C"}, {ID_GENERATE}, 3, 0},
        {"left of the first title the system menu opens", {"alt+F", "Left", "Esc", "Esc"}, {}, 2, 0},
        {"... and right of it the first title", {"alt+F", "Left", "Right", "Enter"}, {ID_OPEN}, 3, 0},
        {"... also from the bar selected", {"F10", "Left", "Down", "Esc", "Esc"}, {}, 1, 0},
        {"Esc goes back to the bar, a second one leaves it", {"alt+C", "Esc", "Esc"}, {}, 1, 0},
        {"Alt leaves at once", {"alt+F", "alt"}, {}, 1, 0},
        {"a letter that no title underlines beeps", {"alt+Q"}, {}, 0, 1},
        {"a letter that no item underlines beeps", {"alt+F", "Q", "Esc", "Esc"}, {}, 1, 1},
        {"a letter two items share steps to the next", {"alt+F", "O", "Enter"}, {ID_OPEN_AGAIN}, 1, 0},
        {"... and from the last of them round to the first", {"alt+F", "O", "O", "Enter"}, {ID_OPEN}, 1, 0},
    };
    InsertMenuA(GetSubMenu(menu, 0), 1, MF_BYPOSITION | MF_STRING, ID_OPEN_AGAIN, "&Open again");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        spy().clear();
        const size_t beeps_before = automation::beeps().size();
        for (size_t i = 1; i < c.keys.size(); ++i) {
            automation::when_idle([key = c.keys[i]] { automation::press_key(key); });
        }
        automation::press_key(c.keys[0]);
        EXPECT_EQ(commands(), c.commands);
        EXPECT_EQ(spy().of(frame, {WM_INITMENUPOPUP}).size(), c.popups_opened);
        EXPECT_EQ(automation::beeps().size() - beeps_before, c.beeps);
        EXPECT_EQ(FindWindowA("PlatformPopupMenu", nullptr), nullptr);
        EXPECT_EQ(platform_user::state().hand.menu_bar_window, nullptr);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
    }
}

// A bar of three titles whose middle popup has `count` items (ids 200 up),
// the others one each (100 and 300).
HMENU bar_with_middle_popup(int count) {
    HMENU bar = CreateMenu();
    HMENU first = CreatePopupMenu(), middle = CreatePopupMenu(), last = CreatePopupMenu();
    AppendMenuA(first, MF_STRING, 100, "&One");
    for (int i = 0; i < count; ++i) AppendMenuA(middle, MF_STRING, static_cast<UINT_PTR>(200 + i), "Item");
    AppendMenuA(last, MF_STRING, 300, "&Three");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(first), "&Alpha");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(middle), "&Beta");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(last), "&Gamma");
    return bar;
}

TEST_F(MenuTest, TheArrowsReachATitleWhateverItsPopupsLength) {
    // a popup's item count rides in the high byte of its state, where 8 to
    // 15 look like MF_SEPARATOR: the arrows must not take it for one
    const struct {
        int count;
        std::vector<const char*> keys;
        UINT command;
    } cases[] = {
        {7, {"F10", "Right", "Enter", "Enter"}, 200},
        {8, {"F10", "Right", "Enter", "Enter"}, 200},
        {15, {"F10", "Right", "Enter", "Enter"}, 200},
        {16, {"F10", "Right", "Enter", "Enter"}, 200},
        {8, {"alt+A", "Right", "Enter"}, 200},
        {15, {"alt+G", "Left", "Enter"}, 200},
        {12, {"F10", "Left", "Left", "Left", "Down", "Enter"}, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " items, from " + c.keys[0]);
        HMENU old = GetMenu(frame);
        ASSERT_TRUE(SetMenu(frame, bar_with_middle_popup(c.count)));
        DestroyMenu(old);
        spy().clear();
        for (size_t i = 1; i < c.keys.size(); ++i) {
            automation::when_idle([key = c.keys[i]] { automation::press_key(key); });
        }
        automation::press_key(c.keys[0]);
        EXPECT_EQ(commands(), std::vector<UINT>{c.command});
        EXPECT_EQ(platform_user::state().hand.menu_bar_window, nullptr);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
    }
}

// The text pixels of each popup menu window shown now, the first opened first.
std::vector<int> popup_ink() {
    std::vector<int> ink;
    for (HWND top : platform_user::state().top_levels) {
        char name[64] = "";
        GetClassNameA(top, name, sizeof name);
        if (std::string(name) == "PlatformPopupMenu" && IsWindowVisible(top)) {
            ink.push_back(automation::ink_pixels(top, RECT{20, 4, 60, 38}));
        }
    }
    return ink;
}

TEST_F(MenuTest, APopupStaysDrawnWhileItsSubmenuIsOpen) {
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 500, "&Inner");
    AppendMenuA(file, MF_STRING, 400, "&Open");
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Sub");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    HMENU old = GetMenu(frame);
    ASSERT_TRUE(SetMenu(frame, bar));
    DestroyMenu(old);
    // by its letter, by Right on it, and back with Esc
    std::vector<int> with_sub, after_escape;
    automation::when_idle([] { automation::press_key("S"); });
    automation::when_idle([&] {
        with_sub = popup_ink();
        automation::press_key("Esc");
    });
    automation::when_idle([&] {
        after_escape = popup_ink();
        automation::press_key("Esc");
        automation::press_key("Esc");
    });
    automation::press_key("alt+F");
    ASSERT_EQ(with_sub.size(), 2u);
    EXPECT_GT(with_sub[0], 40) << "the parent popup's items are drawn";
    EXPECT_GT(with_sub[1], 20);
    ASSERT_EQ(after_escape.size(), 1u);
    EXPECT_GT(after_escape[0], 40) << "and are still there after the submenu closed";
    EXPECT_TRUE(commands().empty());
    EXPECT_FALSE(automation::failed()) << automation::log_text();
}

TEST_F(MenuTest, AltF4AndTheSystemMenuClose) {
    // Alt+Space opens the system menu with its first enabled item lit: Enter
    // takes Move, whose keys Esc ends where the window was
    RECT before{}, after{};
    GetWindowRect(frame, &before);
    automation::when_idle([] { automation::press_key("Enter"); });
    automation::when_idle([] {
        automation::press_key("Right");
        automation::press_key("Esc");
    });
    automation::press_key("alt+Space");
    EXPECT_EQ(spy().of(frame, {WM_INITMENUPOPUP}).size(), 1u) << "the system menu";
    GetWindowRect(frame, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_TRUE(IsWindow(frame));
    automation::press_key("alt+F4");
    EXPECT_FALSE(IsWindow(frame));
    const auto commands = spy().all_of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].wparam, static_cast<WPARAM>(SC_KEYMENU));
    EXPECT_EQ(commands[1].wparam, static_cast<WPARAM>(SC_MOVE));
    EXPECT_EQ(commands[2].wparam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(spy().of(frame, {WM_CLOSE}).size(), 1u);
}

// A window without a menu bar (a source list, a layout window, a box):
// Alt or F10 selects its system menu, which Down opens.
TEST_F(MenuTest, AltInAWindowWithoutABarSelectsTheSystemMenu) {
    HMENU old = GetMenu(frame);
    ASSERT_TRUE(SetMenu(frame, nullptr));
    DestroyMenu(old);
    const struct {
        const char* name;
        std::vector<const char*> keys;
        std::vector<WPARAM> commands;  // besides SC_KEYMENU
        size_t popups_opened;
        size_t beeps;
    } cases[] = {
        {"Alt selects it, Esc leaves", {"alt", "Esc"}, {}, 0, 0},
        {"F10 selects it, Down opens it", {"F10", "Down", "Esc", "Esc"}, {}, 1, 0},
        {"the arrows stay on it", {"alt", "Right", "Left", "Enter", "Esc", "Esc"}, {}, 1, 0},
        {"a letter no title underlines beeps", {"alt", "Q", "Esc"}, {}, 0, 1},
        {"its letter chooses an item", {"alt", "Down", "X"}, {SC_MAXIMIZE}, 1, 0},
        {"Down and C close the window", {"alt", "Down", "C"}, {SC_CLOSE}, 1, 0},
    };
    // selected, the system menu is the frame's hand (its icon drawn so)
    HWND selected_window = nullptr;
    int selected_place = -1;
    automation::when_idle([&] {
        selected_window = platform_user::state().hand.menu_bar_window;
        selected_place = platform_user::state().hand.menu_bar_item;
        automation::press_key("Esc");
    });
    automation::press_key("alt");
    EXPECT_EQ(selected_window, frame);
    EXPECT_EQ(selected_place, platform_user::kSystemMenuPlace);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(IsWindow(frame));
        spy().clear();
        const size_t beeps_before = automation::beeps().size();
        for (size_t i = 1; i < c.keys.size(); ++i) {
            automation::when_idle([key = c.keys[i]] { automation::press_key(key); });
        }
        automation::press_key(c.keys[0]);
        std::vector<WPARAM> commands;
        for (const SeenMessage& m : spy().all_of(WM_SYSCOMMAND)) {
            if ((m.wparam & 0xFFF0) != SC_KEYMENU) commands.push_back(m.wparam);
        }
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(spy().of(frame, {WM_INITMENUPOPUP}).size(), c.popups_opened);
        EXPECT_EQ(automation::beeps().size() - beeps_before, c.beeps);
        EXPECT_EQ(FindWindowA("PlatformPopupMenu", nullptr), nullptr);
        EXPECT_EQ(platform_user::state().hand.menu_bar_window, nullptr);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        if (IsZoomed(frame)) ShowWindow(frame, SW_RESTORE);
    }
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(MenuTest, TheSystemMenuCanLoseItems) {
    HMENU system = GetSystemMenu(frame, FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(GetSystemMenu(frame, FALSE), system);
    EXPECT_TRUE(DeleteMenu(system, SC_MAXIMIZE, MF_BYCOMMAND));
    EXPECT_TRUE(DeleteMenu(system, SC_SIZE, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    DestroyWindow(frame);
    EXPECT_FALSE(IsMenu(system));
    EXPECT_FALSE(IsMenu(menu)) << "a window's menu goes with it";
}

}  // namespace
