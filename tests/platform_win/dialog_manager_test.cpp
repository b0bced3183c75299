// The dialog manager: templates in dialog units, the opening sequence and
// the focus rule, ending, Enter, Esc and the close box, keyboard
// navigation, modeless dialogs under IsDialogMessageA, and the helpers that
// address controls by id.
#include "platform/gdi/wingdi.h"
#include "platform/user/commctrl.h"
#include "platform/user/user_internal.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

enum : int { ID_NAME = 100, ID_COUNT = 101, ID_CHECK = 102, ID_LIST = 103, ID_OTHER = 104, ID_DISABLED = 105 };

const DialogItemTemplate items[] = {
    {"STATIC", "&Name:", -1, 4, 4, 40, 10, SS_LEFT},
    {"EDIT", "", ID_NAME, 50, 4, 80, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"EDIT", "", ID_COUNT, 50, 20, 40, 12, WS_BORDER | WS_TABSTOP | ES_NUMBER},
    {"BUTTON", "&Check", ID_CHECK, 4, 36, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {"LISTBOX", "", ID_LIST, 4, 50, 80, 40, LBS_NOTIFY | WS_BORDER | WS_TABSTOP},
    {"BUTTON", "O&ther", ID_OTHER, 140, 40, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "O&ff", ID_DISABLED, 140, 58, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED},
    {"BUTTON", "OK", IDOK, 140, 4, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Cancel", IDCANCEL, 140, 22, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DialogTemplate dialogs[] = {
    {"TESTDLG", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 10, 10, 200, 100, "Test dialog", 9,
     nullptr, nullptr, nullptr, items},
    {"NODEFDLG", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 10, 10, 200, 100, "No default", 0, nullptr,
     nullptr, nullptr, std::span<const DialogItemTemplate>(items, 7)},
    {"MODELESS", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 20, 20, 200, 100, "Modeless", 0, nullptr, nullptr, nullptr,
     items},
};
const ResourceTable resources{"dialog test", {}, {}, {}, {}, {}, {}, dialogs};

struct Seen {
    std::vector<UINT> messages;
    std::vector<int> commands;
    int init_focus_id = 0;
    bool init_result = true;
    HWND focus_in_init = nullptr;  // where the procedure puts the focus itself
    bool end_on_command = true;
    LPARAM init_param = 0;
};

Seen& seen() {
    static Seen s;
    return s;
}

INT_PTR test_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    Seen& s = seen();
    if (message == WM_SETFONT || message == WM_INITDIALOG || message == WM_CLOSE) s.messages.push_back(message);
    switch (message) {
    case WM_INITDIALOG:
        s.init_focus_id = GetDlgCtrlID(reinterpret_cast<HWND>(wparam));
        s.init_param = lparam;
        if (!s.init_result) SetFocus(GetDlgItem(dialog, ID_COUNT));
        return s.init_result;
    case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED) return FALSE;
        s.commands.push_back(LOWORD(wparam));
        if (s.end_on_command && LOWORD(wparam) != ID_CHECK) EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    default:
        return FALSE;
    }
}

class DialogTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        register_program_resources(&resources);
        seen() = Seen{};
        frame = make_frame();
        ShowWindow(frame, SW_SHOW);
    }
    HWND frame = nullptr;
};

TEST_F(DialogTest, OpeningSequenceFocusAndEnd) {
    int during_focus = 0;
    bool owner_enabled_during = true;
    HWND dialog = nullptr;
    automation::when_idle([&] {
        dialog = GetActiveWindow();
        during_focus = GetDlgCtrlID(GetFocus());
        owner_enabled_during = IsWindowEnabled(frame);
        EndDialog(dialog, 42);
    });
    INT_PTR result = DialogBoxParamA(nullptr, "testdlg", frame, test_proc, 1234);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(seen().messages, (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG}));
    EXPECT_EQ(seen().init_focus_id, ID_NAME) << "wParam is the first tab stop";
    EXPECT_EQ(seen().init_param, 1234);
    EXPECT_EQ(during_focus, ID_NAME);
    EXPECT_FALSE(owner_enabled_during) << "the owner is disabled while the dialog waits";
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_FALSE(automation::failed());
}

TEST_F(DialogTest, ProcedureThatSetsTheFocusReturnsFalse) {
    seen().init_result = false;
    int focus_id = 0;
    automation::when_idle([&] {
        focus_id = GetDlgCtrlID(GetFocus());
        EndDialog(GetActiveWindow(), 0);
    });
    DialogBoxParamA(nullptr, "TESTDLG", frame, test_proc, 0);
    EXPECT_EQ(focus_id, ID_COUNT);
}

TEST_F(DialogTest, TemplatesAreInDialogUnits) {
    HWND dialog = CreateDialogParamA(nullptr, "Modeless", frame, test_proc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "WS_VISIBLE in the template shows a modeless dialog";
    RECT r;
    GetWindowRect(GetDlgItem(dialog, ID_NAME), &r);
    POINT p{r.left, r.top};
    ScreenToClient(dialog, &p);
    // The template names no font: the desktop's 9-point proportional Gothic,
    // whose base units are 7 x 12.
    EXPECT_EQ(p.x, 88);  // 50 units of 7/4 pixels
    EXPECT_EQ(p.y, 6);   // 4 units of 12/8 pixels
    EXPECT_EQ(r.right - r.left, 140);
    EXPECT_EQ(r.bottom - r.top, 18);
    RECT client = client_of(dialog);
    EXPECT_EQ(client.right, 350);
    EXPECT_EQ(client.bottom, 150);
    RECT units{4, 8, 40, 16};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(units.left, 7);
    EXPECT_EQ(units.top, 12);
    EXPECT_EQ(units.right, 70);
    EXPECT_EQ(units.bottom, 24);
    EXPECT_EQ(GetDialogBaseUnits(), MAKELPARAM(7, 12));
    LOGFONTA font{};
    HGDIOBJ control_font = reinterpret_cast<HGDIOBJ>(SendMessageA(GetDlgItem(dialog, ID_NAME), WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectA(control_font, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_STREQ(font.lfFaceName, "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");  // ＭＳ Ｐゴシック
    EXPECT_EQ(CreateDialogParamA(nullptr, "NOSUCHDLG", frame, test_proc, 0), nullptr);
    EXPECT_EQ(DialogBoxParamA(nullptr, "NOSUCHDLG", frame, test_proc, 0), -1);
}

TEST_F(DialogTest, EnterEscapeAndTheCloseBox) {
    struct Case {
        const char* name;
        const char* dialog;
        std::function<void(HWND)> act;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"Enter in a field presses the default button", "TESTDLG", [](HWND) { automation::press_key("Enter"); },
         IDOK},
        {"Enter without a default button is IDOK", "NODEFDLG", [](HWND) { automation::press_key("Enter"); }, IDOK},
        {"Enter on a focused push button presses it", "TESTDLG",
         [](HWND d) {
             SetFocus(GetDlgItem(d, ID_OTHER));
             automation::press_key("Enter");
         },
         ID_OTHER},
        {"Esc is IDCANCEL", "TESTDLG", [](HWND) { automation::press_key("Esc"); }, IDCANCEL},
        {"the close box is IDCANCEL", "TESTDLG", [](HWND d) { automation::close_window(d); }, IDCANCEL},
        {"a button by its text", "TESTDLG", [](HWND) { automation::press_button_text("Other"); }, ID_OTHER},
        {"Alt+letter presses the button it underlines", "TESTDLG", [](HWND) { automation::press_key("alt+T"); },
         ID_OTHER},
        {"the letter alone where the focus takes no characters", "TESTDLG",
         [](HWND d) {
             SetFocus(GetDlgItem(d, IDOK));
             automation::press_key("T");
         },
         ID_OTHER},
        {"a disabled button's letter does nothing", "TESTDLG",
         [](HWND) {
             automation::press_key("alt+F");
             automation::press_key("Esc");
         },
         IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seen() = Seen{};
        automation::when_idle([&] { c.act(GetActiveWindow()); });
        EXPECT_EQ(DialogBoxParamA(nullptr, c.dialog, frame, test_proc, 0), c.expected);
        EXPECT_FALSE(automation::failed());
        bool closed = std::find(seen().messages.begin(), seen().messages.end(), WM_CLOSE) != seen().messages.end();
        EXPECT_EQ(closed, std::string(c.name) == "the close box is IDCANCEL") << "the procedure sees WM_CLOSE first";
    }
}

TEST_F(DialogTest, MnemonicsOfLabelsAndCheckBoxesAndLettersTypedInAField) {
    seen().end_on_command = false;
    const struct {
        const char* name;
        int focus_first;
        const char* key;
        int focus_after;
        const char* name_text;
        UINT checked;
    } cases[] = {
        {"a letter in a field is typed", ID_NAME, "T", ID_NAME, "t", BST_UNCHECKED},
        {"Alt+letter in a field presses the button", ID_NAME, "alt+C", ID_CHECK, "", BST_CHECKED},
        {"a label's letter gives the focus to the control after it", IDOK, "alt+N", ID_NAME, "", BST_UNCHECKED},
        {"the letter alone from a button", ID_OTHER, "C", ID_CHECK, "", BST_CHECKED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int focus = 0;
        std::string text;
        UINT checked = 0;
        automation::when_idle([&] {
            SetFocus(GetDlgItem(GetActiveWindow(), c.focus_first));
            automation::press_key(c.key);
        });
        automation::when_idle([&] {
            HWND d = GetActiveWindow();
            focus = GetDlgCtrlID(GetFocus());
            text = automation::window_text(GetDlgItem(d, ID_NAME));
            checked = IsDlgButtonChecked(d, ID_CHECK);
            EndDialog(d, 0);
        });
        DialogBoxParamA(nullptr, "TESTDLG", frame, test_proc, 0);
        EXPECT_EQ(focus, c.focus_after);
        EXPECT_EQ(text, c.name_text);
        EXPECT_EQ(checked, c.checked);
        EXPECT_FALSE(automation::failed());
    }
}

TEST_F(DialogTest, AMessageBoxAtTheDeskIsAnsweredByItsKeys) {
    const struct {
        const char* name;
        UINT type;
        std::vector<const char*> keys;
        int expected;
        LPCSTR icon;
    } cases[] = {
        {"Y answers はい(Y)", MB_YESNO | MB_ICONQUESTION, {"Y"}, IDYES, IDI_QUESTION},
        {"N answers いいえ(N)", MB_YESNO | MB_ICONQUESTION, {"N"}, IDNO, IDI_QUESTION},
        {"Alt+N too", MB_YESNOCANCEL | MB_ICONEXCLAMATION, {"alt+N"}, IDNO, IDI_EXCLAMATION},
        {"without a cancel button Esc and Alt+F4 do nothing", MB_YESNO, {"Esc", "alt+F4", "Y"}, IDYES, nullptr},
        {"Esc is the cancel button", MB_YESNOCANCEL | MB_ICONHAND, {"Esc"}, IDCANCEL, IDI_HAND},
        {"Esc is OK where OK is all", MB_OK | MB_ICONASTERISK, {"Esc"}, IDOK, IDI_ASTERISK},
        {"Enter the default button", MB_YESNO | MB_DEFBUTTON2, {"Enter"}, IDNO, nullptr},
        {"R answers 再試行(R)", MB_ABORTRETRYIGNORE | MB_ICONHAND, {"R"}, IDRETRY, IDI_HAND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HICON icon_seen = nullptr;
        int ink = 0;
        automation::when_idle([&] {
            HWND icon = GetDlgItem(GetActiveWindow(), 20);
            icon_seen = icon ? reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)) : nullptr;
            if (icon) ink = automation::ink_pixels(icon, RECT{0, 0, 32, 32});
            for (const char* key : c.keys) automation::press_key(key);
        });
        EXPECT_EQ(platform_user::run_message_box_window(frame, "Sure?", "Box", c.type), c.expected);
        EXPECT_EQ(icon_seen, c.icon ? LoadIconA(nullptr, c.icon) : nullptr);
        if (c.icon) {
            EXPECT_GT(ink, 100) << "the icon is drawn";
        }
        EXPECT_FALSE(automation::failed());
    }
}

TEST_F(DialogTest, AMessageBoxGivesTheActivationBackToTheWindowItCameOver) {
    // the frame owns a modeless popup; a box owned by the frame comes up
    // while one of them is active, or while a box of the popup's own is
    const struct {
        const char* name;
        bool popup_active, popup_owns_box, popup_disabled;
        bool popup_expected;  // else the frame
    } cases[] = {
        {"over the frame's popup, back to it", true, false, false, true},
        {"over the frame, back to the frame", false, false, false, false},
        {"owned by the popup, back to the popup", true, true, false, true},
        {"the popup disabled meanwhile: the frame", true, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND popup = CreateWindowA("Recorder", "Popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 300, 200, 100, frame,
                                   nullptr, nullptr, nullptr);
        SetFocus(c.popup_active ? make_child(popup, 7, 0, 0, 50, 20) : frame);
        if (!c.popup_active) SetActiveWindow(frame);
        automation::when_idle([&] {
            if (c.popup_disabled) EnableWindow(popup, FALSE);
            automation::press_key("Enter");
        });
        EXPECT_EQ(platform_user::run_message_box_window(c.popup_owns_box ? popup : frame, "Done.", "Box", MB_OK), IDOK);
        const HWND expected = c.popup_expected ? popup : frame;
        EXPECT_EQ(GetActiveWindow(), expected);
        EXPECT_EQ(platform_user::top_level_of(GetFocus()), expected) << "the keys go there too";
        EXPECT_TRUE(IsWindowEnabled(frame));
        EXPECT_FALSE(automation::failed());
        DestroyWindow(popup);
        SetActiveWindow(frame);
    }
}

TEST_F(DialogTest, ADialogMovesByItsCaption) {
    RECT before{}, after{};
    automation::when_idle([&] {
        GetWindowRect(GetActiveWindow(), &before);
        automation::frame_drag(GetActiveWindow(), HTCAPTION, 40, 30);
    });
    automation::when_idle([&] {
        GetWindowRect(GetActiveWindow(), &after);
        EndDialog(GetActiveWindow(), 0);
    });
    DialogBoxParamA(nullptr, "TESTDLG", frame, test_proc, 0);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_FALSE(automation::failed());
}

TEST_F(DialogTest, TabWalksTheTabStopsSkippingDisabledOnes) {
    std::vector<int> order;
    for (int i = 0; i < 7; ++i) {
        automation::when_idle([&] {
            order.push_back(GetDlgCtrlID(GetFocus()));
            automation::press_key("Tab");
        });
    }
    automation::when_idle([&] {
        automation::press_key("shift+Tab");
    });
    automation::when_idle([&] {
        order.push_back(GetDlgCtrlID(GetFocus()));
        EndDialog(GetActiveWindow(), 0);
    });
    DialogBoxParamA(nullptr, "TESTDLG", frame, test_proc, 0);
    // Round to the first again, then Shift+Tab back to the last.
    EXPECT_EQ(order, (std::vector<int>{ID_NAME, ID_COUNT, ID_CHECK, ID_LIST, ID_OTHER, IDOK, IDCANCEL, IDCANCEL}));
}

TEST_F(DialogTest, SpaceAndTypingReachTheControls) {
    seen().end_on_command = false;
    std::string name;
    UINT checked = 0;
    automation::when_idle([&] {
        HWND d = GetActiveWindow();
        automation::type_into(GetDlgItem(d, ID_NAME), "abc");
    });
    automation::when_idle([&] { automation::set_checked(GetDlgItem(GetActiveWindow(), ID_CHECK), true); });
    automation::when_idle([&] {
        HWND d = GetActiveWindow();
        char buffer[32];
        GetDlgItemTextA(d, ID_NAME, buffer, sizeof buffer);
        name = buffer;
        checked = IsDlgButtonChecked(d, ID_CHECK);
        EndDialog(d, 1);
    });
    DialogBoxParamA(nullptr, "TESTDLG", frame, test_proc, 0);
    EXPECT_EQ(name, "abc");
    EXPECT_EQ(checked, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(seen().commands, std::vector<int>{ID_CHECK});
}

TEST_F(DialogTest, ItemHelpers) {
    HWND d = CreateDialogParamA(nullptr, "MODELESS", frame, test_proc, 0);
    ASSERT_NE(d, nullptr);
    struct IntCase {
        const char* text;
        BOOL is_signed;
        UINT value;
        BOOL translated;
    };
    const IntCase ints[] = {
        {"12", FALSE, 12, TRUE},   {"  -7 ", TRUE, static_cast<UINT>(-7), TRUE}, {"-7", FALSE, 0, FALSE},
        {"12a", TRUE, 0, FALSE},   {"", TRUE, 0, FALSE},                         {"4294967295", FALSE, 4294967295u, TRUE},
        {"4294967296", FALSE, 0, FALSE}, {"2147483648", TRUE, 0, FALSE},
    };
    for (const IntCase& c : ints) {
        SetDlgItemTextA(d, ID_NAME, c.text);
        BOOL ok = 2;
        EXPECT_EQ(GetDlgItemInt(d, ID_NAME, &ok, c.is_signed), c.value) << c.text;
        EXPECT_EQ(ok, c.translated) << c.text;
    }
    SetDlgItemInt(d, ID_NAME, static_cast<UINT>(-3), TRUE);
    char buffer[16];
    EXPECT_EQ(GetDlgItemTextA(d, ID_NAME, buffer, sizeof buffer), 2u);
    EXPECT_STREQ(buffer, "-3");
    EXPECT_EQ(GetDlgItemTextA(d, 9999, buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    SendDlgItemMessageA(d, ID_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(SendDlgItemMessageA(d, ID_LIST, LB_GETCOUNT, 0, 0), 1);
    CheckDlgButton(d, ID_CHECK, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, ID_CHECK), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(GetNextDlgTabItem(d, GetDlgItem(d, IDCANCEL), FALSE), GetDlgItem(d, ID_NAME));
    EXPECT_EQ(GetNextDlgTabItem(d, GetDlgItem(d, ID_NAME), TRUE), GetDlgItem(d, IDCANCEL));
    EXPECT_EQ(GetNextDlgTabItem(d, GetDlgItem(d, ID_OTHER), FALSE), GetDlgItem(d, IDOK)) << "the disabled one is skipped";
    EXPECT_EQ(SendMessageA(d, DM_GETDEFID, 0, 0), MAKELPARAM(IDOK, DC_HASDEFID));
}

TEST_F(DialogTest, RadioButtonsByCheckRadioButtonAndArrows) {
    static const DialogItemTemplate radios[] = {
        {"BUTTON", "A4 landscape", 20754, 4, 4, 60, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {"BUTTON", "A4 portrait", 20755, 4, 16, 60, 10, BS_AUTORADIOBUTTON},
        {"BUTTON", "OK", IDOK, 100, 4, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
    };
    static const DialogTemplate t{"", WS_POPUP | WS_CAPTION, 0, 0, 0, 150, 40, "Radios", 0, nullptr, nullptr, nullptr,
                                  radios};
    seen().end_on_command = false;
    std::vector<int> clicked;
    automation::when_idle([&] {
        HWND d = GetActiveWindow();
        CheckRadioButton(d, 20754, 20755, 20754);
        SetFocus(GetDlgItem(d, 20754));
        automation::press_key("Down");
    });
    UINT first = 9, second = 9;
    automation::when_idle([&] {
        HWND d = GetActiveWindow();
        first = IsDlgButtonChecked(d, 20754);
        second = IsDlgButtonChecked(d, 20755);
        EndDialog(d, 0);
    });
    DialogBoxIndirectParamA(nullptr, &t, frame, test_proc, 0);
    EXPECT_EQ(first, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(second, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(seen().commands, std::vector<int>{20755}) << "the arrow clicked the next radio button";
}

// A program with a modeless dialog beside its frame, worked by a script.
HWND modeless_dialog = nullptr;

int modeless_program(HINSTANCE, HINSTANCE, LPSTR, int) {
    register_program_resources(&resources);
    HWND frame = CreateWindowA("Recorder", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
    modeless_dialog = CreateDialogParamA(nullptr, "MODELESS", frame, test_proc, 0);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (IsWindow(modeless_dialog) && IsDialogMessageA(modeless_dialog, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}

TEST_F(DialogTest, ModelessDialogUnderIsDialogMessage) {
    seen().end_on_command = false;
    spy().handlers[WM_DESTROY] = [](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        if (GetParent(w) == nullptr) PostQuitMessage(0);
        return 0;
    };
    std::string error;
    ASSERT_TRUE(automation::load_script("key Tab\n"
                                        "type \"12x\"\n"
                                        "expect-text \"Modeless\"/101 \"12\"\n"
                                        "expect-focus \"Modeless\"/101\n"
                                        "key Enter\n"
                                        "check \"Modeless\"/102\n"
                                        "expect-checked \"Modeless\"/102\n"
                                        "press-button \"Other\"\n",
                                        "", &error))
        << error;
    automation::run_program(modeless_program);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
    EXPECT_EQ(seen().commands, (std::vector<int>{IDOK, ID_CHECK, ID_OTHER}));
    EXPECT_EQ(automation::beeps().size(), 1u) << "x is refused by ES_NUMBER";
}

int modal_program(HINSTANCE, HINSTANCE, LPSTR, int) {
    register_program_resources(&resources);
    HWND frame = CreateWindowA("Recorder", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
    INT_PTR r = DialogBoxParamA(nullptr, "TESTDLG", frame, test_proc, 0);
    DestroyWindow(frame);
    return static_cast<int>(r);
}

TEST_F(DialogTest, ScriptThatEndsWhileADialogWaitsFailsInsteadOfHanging) {
    std::string error;
    ASSERT_TRUE(automation::load_script("type-into 100 \"x\"\n", "", &error)) << error;
    int code = automation::run_program(modal_program);
    EXPECT_EQ(code, -1);
    EXPECT_TRUE(automation::failed());
    ASSERT_FALSE(automation::failures().empty());
    EXPECT_EQ(automation::failures()[0], "the script ended while the dialog \"Test dialog\" waits");
    EXPECT_NE(automation::log_text().find("  dialog \"Test dialog\" opened\n"), std::string::npos);
}

}  // namespace
