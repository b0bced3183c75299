// The dialog manager: dialogs from templates, modal and modeless, their
// default procedure, keyboard navigation (IsDialogMessageA) and the helpers
// that address a dialog's controls by id.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/automation/host.h"
#include "platform/user/controls_internal.h"

namespace platform_user {

namespace {

// A template that names no font (or no face) gets the desktop's dialog font.

// A dialog unit is a quarter of the dialog font's average character width
// across and an eighth of its height down.
struct BaseUnits {
    int x = 7;
    int y = 12;
};

struct DialogState : ExtraState {
    bool modal = false;
    bool ended = false;
    bool initialized = false;  // WM_INITDIALOG done
    INT_PTR result = 0;
    HWND saved_focus = nullptr;
    HWND owner_disabled = nullptr;  // the owner this modal dialog disabled
    int default_id = 0;
    HFONT font = nullptr;
    bool own_font = false;
    BaseUnits units;
};

DialogState* dialog_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->dialog) w->dialog = std::make_unique<DialogState>();
    return static_cast<DialogState*>(w->dialog.get());
}

int mul_div(int value, int numerator, int denominator) {
    long long v = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(v >= 0 ? (v + half) / denominator : -((-v + half) / denominator));
}

RECT dialog_units_to_pixels(const BaseUnits& u, int x, int y, int cx, int cy) {
    int left = mul_div(x, u.x, 4), top = mul_div(y, u.y, 8);
    return RECT{left, top, left + mul_div(cx, u.x, 4), top + mul_div(cy, u.y, 8)};
}

// The base units of a font as Windows works them out: the average width of
// the 52 Latin letters, rounded, and the height of a line.
BaseUnits base_units_of(HFONT font) {
    BaseUnits u;
    HDC dc = GetDC(nullptr);
    if (!dc) return u;
    HGDIOBJ old = SelectObject(dc, font);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    TEXTMETRICA tm{};
    if (GetTextExtentPoint32A(dc, letters, 52, &size) && GetTextMetricsA(dc, &tm)) {
        u.x = std::max(1, static_cast<int>((size.cx / 26 + 1) / 2));
        u.y = std::max(1, static_cast<int>(tm.tmHeight));
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return u;
}

HFONT make_font(int points, const char* face) {
    return CreateFontA(-mul_div(points, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// The base units of the desktop's dialog font, worked out once.
const BaseUnits& desktop_units() {
    static const BaseUnits units = [] {
        HFONT font = make_font(kDesktopDialogPoints, kDesktopDialogFace);
        BaseUnits u = base_units_of(font);
        DeleteObject(font);
        return u;
    }();
    return units;
}

bool can_take_focus(HWND window) {
    WindowRecord* w = find_window(window);
    return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

// The controls of a dialog in tab order: its children, and the children of
// child dialogs that hold controls of their own (WS_EX_CONTROLPARENT).
void tab_order(HWND parent, std::vector<HWND>* out) {
    WindowRecord* p = find_window(parent);
    if (!p) return;
    for (HWND child : p->children) {
        WindowRecord* c = find_window(child);
        if (!c) continue;
        if (c->ex_style & WS_EX_CONTROLPARENT) {
            if (c->style & WS_VISIBLE) tab_order(child, out);
            continue;
        }
        out->push_back(child);
    }
}

LRESULT dialog_code(HWND control, const MSG* msg) {
    return send_message(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

bool is_push_button(HWND control) {
    if (control_kind(control) != ControlKind::button) return false;
    return (dialog_code(control, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

HWND default_button(HWND dialog) {
    LRESULT id = send_message(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(static_cast<uintptr_t>(id)) != DC_HASDEFID) return nullptr;
    const int wanted = LOWORD(static_cast<uintptr_t>(id));
    if (HWND button = GetDlgItem(dialog, wanted)) return button;
    // a button of a child dialog that holds controls of its own
    std::vector<HWND> controls;
    tab_order(dialog, &controls);
    for (HWND c : controls) {
        if (GetDlgCtrlID(c) == wanted) return c;
    }
    return nullptr;
}

// Shows which push button Enter would press: the focused one, else the default.
void show_default_button(HWND dialog, HWND focus) {
    HWND def = default_button(dialog);
    HWND wanted = is_push_button(focus) ? focus : def;
    std::vector<HWND> controls;
    tab_order(dialog, &controls);
    for (HWND c : controls) {
        if (!is_push_button(c)) continue;
        WindowRecord* w = find_window(c);
        DWORD type = w->style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW) continue;
        DWORD want = c == wanted ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (type != want) send_message(c, BM_SETSTYLE, want, TRUE);
    }
}

// The key a control's text underlines: a button's (not one it draws
// itself) or a label's; 0 for none.
char control_mnemonic(HWND control) {
    WindowRecord* w = find_window(control);
    if (!w) return 0;
    const ControlKind kind = control_kind(control);
    if (kind == ControlKind::button && (w->style & BS_TYPEMASK) == BS_OWNERDRAW) return 0;
    if (kind == ControlKind::static_text) {
        const DWORD type = w->style & SS_TYPEMASK;
        if ((w->style & SS_NOPREFIX) || (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT &&
                                         type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP)) {
            return 0;
        }
    } else if (kind != ControlKind::button) {
        return 0;
    }
    return mnemonic_of(w->text, false).key;
}

// A key typed as a mnemonic: the control that underlines it is pressed, or,
// for a label or a group box, the control after it takes the focus. When
// several share the key, each press goes on to the next one after the focus.
bool press_mnemonic(HWND dialog, WPARAM character) {
    if (character >= 0x80 || !std::isalnum(static_cast<int>(character))) return false;
    const char key = static_cast<char>(std::toupper(static_cast<int>(character)));
    std::vector<HWND> controls;
    tab_order(dialog, &controls);
    std::vector<HWND> matching;
    for (HWND c : controls) {
        if (can_take_focus(c) && control_mnemonic(c) == key) matching.push_back(c);
    }
    if (matching.empty()) return false;
    HWND focus = GetFocus();
    auto focus_at = std::find(controls.begin(), controls.end(), focus);
    HWND target = matching.front();
    if (matching.size() > 1 && focus_at != controls.end()) {
        for (auto it = focus_at + 1; it != controls.end(); ++it) {
            if (std::find(matching.begin(), matching.end(), *it) != matching.end()) {
                target = *it;
                break;
            }
        }
    }
    WindowRecord* t = find_window(target);
    const DWORD type = t->style & BS_TYPEMASK;
    if (control_kind(target) == ControlKind::static_text ||
        (control_kind(target) == ControlKind::button && type == BS_GROUPBOX)) {
        if (HWND next = GetNextDlgTabItem(dialog, target, FALSE)) dialog_set_focus(dialog, next);
        return true;
    }
    if (!is_push_button(target) || matching.size() > 1) dialog_set_focus(dialog, target);
    // one push button, check box or radio button with the key is pressed at once
    if (matching.size() == 1) send_message(target, BM_CLICK, 0, 0);
    return true;
}

void press_command(HWND dialog, int id, HWND control) {
    send_message(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

LRESULT default_dialog_message(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogState* d = dialog_state(dialog);
    switch (message) {
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wparam);
        HBRUSH brush = reinterpret_cast<HBRUSH>(send_message(dialog, WM_CTLCOLORDLG, wparam, reinterpret_cast<LPARAM>(dialog)));
        uintptr_t value = reinterpret_cast<uintptr_t>(brush);
        if (value >= 1 && value <= COLOR_INFOBK + 1) brush = GetSysColorBrush(static_cast<int>(value - 1));
        if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
        RECT client;
        GetClientRect(dialog, &client);
        FillRect(dc, &client, brush);
        return 1;
    }
    case WM_CLOSE: {
        // The close box is the cancel button, unless that button is disabled.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SETFOCUS: {
        HWND target = IsWindow(d->saved_focus) && IsChild(dialog, d->saved_focus) ? d->saved_focus
                                                                                   : GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (target) dialog_set_focus(dialog, target);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(dialog, focus)) d->saved_focus = focus;
        } else if (d->initialized) {
            HWND focus = GetFocus();
            if (!focus || !IsChild(dialog, focus)) {
                HWND target = IsWindow(d->saved_focus) && IsChild(dialog, d->saved_focus)
                                  ? d->saved_focus
                                  : GetNextDlgTabItem(dialog, nullptr, FALSE);
                if (target) dialog_set_focus(dialog, target);
            }
        }
        return 0;
    case WM_NEXTDLGCTL: {
        HWND target;
        if (LOWORD(static_cast<uintptr_t>(lparam))) {
            target = reinterpret_cast<HWND>(wparam);
        } else {
            target = GetNextDlgTabItem(dialog, GetFocus(), wparam != 0);
        }
        if (target) dialog_set_focus(dialog, target);
        return 0;
    }
    case DM_GETDEFID:
        if (d->default_id) return MAKELPARAM(static_cast<WORD>(d->default_id), DC_HASDEFID);
        return 0;
    case DM_SETDEFID:
        d->default_id = static_cast<int>(wparam);
        show_default_button(dialog, GetFocus());
        return TRUE;
    case WM_SETFONT:
        d->font = reinterpret_cast<HFONT>(wparam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(d->font);
    case WM_NCDESTROY:
        if (d->own_font && d->font) DeleteObject(d->font);
        d->font = nullptr;
        d->own_font = false;
        return DefWindowProcA(dialog, message, wparam, lparam);
    default:
        return DefWindowProcA(dialog, message, wparam, lparam);
    }
}

bool returns_result_directly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

// The template's font, or the desktop's dialog font when it names none:
// on a Japanese desktop dialogs are set in a 9-point proportional Gothic,
// never in the large system font.
HFONT make_dialog_font(const DialogTemplate& t) {
    const bool named = (t.style & DS_SETFONT) && t.font_size > 0;
    const char* face = named && t.font_face && *t.font_face ? t.font_face : kDesktopDialogFace;
    return make_font(named ? t.font_size : kDesktopDialogPoints, face);
}

HWND create_dialog(HINSTANCE instance, const DialogTemplate* t, HWND owner, DLGPROC procedure, LPARAM param,
                   bool modal) {
    if (!t) return nullptr;
    UserState& s = state();
    DWORD style = t->style;
    DWORD ex_style = t->ex_style;
    if (style & DS_MODALFRAME) ex_style |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
        ex_style |= WS_EX_CONTROLPARENT;
    }
    bool child = (style & WS_CHILD) != 0;
    HFONT font = make_dialog_font(*t);
    const BaseUnits units = base_units_of(font);
    RECT frame = dialog_units_to_pixels(units, t->x, t->y, t->cx, t->cy);
    RECT outer{0, 0, frame.right - frame.left, frame.bottom - frame.top};
    AdjustWindowRectEx(&outer, style, t->menu != nullptr, ex_style);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    int x = frame.left, y = frame.top;
    if (!child && owner && !(style & DS_ABSALIGN)) {
        POINT origin{0, 0};
        ClientToScreen(owner, &origin);
        x += origin.x;
        y += origin.y;
    }
    if (!child && (style & DS_CENTER)) {
        x = (s.screen_width - width) / 2;
        y = (s.screen_height - height) / 2;
    }
    HMENU menu = t->menu ? LoadMenuA(instance, t->menu) : nullptr;
    const char* class_name = t->class_name ? t->class_name : "#32770";
    HWND dialog = CreateWindowExA(ex_style, class_name, t->caption ? t->caption : "", style & ~WS_VISIBLE, x, y, width,
                                  height, owner, menu, instance, nullptr);
    if (!dialog) {
        DeleteObject(font);
        return nullptr;
    }
    WindowRecord* w = find_window(dialog);
    if (w->extra.size() < static_cast<size_t>(DLGWINDOWEXTRA)) w->extra.resize(DLGWINDOWEXTRA, 0);
    DialogState* d = dialog_state(dialog);
    d->modal = modal;
    d->units = units;
    d->font = font;
    d->own_font = true;
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    send_message(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dialog)) return nullptr;
    // A dialog procedure that handled WM_SETFONT has not let it be kept.
    d = dialog_state(dialog);
    d->font = font;
    d->own_font = true;

    for (const DialogItemTemplate& item : t->items) {
        RECT r = dialog_units_to_pixels(units, item.x, item.y, item.cx, item.cy);
        DWORD control_style = item.style | WS_CHILD | WS_VISIBLE;
        DWORD control_ex_style = item.ex_style | WS_EX_NOPARENTNOTIFY;
        // The dialogs of a Windows 95 desktop have the 3D look: a bordered
        // field or list is sunk into the dialog instead of outlined.
        const std::string kind = upper_ascii(item.class_name ? item.class_name : "");
        if ((control_style & WS_BORDER) && (kind == "EDIT" || kind == "LISTBOX")) {
            control_style &= ~WS_BORDER;
            control_ex_style |= WS_EX_CLIENTEDGE;
        }
        HWND control = CreateWindowExA(control_ex_style, item.class_name, item.text ? item.text : "",
                                       control_style, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                                       reinterpret_cast<HMENU>(static_cast<uintptr_t>(static_cast<WORD>(item.id))),
                                       instance, nullptr);
        if (!IsWindow(dialog)) return nullptr;
        if (!control) {
            if (style & DS_NOFAILCREATE) continue;
            DestroyWindow(dialog);
            return nullptr;
        }
        send_message(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        d = dialog_state(dialog);
        if (!d->default_id && control_kind(control) == ControlKind::button &&
            (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            d->default_id = item.id;
        }
    }

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT set_focus = send_message(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(dialog)) return nullptr;
    d = dialog_state(dialog);
    d->initialized = true;
    // TRUE: the dialog manager gives the focus to the first tab stop (the
    // procedure may have changed which one that is); FALSE: the procedure
    // has placed the focus itself.
    if (set_focus && (!child || (style & WS_VISIBLE))) {
        HWND target = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (!target) target = GetNextDlgGroupItem(dialog, nullptr, FALSE);
        if (target) dialog_set_focus(dialog, target);
    }
    if (!IsWindow(dialog)) return nullptr;
    d = dialog_state(dialog);
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus)) d->saved_focus = focus;
    if (!modal && (t->style & WS_VISIBLE) && !d->ended) ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

INT_PTR run_modal(HWND dialog, HWND owner) {
    DialogState* d = dialog_state(dialog);
    if (!d) return -1;
    if (owner && IsWindowEnabled(owner) && !d->ended) {
        EnableWindow(owner, FALSE);
        d = dialog_state(dialog);
        if (d) d->owner_disabled = owner;
    }
    if (!IsWindow(dialog)) return -1;
    std::string caption = find_window(dialog)->text;
    platform_automation::modal_dialog_begins(dialog, caption);
    if (!dialog_state(dialog)->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        UpdateWindow(dialog);
    }
    bool aborted = false;
    while (IsWindow(dialog) && !dialog_state(dialog)->ended) {
        if (platform_automation::run_aborted()) {
            aborted = true;
            break;
        }
        MSG m;
        if (!take_message(&m, nullptr, 0, 0, true)) {
            if (platform_automation::on_idle() == platform_automation::IdleOutcome::finished) {
                aborted = true;
                break;
            }
            continue;
        }
        if (m.message == WM_QUIT) {
            // The quit is for the program's own loop.
            PostQuitMessage(static_cast<int>(m.wParam));
            aborted = true;
            break;
        }
        if (!IsDialogMessageA(dialog, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    INT_PTR result = -1;
    if (IsWindow(dialog)) {
        d = dialog_state(dialog);
        if (d->ended && !aborted) result = d->result;
        if (IsWindow(d->owner_disabled)) EnableWindow(d->owner_disabled, TRUE);
        d = dialog_state(dialog);
        if (d) d->owner_disabled = nullptr;
    } else if (owner && IsWindow(owner) && !IsWindowEnabled(owner)) {
        EnableWindow(owner, TRUE);
    }
    platform_automation::modal_dialog_ends(dialog, result);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return result;
}

}  // namespace

bool is_dialog(HWND window) {
    WindowRecord* w = find_window(window);
    return w && w->dialog;
}

void dialog_set_focus(HWND dialog, HWND control) {
    if (!IsWindow(control)) return;
    if (dialog_code(control, nullptr) & DLGC_HASSETSEL) send_message(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    if (IsWindow(dialog) && is_dialog(dialog)) {
        dialog_state(dialog)->saved_focus = control;
        show_default_button(dialog, control);
    }
}

std::vector<HWND> group_of(HWND control) {
    std::vector<HWND> out;
    WindowRecord* c = find_window(control);
    if (!c || !(c->style & WS_CHILD)) return out;
    WindowRecord* p = find_window(c->parent);
    if (!p) return out;
    const std::vector<HWND>& siblings = p->children;
    auto at = std::find(siblings.begin(), siblings.end(), control);
    if (at == siblings.end()) return out;
    auto begin = at;
    while (begin != siblings.begin()) {
        WindowRecord* s = find_window(*begin);
        if (s && (s->style & WS_GROUP)) break;
        --begin;
    }
    for (auto it = begin; it != siblings.end(); ++it) {
        WindowRecord* s = find_window(*it);
        if (it != begin && s && (s->style & WS_GROUP)) break;
        out.push_back(*it);
    }
    return out;
}

void register_dialog_class() {
    UserState& s = state();
    if (s.classes.count("#32770")) return;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "#32770";
    if (RegisterClassA(&wc)) s.classes["#32770"]->atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(WC_DIALOG));
}

}  // namespace platform_user

using namespace platform_user;

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(dialog);
    if (!w) return 0;
    if (w->extra.size() >= static_cast<size_t>(DLGWINDOWEXTRA)) {
        auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
        if (procedure) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
            INT_PTR handled = procedure(dialog, message, wparam, lparam);
            if (!IsWindow(dialog)) return handled;
            if (returns_result_directly(message)) {
                if (handled || message == WM_INITDIALOG) return handled;
            } else if (handled) {
                return GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
            }
        }
    }
    return default_dialog_message(dialog, message, wparam, lparam);
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate* dialog, HWND owner, DLGPROC procedure,
                                LPARAM param) {
    return create_dialog(instance, dialog, owner, procedure, param, false);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC procedure, LPARAM param) {
    return create_dialog(instance, find_dialog_resource(template_name), owner, procedure, param, false);
}

HWND CreateDialogA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC procedure) {
    return CreateDialogParamA(instance, template_name, owner, procedure, 0);
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate* dialog, HWND owner, DLGPROC procedure,
                                LPARAM param) {
    if (!dialog) return -1;
    if (owner && !IsWindow(owner)) owner = nullptr;
    HWND top_owner = owner ? top_level_of(owner) : nullptr;
    HWND window = create_dialog(instance, dialog, top_owner, procedure, param, true);
    if (!window) return -1;
    return run_modal(window, top_owner);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC procedure, LPARAM param) {
    return DialogBoxIndirectParamA(instance, find_dialog_resource(template_name), owner, procedure, param);
}

INT_PTR DialogBoxA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC procedure) {
    return DialogBoxParamA(instance, template_name, owner, procedure, 0);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!is_dialog(dialog)) return FALSE;
    DialogState* d = dialog_state(dialog);
    d->ended = true;
    d->result = result;
    if (d->modal) {
        // The owner comes back before the dialog goes, so that it is activated.
        if (IsWindow(d->owner_disabled)) {
            HWND owner = d->owner_disabled;
            d->owner_disabled = nullptr;
            EnableWindow(owner, TRUE);
        }
        if (IsWindow(dialog)) ShowWindow(dialog, SW_HIDE);
    } else {
        ShowWindow(dialog, SW_HIDE);
    }
    return TRUE;
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
    if (!msg || !IsWindow(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = dialog_code(msg->hwnd, msg);
        if (!(code & (DLGC_WANTMESSAGE))) {
            UINT vk = static_cast<UINT>(msg->wParam);
            switch (vk) {
            case VK_TAB:
                if (code & DLGC_WANTTAB) break;
                if (HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
                    dialog_set_focus(dialog, next);
                }
                return TRUE;
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN: {
                if (code & DLGC_WANTARROWS) break;
                HWND focus = GetFocus();
                HWND next = GetNextDlgGroupItem(dialog, focus, vk == VK_LEFT || vk == VK_UP);
                if (next && next != focus) {
                    dialog_set_focus(dialog, next);
                    WindowRecord* n = find_window(next);
                    if (n && control_kind(next) == ControlKind::button && (n->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
                        send_message(next, BM_CLICK, 0, 0);
                    }
                }
                return TRUE;
            }
            case VK_RETURN: {
                HWND focus = GetFocus();
                if (focus && IsChild(dialog, focus) && is_push_button(focus) && IsWindowEnabled(focus)) {
                    press_command(dialog, GetDlgCtrlID(focus), focus);
                    return TRUE;
                }
                LRESULT def = send_message(dialog, DM_GETDEFID, 0, 0);
                if (HIWORD(static_cast<uintptr_t>(def)) == DC_HASDEFID) {
                    int id = LOWORD(static_cast<uintptr_t>(def));
                    HWND button = GetDlgItem(dialog, id);
                    if (button && !IsWindowEnabled(button)) {
                        MessageBeep(0);
                        return TRUE;
                    }
                    press_command(dialog, id, button);
                } else {
                    press_command(dialog, IDOK, GetDlgItem(dialog, IDOK));
                }
                return TRUE;
            }
            case VK_ESCAPE:
                press_command(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL));
                return TRUE;
            default:
                break;
            }
        }
    }
    // Alt+letter, or the letter alone where the focus takes no characters:
    // the control that underlines it.
    if (msg->message == WM_SYSCHAR && press_mnemonic(dialog, msg->wParam)) return TRUE;
    if (msg->message == WM_CHAR && !(dialog_code(msg->hwnd, msg) & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) &&
        press_mnemonic(dialog, msg->wParam)) {
        return TRUE;
    }
    if (msg->message == WM_CHAR) {
        LRESULT code = dialog_code(msg->hwnd, msg);
        // The characters of the keys the dialog manager took.
        if ((msg->wParam == '\t' && !(code & DLGC_WANTTAB)) ||
            ((msg->wParam == '\r' || msg->wParam == 0x1B) && !(code & DLGC_WANTMESSAGE))) {
            return TRUE;
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}

// The units of the desktop's dialog font, which a template without a font
// of its own is laid out in.
LONG GetDialogBaseUnits() {
    const BaseUnits& u = desktop_units();
    return static_cast<LONG>(MAKELPARAM(u.x, u.y));
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    if (!rect || !IsWindow(dialog)) return FALSE;
    const BaseUnits u = is_dialog(dialog) ? dialog_state(dialog)->units : desktop_units();
    rect->left = mul_div(rect->left, u.x, 4);
    rect->right = mul_div(rect->right, u.x, 4);
    rect->top = mul_div(rect->top, u.y, 8);
    rect->bottom = mul_div(rect->bottom, u.y, 8);
    return TRUE;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, message, wparam, lparam) : 0;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    if (buffer && size > 0) buffer[0] = '\0';
    HWND control = GetDlgItem(dialog, id);
    if (!control) return 0;
    return static_cast<UINT>(GetWindowTextA(control, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
    char text[32];
    if (is_signed) {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    } else {
        std::snprintf(text, sizeof text, "%u", value);
    }
    return SetDlgItemTextA(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
    if (translated) *translated = FALSE;
    char text[64] = {};
    if (!GetDlgItem(dialog, id)) return 0;
    GetDlgItemTextA(dialog, id, text, sizeof text);
    const char* p = text;
    while (*p == ' ') ++p;
    bool negative = false;
    if (is_signed && (*p == '-' || *p == '+')) negative = *p++ == '-';
    if (*p < '0' || *p > '9') return 0;
    unsigned long long value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + static_cast<unsigned>(*p++ - '0');
        if (value > 0xFFFFFFFFull) return 0;
    }
    while (*p == ' ') ++p;
    if (*p) return 0;
    if (is_signed) {
        long long v = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
        if (v < -2147483648LL || v > 2147483647LL) return 0;
        if (translated) *translated = TRUE;
        return static_cast<UINT>(static_cast<int>(v));
    }
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    SendMessageA(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id) {
    if (!IsWindow(dialog)) return FALSE;
    for (int id = first_id; id <= last_id; ++id) {
        if (HWND control = GetDlgItem(dialog, id)) {
            SendMessageA(control, BM_SETCHECK, id == check_id ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> all;
    tab_order(dialog, &all);
    std::vector<HWND> stops;
    for (HWND c : all) {
        WindowRecord* w = find_window(c);
        if (w && (w->style & WS_TABSTOP) && can_take_focus(c)) stops.push_back(c);
    }
    if (stops.empty()) return control;
    auto at = std::find(all.begin(), all.end(), control);
    if (!control || at == all.end()) return previous ? stops.back() : stops.front();
    // Walk the whole order from the control, so that a control that is not a
    // tab stop itself still finds its neighbours.
    size_t n = all.size();
    size_t start = static_cast<size_t>(at - all.begin());
    for (size_t step = 1; step <= n; ++step) {
        size_t i = previous ? (start + n - step) % n : (start + step) % n;
        if (std::find(stops.begin(), stops.end(), all[i]) != stops.end()) return all[i];
    }
    return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!control) {
        std::vector<HWND> all;
        tab_order(dialog, &all);
        for (HWND c : all) {
            if (can_take_focus(c)) return c;
        }
        return nullptr;
    }
    std::vector<HWND> group = group_of(control);
    auto at = std::find(group.begin(), group.end(), control);
    if (at == group.end()) return control;
    size_t n = group.size(), start = static_cast<size_t>(at - group.begin());
    for (size_t step = 1; step <= n; ++step) {
        size_t i = previous ? (start + n - step) % n : (start + step) % n;
        if (can_take_focus(group[i])) return group[i];
    }
    return control;
}
