// Message boxes and beeps. Headless, a message box is a question put to the
// automation interface, which answers for the user; at a person's desktop it
// is a dialog window with the box's buttons.
#include <algorithm>
#include <vector>

#include "platform/automation/host.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/codec.h"
#include "platform/user/live_display.h"
#include "platform/user/user_internal.h"

namespace {

struct BoxButton {
    int id;
    const char* text_utf8;
};

// The buttons of each MB_ type, left to right, in the order of the MB_ values.
const std::vector<std::vector<BoxButton>>& box_buttons() {
    static const std::vector<std::vector<BoxButton>> table = {
        {{IDOK, "OK"}},                                                            // MB_OK
        {{IDOK, "OK"}, {IDCANCEL, "キャンセル"}},                                   // MB_OKCANCEL
        {{IDABORT, "中止(&A)"}, {IDRETRY, "再試行(&R)"}, {IDIGNORE, "無視(&I)"}},    // MB_ABORTRETRYIGNORE
        {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}, {IDCANCEL, "キャンセル"}},       // MB_YESNOCANCEL
        {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}},                                // MB_YESNO
        {{IDRETRY, "再試行(&R)"}, {IDCANCEL, "キャンセル"}},                         // MB_RETRYCANCEL
    };
    return table;
}

struct BoxRun {
    std::vector<int> ids;
    HICON icon = nullptr;
};

BoxRun* current_box = nullptr;

constexpr int kIconId = 20;

// The icon a box's type names, or none.
LPCSTR icon_name(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

INT_PTR box_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    if (message == WM_INITDIALOG) {
        if (current_box && current_box->icon) {
            SendDlgItemMessageA(dialog, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(current_box->icon), 0);
        }
        // Without a cancel button the close box and Esc do nothing (one button excepted).
        const std::vector<int>& ids = current_box ? current_box->ids : std::vector<int>{};
        if (ids.size() > 1 && std::find(ids.begin(), ids.end(), IDCANCEL) == ids.end()) {
            EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        }
        // The default button has the focus, so that Enter presses it.
        const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        if (HWND button = HIWORD(static_cast<uintptr_t>(def)) == DC_HASDEFID
                              ? GetDlgItem(dialog, LOWORD(static_cast<uintptr_t>(def)))
                              : nullptr) {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
            return FALSE;
        }
        return TRUE;
    }
    if (message != WM_COMMAND || !current_box) return FALSE;
    int id = LOWORD(wparam);
    const std::vector<int>& ids = current_box->ids;
    // Esc and the close box answer Cancel, or OK when OK is the only button.
    if (id == IDCANCEL && std::find(ids.begin(), ids.end(), IDCANCEL) == ids.end()) {
        if (ids.size() != 1) return TRUE;
        id = ids[0];
    }
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) EndDialog(dialog, id);
    return TRUE;
}

// The text's size in dialog units, in the dialog font.
SIZE text_units(const std::string& text) {
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             platform_user::kDesktopDialogFace);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    LONG widest = 0, lines = 0;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        SIZE size{};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        widest = std::max(widest, size.cx);
        ++lines;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    const LONG units = GetDialogBaseUnits();
    const LONG bx = std::max(1, static_cast<int>(LOWORD(static_cast<uintptr_t>(units))));
    return SIZE{(widest * 4 + bx - 1) / bx + 2, lines * 8 + 2};
}

// Lays the box out and hands its template, with the box's own record, to `use`.
template <typename Use>
auto with_box_template(const char* text, const char* caption, UINT type, Use use) {
    const UINT kind = type & MB_TYPEMASK;
    const std::vector<BoxButton>& buttons = box_buttons()[kind < box_buttons().size() ? kind : 0];
    std::vector<std::string> labels;
    BoxRun run;
    for (const BoxButton& b : buttons) {
        labels.push_back(platform_user::utf8_to_cp932(b.text_utf8));
        run.ids.push_back(b.id);
    }
    const SIZE body = text_units(text);
    constexpr int kButtonWidth = 50, kButtonHeight = 14, kGap = 6, kMargin = 10;
    // The icon, 32 x 32 pixels, to the left of the text; the text beside its middle.
    const LPCSTR icon = icon_name(type);
    const LONG units = GetDialogBaseUnits();
    const int bx = std::max(1, static_cast<int>(LOWORD(static_cast<uintptr_t>(units))));
    const int by = std::max(1, static_cast<int>(HIWORD(static_cast<uintptr_t>(units))));
    const int icon_cx = icon ? (32 * 4 + bx - 1) / bx : 0, icon_cy = icon ? (32 * 8 + by - 1) / by : 0;
    const int text_left = kMargin + (icon ? icon_cx + kGap + 2 : 0);
    const int text_top = kMargin + std::max(0, (icon_cy - static_cast<int>(body.cy)) / 2);
    const int row = static_cast<int>(buttons.size()) * (kButtonWidth + kGap) - kGap;
    const int width = std::max(text_left - kMargin + static_cast<int>(body.cx), row) + 2 * kMargin;
    std::vector<DialogItemTemplate> items;
    if (icon) {
        run.icon = LoadIconA(nullptr, icon);
        items.push_back(DialogItemTemplate{"STATIC", "", kIconId, kMargin, kMargin, icon_cx, icon_cy, SS_ICON});
    }
    items.push_back(DialogItemTemplate{"STATIC", text, -1, text_left, text_top, static_cast<int>(body.cx),
                                       static_cast<int>(body.cy), SS_LEFT | SS_NOPREFIX});
    const int button_top = kMargin + std::max(icon_cy, static_cast<int>(body.cy)) + kGap;
    int x = (width - row) / 2;
    int default_index = 0;
    if ((type & MB_DEFMASK) == MB_DEFBUTTON2) default_index = 1;
    if ((type & MB_DEFMASK) == MB_DEFBUTTON3) default_index = 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const DWORD style = WS_TABSTOP | (static_cast<int>(i) == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        items.push_back(DialogItemTemplate{"BUTTON", labels[i].c_str(), buttons[i].id, x, button_top, kButtonWidth,
                                           kButtonHeight, style});
        x += kButtonWidth + kGap;
    }
    const DialogTemplate frame{"", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0, 0,
                               0, width, button_top + kButtonHeight + kMargin - 3, caption, platform_user::kDesktopDialogPoints,
                               nullptr, nullptr, nullptr, std::span<const DialogItemTemplate>(items)};
    BoxRun* outer = current_box;
    current_box = &run;
    auto result = use(frame);
    current_box = outer;
    return result;
}

}  // namespace

namespace platform_user {

int run_message_box_window(HWND owner, const char* text, const char* caption, UINT type) {
    const INT_PTR answer = with_box_template(text, caption, type, [owner](const DialogTemplate& frame) {
        return DialogBoxIndirectParamA(nullptr, &frame, owner, box_proc, 0);
    });
    return answer > 0 ? static_cast<int>(answer) : 0;
}

HWND show_message_box_window(const char* text, const char* caption, UINT type) {
    return with_box_template(text, caption, type, [](const DialogTemplate& frame) {
        HWND box = CreateDialogIndirectParamA(nullptr, &frame, nullptr, box_proc, 0);
        if (box) {
            ShowWindow(box, SW_SHOW);
            UpdateWindow(box);
        }
        return box;
    });
}

}  // namespace platform_user

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (owner && !IsWindow(owner)) owner = nullptr;
    if (platform_user::person_at_display()) {
        return platform_user::run_message_box_window(owner, text ? text : "", caption ? caption : "Error", type);
    }
    return platform_automation::answer_message_box(owner, text ? text : "", caption ? caption : "Error", type);
}

BOOL MessageBeep(UINT type) {
    platform_automation::record_beep(type);
    return TRUE;
}
