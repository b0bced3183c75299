// List boxes, drop-down lists, scroll bar controls, the status bar, the
// up-down control and the report list view: their messages and the
// notifications a user's acts bring to the parent.
#include <functional>

#include "platform/user/commctrl.h"
#include "platform/user/user_internal.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class ListControlsTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame();
        ShowWindow(frame, SW_SHOW);
        // The header lives only while WM_NOTIFY is sent: note its code then.
        spy().handlers[WM_NOTIFY] = [this](HWND, UINT, WPARAM, LPARAM lparam) -> LRESULT {
            codes.push_back(reinterpret_cast<NMHDR*>(lparam)->code);
            return 0;
        };
    }
    HWND control(const char* cls, DWORD style, int id, int width = 150, int height = 100) {
        return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, frame,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
    }
    std::vector<WORD> commands(int id) const {
        std::vector<WORD> out;
        for (const SeenMessage& m : spy().all_of(WM_COMMAND)) {
            if (LOWORD(m.wparam) == id) out.push_back(HIWORD(m.wparam));
        }
        return out;
    }
    std::vector<UINT> notifications() const { return codes; }
    std::vector<UINT> codes;
    static LRESULT add(HWND list, const char* text, UINT message = LB_ADDSTRING) {
        return SendMessageA(list, message, 0, reinterpret_cast<LPARAM>(text));
    }
    static std::string text_of(HWND list, int index, UINT message = LB_GETTEXT) {
        char buffer[256] = {};
        SendMessageA(list, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    HWND frame = nullptr;
};

TEST_F(ListControlsTest, ListBoxStringsInOrderOrSorted) {
    HWND plain = control("LISTBOX", LBS_NOTIFY, 1);
    HWND sorted = control("LISTBOX", LBS_NOTIFY | LBS_SORT, 2);
    for (const char* t : {"pear", "Apple", "fig"}) {
        add(plain, t);
        add(sorted, t);
    }
    EXPECT_EQ(add(sorted, "banana"), 1) << "the sorted place is returned";
    EXPECT_EQ(automation::control_items(plain), (std::vector<std::string>{"pear", "Apple", "fig"}));
    EXPECT_EQ(automation::control_items(sorted), (std::vector<std::string>{"Apple", "banana", "fig", "pear"}));
    EXPECT_EQ(SendMessageA(plain, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("kiwi")), 1);
    EXPECT_EQ(SendMessageA(plain, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("end")), 4);
    EXPECT_EQ(SendMessageA(plain, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), LB_ERR);
    EXPECT_EQ(SendMessageA(plain, LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageA(plain, LB_DELETESTRING, 0, 0), 4) << "the count left";
    EXPECT_EQ(SendMessageA(plain, LB_DELETESTRING, 4, 0), LB_ERR);
    EXPECT_EQ(text_of(plain, 0), "kiwi");
    EXPECT_EQ(SendMessageA(plain, LB_GETTEXTLEN, 1, 0), 5);
    EXPECT_EQ(SendMessageA(plain, LB_GETTEXTLEN, 7, 0), LB_ERR);
    SendMessageA(plain, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(plain, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(plain, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListControlsTest, ListBoxFindAndSelection) {
    HWND list = control("LISTBOX", LBS_NOTIFY, 3);
    for (const char* t : {"main.c", "Main.cpp", "util.c", "main.c"}) add(list, t);
    struct Find {
        UINT message;
        int start;
        const char* text;
        LRESULT expected;
    };
    const Find finds[] = {
        {LB_FINDSTRING, -1, "MAIN", 0},        {LB_FINDSTRING, 0, "main", 1},
        {LB_FINDSTRING, 1, "main", 3},         {LB_FINDSTRING, 3, "main", 0},  // wraps round
        {LB_FINDSTRINGEXACT, -1, "main.C", 0}, {LB_FINDSTRINGEXACT, 0, "main.c", 3},
        {LB_FINDSTRINGEXACT, -1, "main", LB_ERR}, {LB_FINDSTRING, -1, "zz", LB_ERR},
    };
    for (const Find& f : finds) {
        EXPECT_EQ(SendMessageA(list, f.message, static_cast<WPARAM>(f.start), reinterpret_cast<LPARAM>(f.text)),
                  f.expected)
            << f.text << " from " << f.start;
    }
    spy().clear();
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_TRUE(commands(3).empty()) << "a program's selection is not notified";
}

TEST_F(ListControlsTest, ListBoxClicksNotifyEvenOnTheSelectedItem) {
    HWND list = control("LISTBOX", LBS_NOTIFY, 4);
    for (const char* t : {"a", "b", "c"}) add(list, t);
    spy().clear();
    automation::choose_item(list, 1);
    automation::choose_item(list, 1);
    automation::choose_item(list, 2, true);
    EXPECT_EQ(commands(4), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE, LBN_DBLCLK}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    spy().clear();
    automation::press_key("Up");
    automation::press_key("Up");
    automation::press_key("Up");
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(commands(4), (std::vector<WORD>{LBN_SELCHANGE, LBN_SELCHANGE})) << "no change at the top, no notice";
    HWND quiet = control("LISTBOX", 0, 5);
    add(quiet, "x");
    spy().clear();
    automation::choose_item(quiet, 0);
    EXPECT_TRUE(commands(5).empty()) << "without LBS_NOTIFY";
}

TEST_F(ListControlsTest, ListBoxTopIndexScrollsAndClicksLandOnTheVisibleRow) {
    HWND list = control("LISTBOX", LBS_NOTIFY | WS_VSCROLL, 6, 150, 64);
    for (int i = 0; i < 20; ++i) add(list, ("item " + std::to_string(i)).c_str());
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_SETTOPINDEX, 5, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 5);
    EXPECT_EQ(SendMessageA(list, LB_SETTOPINDEX, 20, 0), LB_ERR);
    automation::choose_item(list, 17);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 17);
    EXPECT_GE(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 14) << "the chosen item was scrolled into view";
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ListControlsTest, MultipleSelectionListBox) {
    HWND list = control("LISTBOX", LBS_NOTIFY | LBS_MULTIPLESEL, 7);
    for (const char* t : {"a", "b", "c", "d"}) add(list, t);
    automation::choose_item(list, 1);
    automation::choose_item(list, 3);
    automation::choose_item(list, 1);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    int items[4] = {};
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(items)), 2);
    EXPECT_EQ(items[0], 0);
    EXPECT_EQ(items[1], 3);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 0, 0), LB_ERR) << "not for a multiple selection";
}

TEST_F(ListControlsTest, ExtendedSelectionClicksSelectOneToggleOrExtend) {
    enum Keys { plain, ctrl, shift, ctrl_shift };
    constexpr int kDown = -1;  // the down arrow instead of a click
    struct Click {
        int item;
        Keys keys;
    };
    const struct {
        const char* name;
        DWORD style;
        std::vector<Click> clicks;
        std::vector<int> selected;
    } cases[] = {
        {"a plain click selects that one alone", LBS_EXTENDEDSEL, {{1, plain}, {3, plain}}, {3}},
        {"Ctrl+click adds", LBS_EXTENDEDSEL, {{1, plain}, {3, ctrl}}, {1, 3}},
        {"Ctrl+click on a selected one takes it away", LBS_EXTENDEDSEL, {{1, plain}, {3, ctrl}, {1, ctrl}}, {3}},
        {"Shift+click selects from the last click", LBS_EXTENDEDSEL, {{1, plain}, {4, shift}}, {1, 2, 3, 4}},
        {"upwards too, and a second one moves the end", LBS_EXTENDEDSEL, {{3, plain}, {0, shift}, {1, shift}}, {1, 2, 3}},
        {"Shift+click with nothing clicked before selects one", LBS_EXTENDEDSEL, {{2, shift}}, {2}},
        {"Ctrl+Shift adds the range", LBS_EXTENDEDSEL, {{0, plain}, {3, ctrl}, {5, ctrl_shift}}, {0, 3, 4, 5}},
        {"Shift+Down extends from the anchor", LBS_EXTENDEDSEL, {{1, plain}, {kDown, shift}, {kDown, shift}},
         {1, 2, 3}},
        {"a plain Down selects the next one alone", LBS_EXTENDEDSEL, {{1, plain}, {kDown, shift}, {kDown, plain}},
         {3}},
        {"a multiple-selection list toggles on every click", LBS_MULTIPLESEL, {{1, plain}, {3, plain}, {1, shift}}, {3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND list = control("LISTBOX", LBS_NOTIFY | c.style, 20, 150, 112);
        for (const char* t : {"a", "b", "c", "d", "e", "f"}) add(list, t);
        auto& keys = platform_user::state().key_down;
        for (const Click& click : c.clicks) {
            keys[VK_CONTROL] = click.keys == ctrl || click.keys == ctrl_shift;
            keys[VK_SHIFT] = click.keys == shift || click.keys == ctrl_shift;
            if (click.item == kDown) {
                const unsigned held = click.keys == shift ? automation::shift : automation::no_modifiers;
                EXPECT_TRUE(automation::press_key(VK_DOWN, held));
            } else {
                EXPECT_TRUE(automation::choose_item(list, click.item));
            }
        }
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        std::vector<int> selected(6);
        selected.resize(static_cast<size_t>(
            SendMessageA(list, LB_GETSELITEMS, 6, reinterpret_cast<LPARAM>(selected.data()))));
        EXPECT_EQ(selected, c.selected);
        DestroyWindow(list);
    }
}

TEST_F(ListControlsTest, ATypedLetterGoesToTheNextItemBeginningWithIt) {
    const struct {
        const char* name;
        DWORD style;
        const char* typed;
        int caret;  // LB_GETCARETINDEX after it
        std::vector<WORD> notices;
    } cases[] = {
        {"the first with the letter", 0, "b", 1, {LBN_SELCHANGE}},
        {"without regard to case", 0, "B", 1, {LBN_SELCHANGE}},
        {"the same letter again: the next one", 0, "bb", 2, {LBN_SELCHANGE, LBN_SELCHANGE}},
        {"round the end", 0, "bbb", 1, {LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}},
        {"a letter no item begins with changes nothing", 0, "z", -1, {}},
        {"a digit", 0, "7", 4, {LBN_SELCHANGE}},
        {"an extended list selects it alone", LBS_EXTENDEDSEL, "c", 3, {LBN_SELCHANGE}},
        {"an owner-drawn list that keeps its strings", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, "c", 3, {LBN_SELCHANGE}},
        {"an owner-drawn list without strings has none to match", LBS_OWNERDRAWFIXED, "c", -1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND list = control("LISTBOX", LBS_NOTIFY | c.style, 21, 150, 112);
        for (const char* t : {"apple", "banana", "Blueberry", "cherry", "7up"}) add(list, t);
        SetFocus(list);
        spy().clear();
        EXPECT_TRUE(automation::type_text(c.typed));
        if (c.caret >= 0) {
            EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), c.caret);
            EXPECT_EQ(SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(c.caret), 0), 1);
        } else {
            EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
        }
        if (c.style & LBS_EXTENDEDSEL) {
            EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
        }
        EXPECT_EQ(commands(21), c.notices);
        DestroyWindow(list);
    }
}

TEST_F(ListControlsTest, AListBoxShowsWholeRowsOnly) {
    const struct {
        const char* name;
        DWORD style;
        int height;
        int client_height;
        int client_height_a_row_taller;  // after the program makes it 16 pixels taller
    } cases[] = {
        {"a half row is cut off", WS_BORDER, 100, 96, 112},
        {"whole rows stay", WS_BORDER, 98, 96, 112},
        {"one pixel short of a row", WS_BORDER, 97, 80, 96},
        {"less than a row stays", WS_BORDER, 12, 10, 16},
        {"LBS_NOINTEGRALHEIGHT keeps the height", WS_BORDER | LBS_NOINTEGRALHEIGHT, 100, 98, 114},
        {"without a border", 0, 70, 64, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND list = control("LISTBOX", c.style, 22, 150, c.height);
        EXPECT_EQ(client_of(list).bottom, c.client_height);
        // a program's resize is cut the same way
        SetWindowPos(list, nullptr, 0, 0, 150, c.height + 16, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(client_of(list).bottom, c.client_height_a_row_taller);
        DestroyWindow(list);
    }
    // the bottom row can be clicked in full
    HWND list = control("LISTBOX", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 23, 150, 100);
    for (int i = 0; i < 20; ++i) add(list, ("item " + std::to_string(i)).c_str());
    automation::click(list, 20, client_of(list).bottom - 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << "nothing scrolled away";
    // with LBS_NOINTEGRALHEIGHT a half row stays: a double click on the last
    // one scrolls it into view and is still the double click on it
    HWND half = control("LISTBOX", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 24, 150, 100);
    for (int i = 0; i < 7; ++i) add(half, ("item " + std::to_string(i)).c_str());
    spy().clear();
    automation::double_click(half, 20, client_of(half).bottom - 1);
    EXPECT_EQ(SendMessageA(half, LB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(SendMessageA(half, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(commands(24), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
}

TEST_F(ListControlsTest, DropDownListChoosingAndMessages) {
    HWND combo = control("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 8, 150, 120);
    RECT r;
    GetWindowRect(combo, &r);
    EXPECT_LT(r.bottom - r.top, 40) << "the window is as high as its field";
    for (const char* t : {"DOS/V", "PC98"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(text_of(combo, 0, CB_GETLBTEXT), "DOS/V");
    EXPECT_EQ(automation::window_text(combo), "PC98") << "the field shows the selection";
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 5, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    spy().clear();
    ASSERT_TRUE(automation::choose_item_text(combo, "PC98"));
    EXPECT_EQ(commands(8),
              (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    spy().clear();
    automation::press_key("Up");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(commands(8), std::vector<WORD>{CBN_SELCHANGE});
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(automation::choose_item(combo, 0));
}

// The open list is a pop-up window of its own under the field; the focus
// stays in the combo box, which takes the keys.
TEST_F(ListControlsTest, DropDownListOpensAsAPopUpAndTellsWhatWasPicked) {
    HWND combo = control("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 8, 150, 120);
    for (const char* t : {"DOS/V", "PC98", "UNIX"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    RECT field;
    GetWindowRect(combo, &field);
    const int row = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    auto list = [] { return FindWindowA("ComboLBox", nullptr); };
    auto open_by_click = [&] { automation::click(combo, 140, 5); };
    struct Pick {
        const char* what;
        std::function<void()> open;
        std::function<void()> act;
        std::vector<WORD> heard;
        int selected;
    };
    const Pick picks[] = {
        {"a click on an item", open_by_click, [&] { automation::click(list(), 20, row + row / 2); },
         {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}, 1},
        {"F4, Down twice and Enter", [] { automation::press_key("F4"); },
         [] { automation::press_key("Down"), automation::press_key("Down"), automation::press_key("Enter"); },
         {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}, 2},
        {"Alt+Down, Up and Escape", [] { automation::press_key("alt+Down"); },
         [] { automation::press_key("Up"), automation::press_key("Esc"); }, {CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP},
         2},
        {"a click elsewhere", open_by_click, [&] { automation::click(frame, 300, 300); },
         {CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}, 2},
        {"the item already selected", open_by_click, [&] { automation::click(list(), 20, 2 * row + 2); },
         {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}, 2},
    };
    SetFocus(combo);
    for (const Pick& p : picks) {
        spy().clear();
        p.open();
        HWND open = list();
        ASSERT_NE(open, nullptr) << p.what;
        RECT r;
        GetWindowRect(open, &r);
        EXPECT_EQ(r.top, field.bottom) << p.what << ": below the field";
        EXPECT_EQ(r.left, field.left) << p.what;
        EXPECT_EQ(r.bottom - r.top, 3 * row + 2) << p.what << ": as high as its items";
        EXPECT_FALSE(GetWindowLongA(open, GWL_STYLE) & WS_VSCROLL) << p.what;
        EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << p.what;
        p.act();
        EXPECT_EQ(commands(8), p.heard) << p.what;
        EXPECT_EQ(list(), nullptr) << p.what;
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), p.selected) << p.what;
        EXPECT_EQ(GetFocus(), combo) << p.what;
    }
}

TEST_F(ListControlsTest, LongDropDownListScrollsAndOpensAboveWhereTheScreenEnds) {
    HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 520, 150, 120,
                               frame, reinterpret_cast<HMENU>(8), nullptr, nullptr);
    for (int i = 0; i < 20; ++i) {
        const std::string t = "item " + std::to_string(i);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
    }
    SendMessageA(combo, CB_SETCURSEL, 12, 0);
    RECT field;
    GetWindowRect(combo, &field);
    automation::set_screen_size(1024, field.bottom + 40);
    automation::click(combo, 140, 5);
    HWND list = FindWindowA("ComboLBox", nullptr);
    ASSERT_NE(list, nullptr);
    RECT r;
    GetWindowRect(list, &r);
    const int row = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    const int rows = (120 - (field.bottom - field.top) - 2) / row;
    EXPECT_EQ(r.bottom, field.top) << "above the field";
    EXPECT_EQ(r.bottom - r.top, rows * row + 2) << "the dropped height of the template";
    ASSERT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 12 - rows + 1) << "the selection in view, at the bottom";
    // The wheel and the list's own bar scroll it; the field stays as it was.
    automation::turn_wheel(list, 10, 10, 1);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 12 - rows + 1 - 3);
    automation::click(list, 150 - 2 - 8, 4);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 12 - rows + 1 - 4);
    ASSERT_EQ(FindWindowA("ComboLBox", nullptr), list) << "still open";
    spy().clear();
    automation::click(list, 20, 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 12 - rows + 1 - 4);
    EXPECT_EQ(commands(8), (std::vector<WORD>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ListControlsTest, ScrollBarControlKeepsItsStateAndTellsTheParent) {
    HWND bar = control("SCROLLBAR", SBS_VERT, 9, 16, 120);
    SetScrollRange(bar, SB_CTL, 0, 50, TRUE);
    SetScrollPos(bar, SB_CTL, 70, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50) << "held to the range";
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 50);
    int lo = -1, hi = -1;
    SendMessageA(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 50);
    EXPECT_TRUE(GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE);
    spy().clear();
    automation::click(bar, 8, 2);
    auto scrolls = spy().all_of(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(LOWORD(scrolls[0].wparam), SB_LINEUP);
    EXPECT_EQ(reinterpret_cast<HWND>(scrolls[0].lparam), bar);
    EXPECT_EQ(LOWORD(scrolls[1].wparam), SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50) << "the parent moves the thumb";
    // Held on its lower arrow it steps again at 400 and 450 ms.
    spy().clear();
    automation::when_idle([] { automation::let_time_pass(450); });
    automation::when_idle([] { automation::mouse_up(); });
    automation::mouse_down(bar, 8, 112);
    std::vector<WORD> codes;
    for (const SeenMessage& m : spy().all_of(WM_VSCROLL)) codes.push_back(LOWORD(m.wparam));
    EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(ListControlsTest, StatusBarPlacesItselfAndKeepsItsParts) {
    InitCommonControls();
    HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "ready", frame, 9000);
    ASSERT_NE(bar, nullptr);
    RECT client = client_of(frame), r;
    GetWindowRect(bar, &r);
    POINT p{r.left, r.top};
    ScreenToClient(frame, &p);
    EXPECT_EQ(p.y, client.bottom - 19);
    EXPECT_EQ(r.right - r.left, client.right);
    EXPECT_EQ(automation::status_text(0, frame), "ready");
    int parts[] = {100, -1};
    EXPECT_TRUE(SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts)));
    SendMessageA(bar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("second"));
    SendMessageA(bar, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("first"));
    char buffer[32] = {};
    LRESULT got = SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(buffer, "second");
    EXPECT_EQ(LOWORD(static_cast<uintptr_t>(got)), 6);
    EXPECT_EQ(HIWORD(static_cast<uintptr_t>(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0))), SBT_NOBORDERS);
    EXPECT_EQ(automation::status_text(), "first") << "the main window's bar";
    EXPECT_FALSE(SendMessageA(bar, SB_SETTEXTA, 5, reinterpret_cast<LPARAM>("x")));
    // The parent passes its WM_SIZE on; the bar moves to the new bottom.
    automation::resize_window(frame, 500, 400);
    SendMessageA(bar, WM_SIZE, 0, 0);
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.right - r.left, client_of(frame).right);
}

TEST_F(ListControlsTest, UpDownControlWithBuddy) {
    HWND edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 80, 20, frame,
                              reinterpret_cast<HMENU>(static_cast<uintptr_t>(20)), nullptr, nullptr);
    HWND up = CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 0,
                                  0, frame, 1000, nullptr, edit, 32, 0, 4);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(automation::window_text(edit), "4");
    RECT er, ur;
    GetWindowRect(edit, &er);
    GetWindowRect(up, &ur);
    EXPECT_EQ(er.right - er.left, 80 - 16) << "the buddy gives up the control's width";
    EXPECT_EQ(ur.left, er.right);
    EXPECT_EQ(SendMessageA(up, UDM_GETRANGE, 0, 0), MAKELPARAM(32, 0));
    spy().clear();
    codes.clear();
    automation::click(up, 4, 2);  // the upper arrow
    EXPECT_EQ(automation::window_text(edit), "5");
    EXPECT_EQ(notifications(), std::vector<UINT>{UDN_DELTAPOS});
    auto scrolls = spy().all_of(WM_VSCROLL);
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(LOWORD(scrolls[0].wparam), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(scrolls[0].wparam), 5);
    SetWindowTextA(edit, "32");
    automation::click(up, 4, 2);
    EXPECT_EQ(automation::window_text(edit), "32") << "held at the upper limit";
    SetWindowTextA(edit, "x");
    EXPECT_NE(HIWORD(static_cast<uintptr_t>(SendMessageA(up, UDM_GETPOS, 0, 0))), 0) << "not a number";
    SetWindowTextA(edit, "12");
    EXPECT_EQ(SendMessageA(up, UDM_GETPOS, 0, 0), MAKELPARAM(12, 0));
    SendMessageA(up, UDM_SETPOS, 0, MAKELPARAM(99, 0));
    EXPECT_EQ(automation::window_text(edit), "32");
    // The parent may refuse a step.
    spy().handlers[WM_NOTIFY] = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return TRUE; };
    automation::click(up, 4, 18);
    EXPECT_EQ(automation::window_text(edit), "32");
}

TEST_F(ListControlsTest, ReportListViewColumnsRowsAndSelection) {
    HWND view = control(WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, 30, 400, 200);
    const char* titles[] = {"No.", "Line", "Summary"};
    int widths[] = {180, 60, 400};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_LEFT;
        col.cx = widths[i];
        col.pszText = const_cast<char*>(titles[i]);
        EXPECT_EQ(SendMessageA(view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col)), i);
    }
    EXPECT_EQ(SendMessageA(view, LVM_GETCOLUMNWIDTH, 1, 0), 60);
    for (int row = 0; row < 3; ++row) {
        std::string name = "f" + std::to_string(row);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = name.data();
        EXPECT_EQ(SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)), row);
        std::string line = std::to_string(10 * row);
        item.iSubItem = 1;
        item.pszText = line.data();
        EXPECT_TRUE(SendMessageA(view, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    }
    EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 3);
    char buffer[32] = {};
    LVITEMA get{};
    get.iSubItem = 1;
    get.pszText = buffer;
    get.cchTextMax = sizeof buffer;
    EXPECT_EQ(SendMessageA(view, LVM_GETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&get)), 2);
    EXPECT_STREQ(buffer, "20");
    EXPECT_EQ(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    LVITEMA state{};
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    codes.clear();
    SendMessageA(view, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(notifications(), std::vector<UINT>{LVN_ITEMCHANGED});
    EXPECT_EQ(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    codes.clear();
    automation::choose_item(view, 2, true);
    // The old row loses the selection, the new one gains it, then the clicks.
    EXPECT_EQ(notifications(), (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGED, LVN_ITEMCHANGED, NM_CLICK, NM_DBLCLK}));
    EXPECT_EQ(automation::selected_item(view), 2);
    EXPECT_EQ(SendMessageA(view, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_TRUE(SendMessageA(view, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
}

// More rows than fit: a vertical bar of its own, which the wheel, the bar's
// parts and the keys move; clicks land on the row shown under the pointer.
TEST_F(ListControlsTest, ReportListViewScrollsByItsBarAndTheWheel) {
    HWND view = control(WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL, 31, 300, 20 + 11 * 16);
    LVCOLUMNA col{};
    col.mask = LVCF_WIDTH;
    col.cx = 200;
    SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    const auto insert = [view](int count) {
        for (int row = 0; row < count; ++row) {
            std::string name = "f" + std::to_string(row);
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = name.data();
            SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    };
    insert(11);
    EXPECT_FALSE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL) << "eleven rows fit";
    insert(19);
    ASSERT_TRUE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 29);
    EXPECT_EQ(si.nPage, 11u);
    struct Act {
        const char* what;
        std::function<void()> act;
        int top;
    };
    const Act acts[] = {
        {"a notch towards the hand", [view] { automation::turn_wheel(view, 50, 50, -1); }, 3},
        {"a notch away", [view] { automation::turn_wheel(view, 50, 50, 1); }, 0},
        {"a notch away at the top", [view] { automation::turn_wheel(view, 50, 50, 1); }, 0},
        {"a page down", [view] { automation::scroll(view, SB_VERT, SB_PAGEDOWN); }, 11},
        {"the thumb dragged", [view] { automation::scroll(view, SB_VERT, SB_THUMBTRACK, 7); }, 7},
        {"to the bottom", [view] { automation::scroll(view, SB_VERT, SB_BOTTOM); }, 19},
        {"a line down at the bottom", [view] { automation::scroll(view, SB_VERT, SB_LINEDOWN); }, 19},
        {"a page up", [view] { automation::scroll(view, SB_VERT, SB_PAGEUP); }, 8},
        {"ten notches towards the hand", [view] { automation::turn_wheel(view, 50, 50, -10); }, 19},
        {"Home", [view] { automation::choose_item(view, 25); automation::press_key(VK_HOME); }, 0},
        {"End", [] { automation::press_key(VK_END); }, 19},
    };
    for (const Act& a : acts) {
        a.act();
        EXPECT_EQ(SendMessageA(view, LVM_GETTOPINDEX, 0, 0), a.top) << a.what;
        EXPECT_EQ(GetScrollPos(view, SB_VERT), a.top) << a.what;
    }
    automation::turn_wheel(view, 50, 50, 2);
    automation::click(view, 20, 20 + 16 + 4);
    EXPECT_EQ(automation::selected_item(view), 14) << "the second row shown";
    for (int i = 0; i < 25; ++i) SendMessageA(view, LVM_DELETEITEM, 0, 0);
    EXPECT_FALSE(GetWindowLongA(view, GWL_STYLE) & WS_VSCROLL) << "five rows fit again";
    EXPECT_EQ(SendMessageA(view, LVM_GETTOPINDEX, 0, 0), 0);
}

}  // namespace
