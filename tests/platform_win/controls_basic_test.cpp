// Buttons, edits and statics: their messages, the notifications they send
// their parent, and what a user's mouse and keyboard do to them.
#include "platform/gdi/wingdi.h"
#include "platform/user/user_internal.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class BasicControlsTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame();
        ShowWindow(frame, SW_SHOW);
    }
    HWND control(const char* cls, DWORD style, int id, const char* text = "", int width = 120, int height = 24) {
        return CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * (id % 10), width, height, frame,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
    }
    // WM_COMMAND codes the frame got from the control with this id.
    std::vector<WORD> commands(int id) const {
        std::vector<WORD> out;
        for (const SeenMessage& m : spy().all_of(WM_COMMAND)) {
            if (LOWORD(m.wparam) == id) out.push_back(HIWORD(m.wparam));
        }
        return out;
    }
    HWND frame = nullptr;
};

TEST_F(BasicControlsTest, PredefinedClassesAreFoundWithoutRegardToCase) {
    for (const char* name : {"button", "Edit", "STATIC", "listbox", "ComboBox", "scrollbar", "msctls_statusbar32",
                             "MSCTLS_UPDOWN32", "syslistview32"}) {
        WNDCLASSA wc{};
        EXPECT_TRUE(GetClassInfoA(nullptr, name, &wc)) << name;
    }
    WNDCLASSA wc{};
    EXPECT_FALSE(GetClassInfoA(nullptr, "NoSuchControl", &wc));
}

TEST_F(BasicControlsTest, ButtonKindsAnswerClicksAsWindowsDoes) {
    struct Case {
        const char* name;
        DWORD style;
        std::vector<UINT> checks_after_clicks;  // BM_GETCHECK after each of two clicks
    };
    const Case cases[] = {
        {"push", BS_PUSHBUTTON, {0, 0}},
        {"check box (program sets the state)", BS_CHECKBOX, {0, 0}},
        {"auto check box", BS_AUTOCHECKBOX, {1, 0}},
        {"auto three-state", BS_AUTO3STATE, {1, 2}},
        {"radio (program sets the state)", BS_RADIOBUTTON, {0, 0}},
        {"auto radio", BS_AUTORADIOBUTTON, {1, 1}},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spy().clear();
        HWND b = control("BUTTON", c.style | WS_TABSTOP, ++id, "&Go");
        ASSERT_NE(b, nullptr);
        for (UINT want : c.checks_after_clicks) {
            ASSERT_TRUE(automation::press(b));
            EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), static_cast<LRESULT>(want));
        }
        EXPECT_EQ(commands(id), (std::vector<WORD>{BN_CLICKED, BN_CLICKED}));
        EXPECT_EQ(GetFocus(), b) << "a click gives the button the focus";
        DestroyWindow(b);
    }
}

TEST_F(BasicControlsTest, AutoRadioButtonsOfAGroupExcludeEachOther) {
    HWND a = control("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 1, "A");
    HWND b = control("BUTTON", BS_AUTORADIOBUTTON, 2, "B");
    HWND c = control("BUTTON", BS_AUTORADIOBUTTON, 3, "C");
    HWND other = control("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 4, "other group");
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    automation::press(a);
    automation::press(c);
    EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group is left alone";
}

TEST_F(BasicControlsTest, DisabledButtonIgnoresThePress) {
    HWND b = control("BUTTON", BS_PUSHBUTTON, 5, "x");
    EnableWindow(b, FALSE);
    EXPECT_FALSE(automation::press(b));
    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_TRUE(commands(5).empty());
    EnableWindow(b, TRUE);
    SendMessageA(b, BM_CLICK, 0, 0);
    EXPECT_EQ(commands(5), std::vector<WORD>{BN_CLICKED});
}

TEST_F(BasicControlsTest, SpaceBarClicksTheFocusedButton) {
    HWND b = control("BUTTON", BS_AUTOCHECKBOX, 6, "x");
    SetFocus(b);
    automation::press_key(VK_SPACE);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(commands(6), std::vector<WORD>{BN_CLICKED});
}

TEST_F(BasicControlsTest, OwnerDrawnButtonAsksItsParentToDraw) {
    std::vector<DRAWITEMSTRUCT> draws;
    spy().handlers[WM_DRAWITEM] = [&](HWND, UINT, WPARAM, LPARAM lparam) -> LRESULT {
        draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    };
    HWND b = control("BUTTON", BS_OWNERDRAW, 7, "FLDER", 24, 24);
    UpdateWindow(frame);
    UpdateWindow(b);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(draws.back().CtlID, 7u);
    EXPECT_EQ(draws.back().itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws.back().rcItem.right, 24);
    draws.clear();
    automation::press(b);
    // Pressed, then released: each drawn as a selection change.
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[0].itemAction, static_cast<UINT>(ODA_SELECT));
    EXPECT_TRUE(draws[0].itemState & ODS_SELECTED);
    EXPECT_FALSE(draws[1].itemState & ODS_SELECTED);
    EXPECT_EQ(commands(7), std::vector<WORD>{BN_CLICKED});
}

TEST_F(BasicControlsTest, EditTextMessagesAndNotifications) {
    HWND e = control("EDIT", WS_BORDER | ES_AUTOHSCROLL, 10, "start");
    char buffer[64];
    EXPECT_EQ(GetWindowTextA(e, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "start");
    spy().clear();
    SetWindowTextA(e, "new");
    EXPECT_EQ(commands(10), (std::vector<WORD>{EN_UPDATE, EN_CHANGE})) << "a single line reports WM_SETTEXT";
    EXPECT_EQ(GetWindowTextLengthA(e), 3);
    DWORD from = 9, to = 9;
    SendMessageA(e, EM_SETSEL, 1, 2);
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 2u);
    SendMessageA(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELPARAM(0, 3));
    SendMessageA(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("abc"));
    EXPECT_EQ(automation::window_text(e), "abc");
    EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
}

TEST_F(BasicControlsTest, TypingHonoursLimitNumberAndCase) {
    struct Case {
        const char* name;
        DWORD style;
        int limit;
        const char* typed;
        const char* expected;
        int beeps;
    };
    const Case cases[] = {
        {"plain", ES_AUTOHSCROLL, 0, "ab\bc", "ac", 0},
        {"limit", ES_AUTOHSCROLL, 3, "abcdef", "abc", 0},
        {"digits only", ES_AUTOHSCROLL | ES_NUMBER, 0, "1a2", "12", 1},
        {"upper case", ES_AUTOHSCROLL | ES_UPPERCASE, 0, "aBc", "ABC", 0},
        // "漢字" typed as two double-byte characters, then one backspace.
        {"double-byte", ES_AUTOHSCROLL, 0, "\x8a\xbf\x8e\x9a\b", "\x8a\xbf", 0},
        {"double-byte held to the limit", ES_AUTOHSCROLL, 3, "\x8a\xbf\x8e\x9a", "\x8a\xbf", 0},
    };
    int id = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        automation::reset();
        clear_program_resources();
        register_recording_class("Recorder");
        frame = make_frame();
        ShowWindow(frame, SW_SHOW);
        HWND e = control("EDIT", c.style, ++id);
        if (c.limit) SendMessageA(e, EM_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
        ASSERT_TRUE(automation::type_into(e, c.typed));
        EXPECT_EQ(automation::window_text(e), c.expected);
        EXPECT_EQ(automation::beeps().size(), static_cast<size_t>(c.beeps));
    }
}

TEST_F(BasicControlsTest, LimitReachedSendsMaxTextAndSingleLineWithoutScrollingRefusesOverflow) {
    HWND limited = control("EDIT", ES_AUTOHSCROLL, 30);
    SendMessageA(limited, EM_LIMITTEXT, 2, 0);
    spy().clear();
    automation::type_into(limited, "abc");
    std::vector<WORD> seen = commands(30);
    EXPECT_NE(std::find(seen.begin(), seen.end(), EN_MAXTEXT), seen.end());
    HWND narrow = control("EDIT", 0, 31, "", 30, 20);
    automation::type_into(narrow, "wwwwwwwwwwwwwwwwwwww");
    EXPECT_LT(GetWindowTextLengthA(narrow), 20) << "without ES_AUTOHSCROLL the text stops at the edge";
    EXPECT_GT(GetWindowTextLengthA(narrow), 0);
}

TEST_F(BasicControlsTest, EditFocusNotificationsAndCaretKeys) {
    HWND e = control("EDIT", ES_AUTOHSCROLL, 40, "hello");
    HWND other = control("EDIT", ES_AUTOHSCROLL, 41);
    spy().clear();
    SetFocus(e);
    SetFocus(other);
    EXPECT_EQ(commands(40), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 5, 5);
    automation::press_key("Home");
    automation::press_key("Delete");
    automation::press_key("End");
    automation::type_text("!");
    EXPECT_EQ(automation::window_text(e), "ello!");
    automation::press_key("shift+Left");
    automation::press_key("shift+Left");
    automation::type_text("?");
    EXPECT_EQ(automation::window_text(e), "ell?");
}

TEST_F(BasicControlsTest, MultiLineEditKeepsLinesAndTellsNothingOnSetText) {
    HWND e = control("EDIT", ES_MULTILINE | ES_WANTRETURN, 50, "", 200, 100);
    spy().clear();
    SetWindowTextA(e, "one\r\ntwo");
    EXPECT_TRUE(commands(50).empty());
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(SendMessageA(e, EM_LINELENGTH, 5, 0), 3);
    SendMessageA(e, EM_SETSEL, 8, 8);
    SetFocus(e);
    automation::type_text("\n3");
    EXPECT_EQ(automation::window_text(e), "one\r\ntwo\r\n3");
    char line[16] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    EXPECT_EQ(SendMessageA(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 3);
    EXPECT_EQ(std::string(line, 3), "two");
}

// The mouse in a field, as in the edit control of Windows 95: a drag
// selects (past an end of a scrolled field it scrolls on), Shift+click
// extends, a double click selects the word under the pointer; a double-byte
// character is never split.
TEST_F(BasicControlsTest, TheMouseSelectsInAField) {
    enum class Act { down, move, up, click, shift_click, double_click, end_key };
    struct Step {
        Act act;
        int at;  // a character offset of the text as first shown; for `down` and `move`, pixels when `pixels`
        bool pixels = false;
    };
    enum class Reach { exact, past_right, past_left, past_bottom };
    const struct {
        const char* name;
        const char* text;
        int width;
        bool multi;
        std::vector<Step> steps;
        Reach reach;
        DWORD begin, end;  // the selection, when exact
        const char* typed;     // then typed over it
        const char* result;
    } cases[] = {
        {"a drag across part of a name selects it", "old_name.frm", 150, false,
         {{Act::down, 4}, {Act::move, 6}, {Act::move, 8}, {Act::up, 8}}, Reach::exact, 4, 8, "file", "old_file.frm"},
        {"leftwards the same", "old_name.frm", 150, false, {{Act::down, 8}, {Act::move, 4}, {Act::up, 4}},
         Reach::exact, 4, 8, "", nullptr},
        {"a click alone selects nothing", "old_name.frm", 150, false, {{Act::click, 3}}, Reach::exact, 3, 3, "x",
         "oldx_name.frm"},
        {"Shift+click extends from the caret", "old_name.frm", 150, false,
         {{Act::click, 2}, {Act::shift_click, 6}, {Act::shift_click, 9}}, Reach::exact, 2, 9, "", nullptr},
        {"a double click selects the word and the blanks after it", "two words here", 150, false,
         {{Act::double_click, 6}}, Reach::exact, 4, 10, "more ", "two more here"},
        {"... the last word", "*.frm copy", 150, false, {{Act::double_click, 8}}, Reach::exact, 6, 10, "", nullptr},
        {"... a pattern whole", "*.frm copy", 150, false, {{Act::double_click, 1}}, Reach::exact, 0, 6, "", nullptr},
        // 漢字かな: a drag from inside 字 stops at one of its ends
        {"double-byte characters are never split by a drag", "\x8a\xbf\x8e\x9a\x82\xa9\x82\xc8", 150, false,
         {{Act::down, 3}, {Act::move, 5}, {Act::move, 7}, {Act::up, 7}}, Reach::exact, 2, 6, "", nullptr},
        // 漢字　かな: the full-width blank ends a word
        {"a double click on double-byte text", "\x8a\xbf\x8e\x9a\x81\x40\x82\xa9\x82\xc8", 150, false,
         {{Act::double_click, 7}}, Reach::exact, 6, 10, "", nullptr},
        {"... and its word takes the full-width blank after it", "\x8a\xbf\x8e\x9a\x81\x40\x82\xa9\x82\xc8",
         150, false, {{Act::double_click, 1}}, Reach::exact, 0, 6, "", nullptr},
        {"a drag past the right end scrolls the field on", "abcdefghijklmnopqrstuvwxyz0123456789", 60, false,
         {{Act::down, 1}, {Act::move, 70, true}, {Act::move, 75, true}, {Act::move, 80, true}, {Act::up, 0}},
         Reach::past_right, 1, 0, "", nullptr},
        {"... and past the left end back", "abcdefghijklmnopqrstuvwxyz0123456789", 60, false,
         {{Act::end_key, 0}, {Act::down, 56, true}, {Act::move, -5, true}, {Act::move, -6, true}, {Act::move, -7, true},
          {Act::up, 0}},
         Reach::past_left, 0, 36, "", nullptr},
        {"a drag below a multi-line field scrolls it down", "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix", 150,
         true, {{Act::down, 1}, {Act::move, 60, true}, {Act::move, 62, true}, {Act::move, 64, true}, {Act::up, 0}},
         Reach::past_bottom, 1, 0, "", nullptr},
    };
    int id = 60;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DWORD style = c.multi ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
        HWND e = control("EDIT", WS_BORDER | style, ++id, c.text, c.width, c.multi ? 40 : 24);
        SetFocus(e);
        // where an offset of the text as first shown lies
        const std::string text = c.text;
        HDC dc = GetDC(e);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        const auto edge = [&](int offset) {
            SIZE size{};
            GetTextExtentPoint32A(dc, text.c_str(), offset, &size);
            return 2 + static_cast<int>(size.cx);
        };
        // inside a double-byte character: left of its middle
        const auto x_of = [&](int offset) {
            int start = 0;
            while (start < offset) {
                const int next = start + (static_cast<unsigned char>(text[static_cast<size_t>(start)]) >= 0x81 ? 2 : 1);
                if (next > offset) return (edge(start) + edge(next)) / 2 - 1;
                start = next;
            }
            return edge(offset);
        };
        RECT client{};
        GetClientRect(e, &client);
        const int middle = client.bottom / 2;
        auto& keys = platform_user::state().key_down;
        for (const Step& step : c.steps) {
            const int x = step.pixels ? step.at : x_of(step.at);
            const int y = step.act == Act::move && step.pixels && c.multi ? step.at : (c.multi ? 5 : middle);
            switch (step.act) {
            case Act::down: EXPECT_TRUE(automation::mouse_down(e, x, y)); break;
            case Act::move: EXPECT_TRUE(automation::move_mouse(e, c.multi ? x_of(2) : x, y)); break;
            case Act::up: EXPECT_TRUE(automation::mouse_up()); break;
            case Act::click: EXPECT_TRUE(automation::click(e, x, y)); break;
            case Act::shift_click:
                keys[VK_SHIFT] = 1;
                EXPECT_TRUE(automation::click(e, x, y));
                keys[VK_SHIFT] = 0;
                break;
            case Act::double_click: EXPECT_TRUE(automation::double_click(e, x, y)); break;
            case Act::end_key: automation::press_key("End"); break;
            }
        }
        EXPECT_EQ(GetCapture(), nullptr) << "the button up lets the capture go";
        DWORD begin = 0, end = 0;
        SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&begin), reinterpret_cast<LPARAM>(&end));
        // the characters a field of this width shows
        int fits = 0, fits_at_end = 0;
        while (fits < static_cast<int>(text.size()) && edge(fits + 1) < client.right - 2) ++fits;
        while (fits_at_end < static_cast<int>(text.size()) &&
               edge(static_cast<int>(text.size())) - edge(static_cast<int>(text.size()) - fits_at_end - 1) <
                   client.right - 4) {
            ++fits_at_end;
        }
        ReleaseDC(e, dc);
        switch (c.reach) {
        case Reach::exact:
            EXPECT_EQ(begin, c.begin);
            EXPECT_EQ(end, c.end);
            break;
        case Reach::past_right:
            EXPECT_EQ(begin, c.begin);
            EXPECT_GT(end, static_cast<DWORD>(fits) + 2) << "beyond what the field showed, " << fits;
            EXPECT_LT(end, text.size()) << "not at once to the end";
            break;
        case Reach::past_left:
            EXPECT_LT(begin, text.size() - static_cast<DWORD>(fits_at_end) - 2) << "before what the field showed";
            EXPECT_GT(begin, 0u);
            EXPECT_EQ(end, c.end);
            break;
        case Reach::past_bottom:
            EXPECT_EQ(begin, c.begin);
            EXPECT_GE(SendMessageA(e, EM_LINEFROMCHAR, end, 0), 3) << "a line below the two shown";
            break;
        }
        if (c.result) {
            automation::type_text(c.typed);
            EXPECT_EQ(automation::window_text(e), c.result);
        }
        DestroyWindow(e);
    }
}

TEST_F(BasicControlsTest, StaticControlsPaintTheirTextWithTheParentsColours) {
    HWND s = control("STATIC", SS_LEFT, 60, "Label &one", 200, 20);
    int asked = 0;
    spy().handlers[WM_CTLCOLORSTATIC] = [&](HWND, UINT, WPARAM, LPARAM lparam) -> LRESULT {
        EXPECT_EQ(reinterpret_cast<HWND>(lparam), s);
        ++asked;
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    };
    UpdateWindow(frame);
    UpdateWindow(s);
    EXPECT_EQ(asked, 1);
    bool drawn = false;
    for (const std::string& line : automation::drawing_log(s)) {
        if (line.find("TextOutA") != std::string::npos && line.find("[Label one]") != std::string::npos) drawn = true;
    }
    EXPECT_TRUE(drawn) << "the mnemonic marker is not drawn";
    EXPECT_EQ(SendMessageA(s, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

}  // namespace
