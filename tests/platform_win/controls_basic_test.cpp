// Buttons, edits and statics: their messages, the notifications they send
// their parent, and what a user's mouse and keyboard do to them.
#include "platform/gdi/wingdi.h"
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
