// The predefined controls: their registration (on first use of the class
// name), what they share, and the button and static controls.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/user/controls_internal.h"

namespace platform_user {

namespace {

struct PredefinedClass {
    const char* name;
    WNDPROC proc;
    UINT style;
    ControlKind kind;
    HCURSOR (*cursor)();
};

HCURSOR arrow_cursor() {
    return LoadCursorA(nullptr, IDC_ARROW);
}

HCURSOR beam_cursor() {
    return LoadCursorA(nullptr, IDC_IBEAM);
}

const PredefinedClass predefined[] = {
    {"BUTTON", button_proc, CS_DBLCLKS | CS_PARENTDC, ControlKind::button, arrow_cursor},
    {"EDIT", edit_proc, CS_DBLCLKS | CS_PARENTDC, ControlKind::edit, beam_cursor},
    {"STATIC", static_proc, CS_DBLCLKS | CS_PARENTDC, ControlKind::static_text, arrow_cursor},
    {"LISTBOX", listbox_proc, CS_DBLCLKS | CS_PARENTDC, ControlKind::listbox, arrow_cursor},
    {"COMBOBOX", combobox_proc, CS_DBLCLKS | CS_PARENTDC, ControlKind::combobox, arrow_cursor},
    {"SCROLLBAR", scrollbar_proc, CS_DBLCLKS | CS_PARENTDC, ControlKind::scrollbar, arrow_cursor},
    {STATUSCLASSNAMEA, status_proc, CS_DBLCLKS, ControlKind::status_bar, arrow_cursor},
    {UPDOWN_CLASSA, updown_proc, 0, ControlKind::updown, arrow_cursor},
    {WC_LISTVIEWA, listview_proc, CS_DBLCLKS, ControlKind::listview, arrow_cursor},
};

}  // namespace

bool register_predefined_class(LPCSTR name) {
    if (!name) return false;
    if (IS_INTRESOURCE(name)) {
        if (name != WC_DIALOG) return false;
        register_dialog_class();
        return true;
    }
    std::string upper = upper_ascii(name);
    if (upper == "#32770") {
        register_dialog_class();
        return true;
    }
    for (const PredefinedClass& p : predefined) {
        if (upper != upper_ascii(p.name)) continue;
        WNDCLASSA wc{};
        wc.style = p.style;
        wc.lpfnWndProc = p.proc;
        wc.hCursor = p.cursor();
        wc.lpszClassName = p.name;
        return RegisterClassA(&wc) != 0;
    }
    return false;
}

ControlKind control_kind(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return ControlKind::none;
    std::string upper = upper_ascii(w->cls->name.c_str());
    if (upper == "#32770") return ControlKind::dialog;
    for (const PredefinedClass& p : predefined) {
        if (upper == upper_ascii(p.name)) return p.kind;
    }
    return w->dialog ? ControlKind::dialog : ControlKind::none;
}

const char* control_kind_name(ControlKind kind) {
    switch (kind) {
    case ControlKind::button:
        return "button";
    case ControlKind::edit:
        return "edit";
    case ControlKind::static_text:
        return "static";
    case ControlKind::listbox:
        return "list box";
    case ControlKind::combobox:
        return "combo box";
    case ControlKind::scrollbar:
        return "scroll bar";
    case ControlKind::status_bar:
        return "status bar";
    case ControlKind::updown:
        return "up-down control";
    case ControlKind::listview:
        return "list view";
    case ControlKind::dialog:
        return "dialog";
    case ControlKind::none:
        break;
    }
    return "window";
}

void notify_command(HWND control, WORD code) {
    WindowRecord* w = find_window(control);
    if (!w || !(w->style & WS_CHILD)) return;
    send_message(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(control));
}

LRESULT notify_parent(HWND control, UINT code, NMHDR* header) {
    WindowRecord* w = find_window(control);
    if (!w || !(w->style & WS_CHILD)) return 0;
    header->hwndFrom = control;
    header->idFrom = w->id;
    header->code = code;
    return send_message(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(header));
}

HBRUSH control_brush(HWND control, HDC dc, UINT ctlcolor_message) {
    WindowRecord* w = find_window(control);
    HBRUSH brush = nullptr;
    if (w && (w->style & WS_CHILD) && find_window(w->parent)) {
        brush = reinterpret_cast<HBRUSH>(send_message(w->parent, ctlcolor_message, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(control)));
    }
    if (!brush) {
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProcA(control, ctlcolor_message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    }
    // A parent may answer with a system colour index brush, as for classes.
    uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= COLOR_INFOBK + 1) brush = GetSysColorBrush(static_cast<int>(value - 1));
    return brush;
}

HFONT control_font(HWND control) {
    WindowRecord* w = find_window(control);
    if (w && w->font) return w->font;
    return GetStockObject(DEFAULT_GUI_FONT);
}

int font_line_height(HWND control) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, control_font(control));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return std::max(1, static_cast<int>(tm.tmHeight));
}

void fill_solid(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void draw_frame_3d(HDC dc, RECT r, bool sunken) {
    if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
    COLORREF light = sys_color(COLOR_BTNHIGHLIGHT), dark = sys_color(COLOR_BTNSHADOW);
    COLORREF top_left = sunken ? dark : light, bottom_right = sunken ? light : dark;
    fill_solid(dc, RECT{r.left, r.top, r.right, r.top + 1}, top_left);
    fill_solid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, top_left);
    fill_solid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
    fill_solid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

// One pixel in two of the frame's line, so that it shows on any background.
void invert_dotted(HDC dc, const RECT& r) {
    for (LONG x = r.left; x < r.right; ++x) {
        for (LONG y : {r.top, r.bottom - 1}) {
            if ((x + y) % 2 != 0 || (y == r.bottom - 1 && r.bottom - 1 == r.top)) continue;
            const RECT dot{x, y, x + 1, y + 1};
            InvertRect(dc, &dot);
        }
    }
    for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
        for (LONG x : {r.left, r.right - 1}) {
            if ((x + y) % 2 != 0 || (x == r.right - 1 && r.right - 1 == r.left)) continue;
            const RECT dot{x, y, x + 1, y + 1};
            InvertRect(dc, &dot);
        }
    }
}

void draw_arrow(HDC dc, RECT box, ArrowDirection direction, bool disabled) {
    POINT corners[3];
    arrow_triangle(box, direction, corners);
    HBRUSH brush = CreateSolidBrush(sys_color(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    HPEN pen = CreatePen(PS_SOLID, 1, sys_color(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    Polygon(dc, corners, 3);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void draw_text_line(HDC dc, int x, int y, const std::string& text) {
    if (!text.empty()) TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

int text_width(HDC dc, const std::string& text) {
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

std::string without_mnemonics(const std::string& text) {
    return mnemonic_of(text, false).label;
}

Mnemonic mnemonic_of(const std::string& text, bool menu_item) {
    Mnemonic m;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (is_sjis_lead_byte(c) && i + 1 < text.size()) {
            m.label += text[i];
            m.label += text[++i];
            continue;
        }
        if (menu_item && c == '\t') break;
        if (c != '&') {
            m.label += text[i];
            continue;
        }
        if (i + 1 >= text.size()) break;
        if (text[i + 1] == '&') {
            m.label += text[++i];
            continue;
        }
        if (m.at == std::string::npos) {
            // the first marker underlines; a later one is dropped
            const unsigned char next = static_cast<unsigned char>(text[i + 1]);
            m.at = m.label.size();
            m.length = is_sjis_lead_byte(next) && i + 2 < text.size() ? 2 : 1;
            if (std::isalnum(next) && next < 0x80) m.key = static_cast<char>(std::toupper(next));
        }
    }
    return m;
}

void underline_mnemonic(HDC dc, int x, int y, const Mnemonic& m, COLORREF colour) {
    if (m.at == std::string::npos || m.at + m.length > m.label.size()) return;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int from = x + text_width(dc, m.label.substr(0, m.at));
    const int across = std::max(1, text_width(dc, m.label.substr(m.at, m.length)));
    fill_solid(dc, RECT{from, y + tm.tmAscent + 1, from + across, y + tm.tmAscent + 2}, colour);
}

size_t previous_char(const std::string& text, size_t at) {
    if (at == 0) return 0;
    size_t i = 0, last = 0;
    while (i < at) {
        last = i;
        i += (is_sjis_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return last;
}

size_t next_char(const std::string& text, size_t at) {
    if (at >= text.size()) return text.size();
    return std::min(text.size(), at + ((is_sjis_lead_byte(static_cast<unsigned char>(text[at])) ? 2 : 1)));
}

int compare_ignoring_case(const std::string& a, const std::string& b) {
    std::string x = upper_ascii(a.c_str()), y = upper_ascii(b.c_str());
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace platform_user

// --- Buttons ---------------------------------------------------------------------

namespace platform_user {

namespace {

struct ButtonState : ExtraState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;   // drawn pressed: the mouse or the space bar holds it
    bool focused = false;
    bool tracking = false;  // the mouse went down on it
    bool space_down = false;
};

ButtonState* button_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<ButtonState>();
    return dynamic_cast<ButtonState*>(w->control.get());
}

DWORD button_type(HWND window) {
    WindowRecord* w = find_window(window);
    return w ? (w->style & BS_TYPEMASK) : 0;
}

bool is_push(DWORD type) {
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

bool is_radio(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool is_check(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

void send_draw_item(HWND window, HDC dc, UINT action) {
    WindowRecord* w = find_window(window);
    ButtonState* b = button_state(window);
    if (!w || !b) return;
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(w->id);
    dis.itemAction = action;
    if (b->pushed) dis.itemState |= ODS_SELECTED;
    if (b->focused) dis.itemState |= ODS_FOCUS;
    if (w->style & WS_DISABLED) dis.itemState |= ODS_DISABLED;
    dis.hwndItem = window;
    dis.hDC = dc;
    GetClientRect(window, &dis.rcItem);
    if (w->style & WS_CHILD) send_message(w->parent, WM_DRAWITEM, w->id, reinterpret_cast<LPARAM>(&dis));
}

void paint_button(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    ButtonState* b = button_state(window);
    if (!w || !b) return;
    DWORD type = w->style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) {
        send_draw_item(window, dc, ODA_DRAWENTIRE);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    HGDIOBJ old_font = SelectObject(dc, control_font(window));
    bool disabled = (w->style & WS_DISABLED) != 0;
    const ControlTextLayout text = control_text_layout(window, dc);
    const std::string label = text.lines.empty() ? std::string() : text.lines.front();
    SetBkMode(dc, TRANSPARENT);
    if (is_push(type)) {
        fill_solid(dc, client, sys_color(COLOR_BTNFACE));
        RECT edge = client;
        bool is_default = type == BS_DEFPUSHBUTTON;
        if (is_default) {
            HBRUSH black = GetStockObject(BLACK_BRUSH);
            FrameRect(dc, &edge, black);
            InflateRect(&edge, -1, -1);
        }
        draw_frame_3d(dc, edge, b->pushed);
        SetTextColor(dc, sys_color(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        int shift = b->pushed ? 1 : 0;
        draw_text_line(dc, text.x + shift, text.y + shift, label);
        underline_mnemonic(dc, text.x + shift, text.y + shift, mnemonic_of(w->text, false),
                           sys_color(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        if (b->focused) {
            RECT focus = client;
            InflateRect(&focus, -4, -4);
            DrawFocusRect(dc, &focus);
        }
    } else if (type == BS_GROUPBOX) {
        HBRUSH brush = control_brush(window, dc, WM_CTLCOLORSTATIC);
        int top = text.line_height / 2;
        RECT frame{client.left, client.top + top, client.right, client.bottom};
        draw_frame_3d(dc, frame, true);
        InflateRect(&frame, -1, -1);
        draw_frame_3d(dc, frame, false);
        if (!label.empty()) {
            RECT behind{text.x - 2, 0, std::min(text.room.right, text.x + text_width(dc, label) + 2), text.line_height};
            FillRect(dc, &behind, brush);
            SetTextColor(dc, sys_color(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            draw_text_line(dc, text.x, text.y, label);
        }
    } else {
        HBRUSH brush = control_brush(window, dc, WM_CTLCOLORBTN);
        FillRect(dc, &client, brush);
        int box = kCheckBoxSize;
        int y = (client.bottom - box) / 2;
        bool left_text = (w->style & BS_LEFTTEXT) != 0;
        int bx = left_text ? client.right - box : 0;
        RECT r{bx, y, bx + box, y + box};
        HBRUSH white = GetStockObject(WHITE_BRUSH);
        HPEN pen = CreatePen(PS_SOLID, 1, sys_color(COLOR_BTNSHADOW));
        HGDIOBJ old_pen = SelectObject(dc, pen);
        HGDIOBJ old_brush = SelectObject(dc, b->pushed ? GetSysColorBrush(COLOR_BTNFACE) : white);
        if (is_radio(type)) {
            Ellipse(dc, r.left, r.top, r.right, r.bottom);
            if (b->check == BST_CHECKED) {
                SelectObject(dc, GetStockObject(BLACK_BRUSH));
                Ellipse(dc, r.left + 4, r.top + 4, r.right - 4, r.bottom - 4);
            }
        } else {
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
            if (b->check != BST_UNCHECKED) {
                HPEN mark = CreatePen(PS_SOLID, 2, b->check == BST_CHECKED ? RGB(0, 0, 0) : sys_color(COLOR_GRAYTEXT));
                SelectObject(dc, mark);
                MoveToEx(dc, r.left + 3, r.top + 6, nullptr);
                LineTo(dc, r.left + 5, r.top + 9);
                LineTo(dc, r.left + 10, r.top + 3);
                SelectObject(dc, pen);
                DeleteObject(mark);
            }
        }
        SelectObject(dc, old_brush);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
        SetTextColor(dc, sys_color(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        draw_text_line(dc, text.x, text.y, label);
        underline_mnemonic(dc, text.x, text.y, mnemonic_of(w->text, false),
                           sys_color(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        if (b->focused) {
            // round the label, or the whole control where it has none
            RECT focus = client;
            if (!label.empty()) {
                focus = RECT{text.x - 2, text.y - 1, text.x + text_width(dc, label) + 2, text.y + text.line_height + 1};
                IntersectRect(&focus, &focus, &client);
            }
            DrawFocusRect(dc, &focus);
        }
    }
    SelectObject(dc, old_font);
}

void redraw(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
}

void set_pushed(HWND window, bool pushed) {
    ButtonState* b = button_state(window);
    if (!b || b->pushed == pushed) return;
    b->pushed = pushed;
    if (button_type(window) == BS_OWNERDRAW) {
        HDC dc = GetDC(window);
        send_draw_item(window, dc, ODA_SELECT);
        ReleaseDC(window, dc);
        return;
    }
    redraw(window);
}

// The end of a click: auto buttons change their state, then the parent hears.
void clicked(HWND window) {
    WindowRecord* w = find_window(window);
    ButtonState* b = button_state(window);
    if (!w || !b) return;
    DWORD type = w->style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) {
        send_message(window, BM_SETCHECK, b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (type == BS_AUTO3STATE) {
        send_message(window, BM_SETCHECK, (b->check + 1) % 3, 0);
    } else if (type == BS_AUTORADIOBUTTON) {
        // The other auto radio buttons of the group go off.
        for (HWND item : group_of(window)) {
            if (item != window && control_kind(item) == ControlKind::button && button_type(item) == BS_AUTORADIOBUTTON) {
                send_message(item, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        send_message(window, BM_SETCHECK, BST_CHECKED, 0);
    }
    notify_command(window, BN_CLICKED);
}

}  // namespace

LRESULT button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    ButtonState* b = button_state(window);
    if (!w || !b) return 0;
    DWORD type = w->style & BS_TYPEMASK;
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_button, &shared)) return shared;
    switch (message) {
    case WM_SETTEXT:
        DefWindowProcA(window, message, wparam, lparam);
        redraw(window);
        return TRUE;
    case WM_GETDLGCODE:
        if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        // An owner-drawn button is no push button to the dialog manager: Enter on it presses the default.
        if (type == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (is_radio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (type == BS_GROUPBOX) return DLGC_STATIC;
        return DLGC_BUTTON;
    case WM_SETFOCUS:
        b->focused = true;
        redraw(window);
        if (w->style & BS_NOTIFY) notify_command(window, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        b->focused = false;
        b->space_down = false;
        if (b->pushed) set_pushed(window, false);
        redraw(window);
        if (w->style & BS_NOTIFY) notify_command(window, BN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (type == BS_GROUPBOX) return 0;
        if (message == WM_LBUTTONDBLCLK && (w->style & BS_NOTIFY)) {
            notify_command(window, BN_DOUBLECLICKED);
            return 0;
        }
        SetFocus(window);
        if (!find_window(window)) return 0;
        SetCapture(window);
        b = button_state(window);
        if (b) b->tracking = true;
        set_pushed(window, true);
        return 0;
    case WM_MOUSEMOVE:
        if (b->tracking && GetCapture() == window) {
            RECT client;
            GetClientRect(window, &client);
            POINT p{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                    static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
            set_pushed(window, PtInRect(&client, p) != FALSE);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!b->tracking) return 0;
        b->tracking = false;
        RECT client;
        GetClientRect(window, &client);
        POINT p{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
        bool inside = PtInRect(&client, p) != FALSE;
        set_pushed(window, false);
        if (GetCapture() == window) ReleaseCapture();
        if (inside && find_window(window)) clicked(window);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (b->tracking && reinterpret_cast<HWND>(lparam) != window) {
            b->tracking = false;
            set_pushed(window, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_SPACE && type != BS_GROUPBOX) {
            b->space_down = true;
            set_pushed(window, true);
        }
        return 0;
    case WM_KEYUP:
        if (wparam == VK_SPACE && b->space_down) {
            b->space_down = false;
            set_pushed(window, false);
            clicked(window);
        }
        return 0;
    case WM_CHAR:
        return 0;
    case BM_GETCHECK:
        return is_check(type) || is_radio(type) ? static_cast<LRESULT>(b->check) : 0;
    case BM_SETCHECK: {
        if (!is_check(type) && !is_radio(type)) return 0;
        UINT value = static_cast<UINT>(wparam);
        if (value > BST_INDETERMINATE || (value == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)) {
            value = value ? BST_CHECKED : BST_UNCHECKED;
        }
        if (b->check != value) {
            b->check = value;
            redraw(window);
        }
        // A checked radio button takes the tab stop of its group.
        if (is_radio(type)) {
            if (value == BST_CHECKED) w->style |= WS_TABSTOP;
            else w->style &= ~WS_TABSTOP;
        }
        return 0;
    }
    case BM_GETSTATE:
        return static_cast<LRESULT>(b->check | (b->pushed ? static_cast<UINT>(BST_PUSHED) : 0u) |
                                    (b->focused ? static_cast<UINT>(BST_FOCUS) : 0u));
    case BM_SETSTATE:
        set_pushed(window, wparam != 0);
        return 0;
    case BM_SETSTYLE:
        w->style = (w->style & ~0xFFFFu) | (static_cast<DWORD>(wparam) & 0xFFFFu);
        if (LOWORD(static_cast<uintptr_t>(lparam))) redraw(window);
        return 0;
    case BM_CLICK:
        if (w->style & WS_DISABLED) return 0;
        set_pushed(window, true);
        set_pushed(window, false);
        clicked(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

// --- Statics ------------------------------------------------------------------------

namespace {

// Cuts a text into lines that fit `width` pixels, breaking after blanks
// where it can and between double-byte characters anywhere.
std::vector<std::string> wrap_text(HDC dc, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string rest = text;
    size_t start = 0;
    while (start <= text.size()) {
        size_t newline = text.find('\n', start);
        std::string para = text.substr(start, newline == std::string::npos ? std::string::npos : newline - start);
        if (!para.empty() && para.back() == '\r') para.pop_back();
        while (true) {
            if (text_width(dc, para) <= width || para.size() <= 1) {
                lines.push_back(para);
                break;
            }
            size_t fit = 0, blank = std::string::npos;
            for (size_t i = 0; i < para.size(); i = next_char(para, i)) {
                size_t end = next_char(para, i);
                if (text_width(dc, para.substr(0, end)) > width) break;
                fit = end;
                if (para[i] == ' ') blank = end;
            }
            if (fit == 0) fit = next_char(para, 0);
            size_t cut = (blank != std::string::npos && blank > 0) ? blank : fit;
            lines.push_back(para.substr(0, cut));
            para = para.substr(cut);
            while (!para.empty() && para[0] == ' ') para.erase(0, 1);
            if (para.empty()) break;
        }
        if (newline == std::string::npos) break;
        start = newline + 1;
    }
    return lines;
}

void paint_static(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    RECT client;
    GetClientRect(window, &client);
    DWORD type = w->style & SS_TYPEMASK;
    switch (type) {
    case SS_BLACKRECT:
        fill_solid(dc, client, sys_color(COLOR_WINDOWFRAME));
        return;
    case SS_GRAYRECT:
        fill_solid(dc, client, sys_color(COLOR_BTNSHADOW));
        return;
    case SS_WHITERECT:
        fill_solid(dc, client, sys_color(COLOR_WINDOW));
        return;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
        COLORREF c = type == SS_BLACKFRAME ? sys_color(COLOR_WINDOWFRAME)
                                            : sys_color(type == SS_GRAYFRAME ? COLOR_BTNSHADOW : COLOR_WINDOW);
        HBRUSH brush = CreateSolidBrush(c);
        FrameRect(dc, &client, brush);
        DeleteObject(brush);
        return;
    }
    case SS_ETCHEDHORZ:
        draw_frame_3d(dc, RECT{client.left, client.top, client.right, client.top + 2}, true);
        return;
    case SS_ETCHEDVERT:
        draw_frame_3d(dc, RECT{client.left, client.top, client.left + 2, client.bottom}, true);
        return;
    case SS_ETCHEDFRAME: {
        draw_frame_3d(dc, client, true);
        RECT inner = client;
        InflateRect(&inner, -1, -1);
        draw_frame_3d(dc, inner, false);
        return;
    }
    case SS_OWNERDRAW: {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_STATIC;
        dis.CtlID = static_cast<UINT>(w->id);
        dis.itemAction = ODA_DRAWENTIRE;
        if (w->style & WS_DISABLED) dis.itemState |= ODS_DISABLED;
        dis.hwndItem = window;
        dis.hDC = dc;
        dis.rcItem = client;
        if (w->style & WS_CHILD) send_message(w->parent, WM_DRAWITEM, w->id, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    case SS_ICON:
        // the system's own icons; a program's icon shows nothing here
        FillRect(dc, &client, control_brush(window, dc, WM_CTLCOLORSTATIC));
        draw_system_icon(dc, 0, 0, reinterpret_cast<HICON>(w->user_data));
        return;
    case SS_BITMAP:
        return;
    default:
        break;
    }
    HBRUSH brush = control_brush(window, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, brush);
    HGDIOBJ old_font = SelectObject(dc, control_font(window));
    SetBkMode(dc, TRANSPARENT);
    if (w->style & WS_DISABLED) SetTextColor(dc, sys_color(COLOR_GRAYTEXT));
    const ControlTextLayout text = control_text_layout(window, dc);
    int y = text.y;
    for (const std::string& l : text.lines) {
        int x = text.room.left;
        if (type == SS_CENTER) x = (client.right - text_width(dc, l)) / 2;
        if (type == SS_RIGHT) x = client.right - text_width(dc, l);
        draw_text_line(dc, x, y, l);
        // a label's mnemonic, when the label is one line
        if (text.lines.size() == 1 && !(w->style & SS_NOPREFIX)) {
            underline_mnemonic(dc, x, y, mnemonic_of(w->text, false), GetTextColor(dc));
        }
        y += text.line_height;
        if (y >= client.bottom) break;
    }
    SelectObject(dc, old_font);
}

}  // namespace

ControlTextLayout control_text_layout(HWND control, HDC dc) {
    ControlTextLayout out;
    WindowRecord* w = find_window(control);
    if (!w) return out;
    RECT client;
    GetClientRect(control, &client);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    out.line_height = std::max(1, static_cast<int>(tm.tmHeight));
    out.room = client;
    const ControlKind kind = control_kind(control);
    if (kind == ControlKind::button) {
        const DWORD type = w->style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW) return out;
        const std::string label = without_mnemonics(w->text);
        out.has_text = !label.empty();
        out.lines.push_back(label);
        const int width = text_width(dc, label);
        if (is_push(type)) {
            // inside the two-pixel edge (and the default button's black line)
            InflateRect(&out.room, -3, -2);
            out.x = (client.right - width) / 2;
            out.y = (client.bottom - out.line_height) / 2;
        } else if (type == BS_GROUPBOX) {
            // in the top line of the frame, from its corner
            out.room = RECT{kGroupTextInset, 0, client.right - kGroupTextInset, out.line_height};
            out.x = kGroupTextInset + 2;
            out.y = 0;
        } else {
            // beside the box: on the left of it with BS_LEFTTEXT
            const int beside = kCheckBoxSize + kCheckBoxGap;
            if (w->style & BS_LEFTTEXT) {
                out.room.right -= beside;
            } else {
                out.room.left += beside;
            }
            out.x = out.room.left;
            out.y = (client.bottom - out.line_height) / 2;
        }
        return out;
    }
    if (kind != ControlKind::static_text) return out;
    const DWORD type = w->style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP) {
        return out;
    }
    const std::string text = (w->style & SS_NOPREFIX) ? w->text : without_mnemonics(w->text);
    out.has_text = !text.empty();
    out.wraps = type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP;
    if (out.wraps) {
        out.lines = wrap_text(dc, text, client.right - client.left);
    } else {
        out.lines.push_back(text);
    }
    out.x = client.left;
    out.y = 0;
    if (w->style & SS_CENTERIMAGE) out.y = (client.bottom - out.line_height * static_cast<int>(out.lines.size())) / 2;
    return out;
}

std::string text_that_does_not_fit(HWND control) {
    WindowRecord* w = find_window(control);
    if (!w || !(w->style & WS_VISIBLE)) return {};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, control_font(control));
    const ControlTextLayout text = control_text_layout(control, dc);
    int widest = 0;
    for (const std::string& line : text.lines) widest = std::max(widest, text_width(dc, line));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (!text.has_text) return {};
    const int room_width = text.room.right - text.room.left;
    const int room_height = text.room.bottom - text.room.top;
    const int height = text.line_height * static_cast<int>(text.lines.size());
    if (widest <= room_width && height <= room_height) return {};
    return "needs " + std::to_string(widest) + " x " + std::to_string(height) + " pixels, has " +
           std::to_string(room_width) + " x " + std::to_string(room_height);
}

LRESULT static_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_static, &shared)) return shared;
    switch (message) {
    case WM_SETTEXT:
        DefWindowProcA(window, message, wparam, lparam);
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_LBUTTONDOWN:
        if (w->style & SS_NOTIFY) notify_command(window, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (w->style & SS_NOTIFY) notify_command(window, STN_DBLCLK);
        return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
        LONG_PTR previous = w->user_data;
        w->user_data = static_cast<LONG_PTR>(message == STM_SETICON ? wparam : static_cast<WPARAM>(lparam));
        return previous;
    }
    case STM_GETIMAGE:
    case STM_GETICON:
        return w->user_data;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

bool handle_shared_control_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   void (*paint)(HWND, HDC), LRESULT* result) {
    WindowRecord* w = find_window(window);
    if (!w) return false;
    *result = 0;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        paint(window, dc);
        EndPaint(window, &ps);
        return true;
    }
    case WM_ERASEBKGND:
        *result = 1;  // the paint routine fills the whole control
        return true;
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wparam);
        if (LOWORD(static_cast<uintptr_t>(lparam))) InvalidateRect(window, nullptr, TRUE);
        return true;
    case WM_GETFONT:
        *result = reinterpret_cast<LRESULT>(w->font);
        return true;
    case WM_ENABLE:
        InvalidateRect(window, nullptr, TRUE);
        return true;
    default:
        return false;
    }
}

}  // namespace platform_user

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!dc || !rect || rect->right <= rect->left || rect->bottom <= rect->top) return FALSE;
    platform_user::invert_dotted(dc, *rect);
    return TRUE;
}
