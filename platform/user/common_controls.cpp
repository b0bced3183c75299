// The common controls: status bar, up-down control and report list view.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/user/controls_internal.h"

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return init ? TRUE : FALSE;
}

namespace platform_user {

namespace {

constexpr int kStatusHeight = 19;
constexpr int kRowHeight = 16;
constexpr int kHeaderHeight = 20;

// --- Status bar ----------------------------------------------------------------------

struct StatusPart {
    std::string text;
    WPARAM kind = 0;  // SBT_ drawing type
};

struct StatusState : ExtraState {
    std::vector<int> rights{-1};  // right edges; -1 runs to the end
    std::vector<StatusPart> parts{StatusPart{}};
};

StatusState* status_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<StatusState>();
    return dynamic_cast<StatusState*>(w->control.get());
}

void place_status_bar(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w || !(w->style & WS_CHILD) || (w->style & CCS_NORESIZE)) return;
    RECT parent;
    if (!GetClientRect(w->parent, &parent)) return;
    RECT want{0, parent.bottom - kStatusHeight, parent.right, parent.bottom};
    if ((w->style & 0x3) == CCS_TOP) want = RECT{0, 0, parent.right, kStatusHeight};
    if (EqualRect(&want, &w->rect)) return;
    SetWindowPos(window, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT status_part_rect(HWND window, const StatusState& s, size_t part) {
    RECT client;
    GetClientRect(window, &client);
    int left = part == 0 ? 0 : s.rights[part - 1] + 2;
    int right = s.rights[part] < 0 ? client.right : s.rights[part];
    return RECT{left, 2, std::min(right, static_cast<int>(client.right)), client.bottom};
}

void paint_status(HWND window, HDC dc) {
    StatusState* s = status_state(window);
    if (!s) return;
    RECT client;
    GetClientRect(window, &client);
    fill_solid(dc, client, sys_color(COLOR_BTNFACE));
    HGDIOBJ old_font = SelectObject(dc, control_font(window));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, sys_color(COLOR_BTNTEXT));
    for (size_t i = 0; i < s->parts.size(); ++i) {
        RECT r = status_part_rect(window, *s, i);
        if (!(s->parts[i].kind & SBT_NOBORDERS)) draw_frame_3d(dc, r, !(s->parts[i].kind & SBT_POPOUT));
        draw_text_line(dc, r.left + 3, r.top + 2, s->parts[i].text);
    }
    SelectObject(dc, old_font);
}

}  // namespace

LRESULT status_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    StatusState* s = status_state(window);
    if (!w || !s) return 0;
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_status, &shared)) return shared;
    switch (message) {
    case WM_CREATE:
        s->parts[0].text = w->text;
        place_status_bar(window);
        return 0;
    case WM_SIZE:
        place_status_bar(window);
        return 0;
    case WM_SETTEXT:
        DefWindowProcA(window, message, wparam, lparam);
        s->parts[0].text = w->text;
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    case SB_SETTEXTA: {
        size_t part = wparam & 0xFF;
        if (part == 255) part = 0;  // simple mode's one part
        if (part >= s->parts.size()) return FALSE;
        s->parts[part].text = lparam ? reinterpret_cast<const char*>(lparam) : "";
        s->parts[part].kind = wparam & 0xFF00;
        if (part == 0) w->text = s->parts[0].text;
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case SB_GETTEXTA: {
        size_t part = wparam & 0xFF;
        if (part >= s->parts.size()) return 0;
        const StatusPart& p = s->parts[part];
        if (lparam) std::memcpy(reinterpret_cast<char*>(lparam), p.text.c_str(), p.text.size() + 1);
        return MAKELPARAM(static_cast<WORD>(p.text.size()), static_cast<WORD>(p.kind));
    }
    case SB_GETTEXTLENGTHA: {
        size_t part = wparam & 0xFF;
        if (part >= s->parts.size()) return 0;
        const StatusPart& p = s->parts[part];
        return MAKELPARAM(static_cast<WORD>(p.text.size()), static_cast<WORD>(p.kind));
    }
    case SB_SETPARTS: {
        int count = static_cast<int>(wparam);
        if (count < 1 || count > 256 || !lparam) return FALSE;
        const int* rights = reinterpret_cast<const int*>(lparam);
        s->rights.assign(rights, rights + count);
        s->parts.resize(static_cast<size_t>(count));
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case SB_GETPARTS: {
        int count = static_cast<int>(s->rights.size());
        int* out = reinterpret_cast<int*>(lparam);
        for (int i = 0; out && i < count && i < static_cast<int>(wparam); ++i) out[i] = s->rights[static_cast<size_t>(i)];
        return count;
    }
    case SB_GETRECT: {
        if (wparam >= s->parts.size() || !lparam) return FALSE;
        *reinterpret_cast<RECT*>(lparam) = status_part_rect(window, *s, wparam);
        return TRUE;
    }
    case SB_GETBORDERS: {
        int* out = reinterpret_cast<int*>(lparam);
        if (!out) return FALSE;
        out[0] = 0;
        out[1] = 2;
        out[2] = 2;
        return TRUE;
    }
    case SB_SETMINHEIGHT:
    case SB_SIMPLE:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

std::string status_bar_text(HWND bar, int part) {
    if (control_kind(bar) != ControlKind::status_bar) return {};
    StatusState* s = status_state(bar);
    if (!s || part < 0 || part >= static_cast<int>(s->parts.size())) return {};
    return s->parts[static_cast<size_t>(part)].text;
}

HWND find_status_bar(HWND root) {
    WindowRecord* w = find_window(root);
    if (!w) return nullptr;
    for (HWND child : w->children) {
        if (control_kind(child) == ControlKind::status_bar) return child;
    }
    for (HWND child : w->children) {
        if (HWND found = find_status_bar(child)) return found;
    }
    return nullptr;
}

// --- Up-down control ---------------------------------------------------------------------

namespace {

struct UpDownState : ExtraState {
    int upper = 0;
    int lower = 100;
    int pos = 0;
    HWND buddy = nullptr;
    bool pressed_up = false;
    bool pressed_down = false;
};

UpDownState* updown_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<UpDownState>();
    return dynamic_cast<UpDownState*>(w->control.get());
}

int clamp_to_range(const UpDownState& u, int value) {
    return std::clamp(value, std::min(u.lower, u.upper), std::max(u.lower, u.upper));
}

void write_buddy(HWND window) {
    WindowRecord* w = find_window(window);
    UpDownState* u = updown_state(window);
    if (!w || !u || !(w->style & UDS_SETBUDDYINT) || !IsWindow(u->buddy)) return;
    char text[32];
    std::snprintf(text, sizeof text, "%d", u->pos);
    SetWindowTextA(u->buddy, text);
}

// The position as the buddy's text says; false when it is not a number.
bool read_buddy(HWND window, int* value) {
    WindowRecord* w = find_window(window);
    UpDownState* u = updown_state(window);
    if (!w || !u || !(w->style & UDS_SETBUDDYINT) || !IsWindow(u->buddy)) {
        *value = u ? u->pos : 0;
        return true;
    }
    char text[64] = {};
    GetWindowTextA(u->buddy, text, sizeof text);
    std::string digits;
    for (const char* p = text; *p; ++p) {
        if (*p == ',' && !(w->style & UDS_NOTHOUSANDS)) continue;
        if (*p != ' ') digits += *p;
    }
    char* end = nullptr;
    long v = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || (end && *end)) {
        *value = u->pos;
        return false;
    }
    *value = static_cast<int>(v);
    return true;
}

void attach_buddy(HWND window, HWND buddy) {
    WindowRecord* w = find_window(window);
    UpDownState* u = updown_state(window);
    if (!w || !u) return;
    u->buddy = buddy;
    WindowRecord* b = find_window(buddy);
    if (!b || !(w->style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
    // The buddy gives up the width the control takes beside it.
    int width = w->rect.right - w->rect.left;
    if (width <= 0) width = GetSystemMetrics(SM_CXVSCROLL);
    RECT br = b->rect;
    int height = br.bottom - br.top;
    if (w->style & UDS_ALIGNRIGHT) {
        SetWindowPos(buddy, nullptr, br.left, br.top, (br.right - br.left) - width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(window, nullptr, br.right - width, br.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(buddy, nullptr, br.left + width, br.top, (br.right - br.left) - width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(window, nullptr, br.left, br.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// One step as a click on an arrow gives: UDN_DELTAPOS (which the parent may
// refuse), the new position in the buddy, then WM_VSCROLL (WM_HSCROLL).
void step(HWND window, bool up) {
    WindowRecord* w = find_window(window);
    UpDownState* u = updown_state(window);
    if (!w || !u) return;
    int current = u->pos;
    read_buddy(window, &current);
    int delta = (u->upper >= u->lower) ? (up ? 1 : -1) : (up ? -1 : 1);
    NMUPDOWN nm{};
    nm.iPos = current;
    nm.iDelta = delta;
    if (notify_parent(window, UDN_DELTAPOS, &nm.hdr)) return;
    u = updown_state(window);
    w = find_window(window);
    if (!u || !w) return;
    int target = current + nm.iDelta;
    int low = std::min(u->lower, u->upper), high = std::max(u->lower, u->upper);
    if (target < low || target > high) {
        if (!(w->style & UDS_WRAP)) {
            target = clamp_to_range(*u, target);
        } else {
            target = target < low ? high : low;
        }
    }
    u->pos = target;
    write_buddy(window);
    UINT msg = (w->style & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    if (w->style & WS_CHILD) {
        HWND parent = w->parent;
        send_message(parent, msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(target)),
                     reinterpret_cast<LPARAM>(window));
        send_message(parent, msg, MAKEWPARAM(SB_ENDSCROLL, static_cast<WORD>(target)), reinterpret_cast<LPARAM>(window));
    }
}

}  // namespace

LRESULT updown_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    UpDownState* u = updown_state(window);
    if (!w || !u) return 0;
    switch (message) {
    case WM_CREATE:
        if ((w->style & UDS_AUTOBUDDY) && (w->style & WS_CHILD)) {
            // The window created just before it.
            WindowRecord* parent = find_window(w->parent);
            auto it = std::find(parent->children.begin(), parent->children.end(), window);
            if (it != parent->children.begin()) attach_buddy(window, *(it - 1));
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        const bool horizontal = (w->style & UDS_HORZ) != 0;
        // up (or right) is the first half to the eye: the top, or the right with UDS_HORZ
        RECT first = horizontal ? RECT{r.right / 2, 0, r.right, r.bottom} : RECT{0, 0, r.right, r.bottom / 2};
        RECT second = horizontal ? RECT{0, 0, r.right / 2, r.bottom} : RECT{0, r.bottom / 2, r.right, r.bottom};
        const bool disabled = (w->style & WS_DISABLED) != 0;
        for (RECT b : {first, second}) {
            const bool is_first = b.top == first.top && b.left == first.left;
            const bool pressed = is_first ? u->pressed_up : u->pressed_down;
            fill_solid(dc, b, sys_color(COLOR_BTNFACE));
            draw_frame_3d(dc, b, pressed);
            RECT glyph = b;
            if (pressed) OffsetRect(&glyph, 1, 1);
            ArrowDirection direction = horizontal ? (is_first ? ArrowDirection::right : ArrowDirection::left)
                                                  : (is_first ? ArrowDirection::up : ArrowDirection::down);
            draw_arrow(dc, glyph, direction, disabled);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        RECT r;
        GetClientRect(window, &r);
        int y = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
        int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
        bool up = (w->style & UDS_HORZ) ? x >= r.right / 2 : y < r.bottom / 2;
        step(window, up);
        return 0;
    }
    case UDM_SETRANGE:
        // MAKELONG(upper, lower): the upper limit is the low word.
        u->upper = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
        u->lower = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
        return 0;
    case UDM_SETRANGE32:
        u->lower = static_cast<int>(wparam);
        u->upper = static_cast<int>(lparam);
        return 0;
    case UDM_GETRANGE:
        return MAKELPARAM(static_cast<WORD>(u->upper), static_cast<WORD>(u->lower));
    case UDM_GETRANGE32:
        if (wparam) *reinterpret_cast<int*>(wparam) = u->lower;
        if (lparam) *reinterpret_cast<int*>(lparam) = u->upper;
        return 0;
    case UDM_SETPOS: {
        int previous = u->pos;
        u->pos = clamp_to_range(*u, static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))));
        write_buddy(window);
        return previous;
    }
    case UDM_GETPOS: {
        int value = u->pos;
        bool ok = read_buddy(window, &value);
        if (ok) {
            u = updown_state(window);
            u->pos = clamp_to_range(*u, value);
            return MAKELPARAM(static_cast<WORD>(u->pos), 0);
        }
        return MAKELPARAM(static_cast<WORD>(u->pos), 1);
    }
    case UDM_SETBUDDY: {
        HWND previous = u->buddy;
        attach_buddy(window, reinterpret_cast<HWND>(wparam));
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(u->buddy);
    case UDM_SETBASE:
        return 10;
    case UDM_GETBASE:
        return 10;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace platform_user

using namespace platform_user;

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
    return CreateWindowExA(0, STATUSCLASSNAMEA, text, static_cast<DWORD>(style), 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
}

HWND CreateUpDownControl(DWORD style, int x, int y, int width, int height, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int position) {
    HWND control = CreateWindowExA(0, UPDOWN_CLASSA, nullptr, style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), instance, nullptr);
    if (!control) return nullptr;
    SendMessageA(control, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
    if (buddy) SendMessageA(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(control, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0));
    return control;
}

// --- List view (report mode) ---------------------------------------------------------------

namespace platform_user {

namespace {

struct Column {
    std::string text;
    int width = 60;
    int format = LVCFMT_LEFT;
};

struct Row {
    std::vector<std::string> texts;
    UINT state = 0;
    LPARAM param = 0;
};

struct ListViewState : ExtraState {
    std::vector<Column> columns;
    std::vector<Row> rows;
    int top = 0;
    DWORD extended = 0;
    bool focused = false;
};

ListViewState* view_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<ListViewState>();
    return dynamic_cast<ListViewState*>(w->control.get());
}

int header_height(HWND window) {
    WindowRecord* w = find_window(window);
    return (w && (w->style & LVS_NOCOLUMNHEADER)) ? 0 : kHeaderHeight;
}

int view_rows(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return std::max(1, (static_cast<int>(r.bottom) - header_height(window)) / kRowHeight);
}

void item_changed(HWND window, int index, UINT old_state, UINT new_state) {
    ListViewState* v = view_state(window);
    if (!v) return;
    NMLISTVIEW nm{};
    nm.iItem = index;
    nm.uOldState = old_state;
    nm.uNewState = new_state;
    nm.uChanged = LVIF_STATE;
    nm.lParam = v->rows[static_cast<size_t>(index)].param;
    notify_parent(window, LVN_ITEMCHANGED, &nm.hdr);
}

// Sets the state bits of `mask` of one row (index -1: all rows), telling
// the parent of each row that changed.
void set_row_state(HWND window, int index, UINT state, UINT mask) {
    WindowRecord* w = find_window(window);
    ListViewState* v = view_state(window);
    if (!w || !v) return;
    int count = static_cast<int>(v->rows.size());
    std::vector<std::pair<int, std::pair<UINT, UINT>>> changes;
    for (int i = 0; i < count; ++i) {
        if (index >= 0 && i != index) continue;
        Row& row = v->rows[static_cast<size_t>(i)];
        UINT before = row.state;
        row.state = (row.state & ~mask) | (state & mask);
        if (row.state != before) changes.push_back({i, {before, row.state}});
    }
    // One selected row at a time with LVS_SINGLESEL; one focused row always.
    if (index >= 0 && index < count) {
        UINT clear = mask & state & LVIS_FOCUSED;
        if (w->style & LVS_SINGLESEL) clear |= mask & state & LVIS_SELECTED;
        std::vector<std::pair<int, std::pair<UINT, UINT>>> others;
        for (int i = 0; clear && i < count; ++i) {
            Row& row = v->rows[static_cast<size_t>(i)];
            if (i == index || !(row.state & clear)) continue;
            UINT before = row.state;
            row.state &= ~clear;
            others.push_back({i, {before, row.state}});
        }
        changes.insert(changes.begin(), others.begin(), others.end());
    }
    InvalidateRect(window, nullptr, TRUE);
    for (const auto& [i, states] : changes) {
        if (!find_window(window) || i >= static_cast<int>(view_state(window)->rows.size())) return;
        item_changed(window, i, states.first, states.second);
    }
}

void paint_view(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    ListViewState* v = view_state(window);
    if (!w || !v) return;
    RECT client;
    GetClientRect(window, &client);
    fill_solid(dc, client, sys_color(COLOR_WINDOW));
    HGDIOBJ old_font = SelectObject(dc, control_font(window));
    SetBkMode(dc, TRANSPARENT);
    int header = header_height(window);
    int x = 0;
    if (header) {
        for (const Column& c : v->columns) {
            RECT r{x, 0, x + c.width, header};
            fill_solid(dc, r, sys_color(COLOR_BTNFACE));
            draw_frame_3d(dc, r, false);
            SetTextColor(dc, sys_color(COLOR_BTNTEXT));
            draw_text_line(dc, x + 4, 3, c.text);
            x += c.width;
        }
    }
    int y = header;
    for (int i = v->top; i < static_cast<int>(v->rows.size()) && y < client.bottom; ++i, y += kRowHeight) {
        const Row& row = v->rows[static_cast<size_t>(i)];
        bool selected = (row.state & LVIS_SELECTED) != 0 && (v->focused || (w->style & LVS_SHOWSELALWAYS));
        x = 0;
        for (size_t c = 0; c < v->columns.size(); ++c) {
            std::string text = c < row.texts.size() ? row.texts[c] : "";
            int width = v->columns[c].width;
            bool highlight = selected && (c == 0 || (v->extended & LVS_EX_FULLROWSELECT));
            if (highlight) fill_solid(dc, RECT{x, y, x + width, y + kRowHeight}, sys_color(COLOR_HIGHLIGHT));
            SetTextColor(dc, sys_color(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            int tx = x + 4;
            if (v->columns[c].format == LVCFMT_RIGHT) tx = x + width - 4 - text_width(dc, text);
            draw_text_line(dc, tx, y + 1, text);
            x += width;
        }
    }
    SelectObject(dc, old_font);
}

// The first row shown kept within the rows, and the vertical bar, shown only
// while there are more rows than fit, telling where it is.
void update_view_scroll(HWND window) {
    WindowRecord* w = find_window(window);
    ListViewState* v = view_state(window);
    if (!w || !v) return;
    const int count = static_cast<int>(v->rows.size());
    const int rows = view_rows(window);
    v->top = std::clamp(v->top, 0, std::max(0, count - rows));
    if (w->style & LVS_NOSCROLL) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count - 1), static_cast<UINT>(rows),
                  v->top, 0};
    SetScrollInfo(window, SB_VERT, &si, TRUE);
}

void scroll_to(HWND window, int top) {
    ListViewState* v = view_state(window);
    if (!v) return;
    const int before = v->top;
    v->top = top;
    update_view_scroll(window);
    if (v->top != before) InvalidateRect(window, nullptr, TRUE);
}

void ensure_visible(HWND window, int index) {
    ListViewState* v = view_state(window);
    if (!v || index < 0) return;
    int rows = view_rows(window);
    int top = v->top;
    if (index < top) top = index;
    if (index >= top + rows) top = index - rows + 1;
    scroll_to(window, top);
    InvalidateRect(window, nullptr, TRUE);
}

// What a scroll bar or the wheel asks, as the new first row.
int scrolled_top(HWND window, WPARAM wparam) {
    ListViewState* v = view_state(window);
    const int rows = view_rows(window);
    switch (LOWORD(wparam)) {
    case SB_LINEUP: return v->top - 1;
    case SB_LINEDOWN: return v->top + 1;
    case SB_PAGEUP: return v->top - rows;
    case SB_PAGEDOWN: return v->top + rows;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return HIWORD(wparam);
    case SB_TOP: return 0;
    case SB_BOTTOM: return static_cast<int>(v->rows.size());
    default: return v->top;
    }
}

int hit_row(HWND window, int y) {
    ListViewState* v = view_state(window);
    int header = header_height(window);
    if (y < header) return -1;
    int index = v->top + (y - header) / kRowHeight;
    return index < static_cast<int>(v->rows.size()) ? index : -1;
}

void copy_text(const std::string& text, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

}  // namespace

LRESULT listview_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    ListViewState* v = view_state(window);
    if (!w || !v) return 0;
    int count = static_cast<int>(v->rows.size());
    int index = static_cast<int>(wparam);
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_view, &shared)) return shared;
    switch (message) {
    case WM_CREATE:
    case WM_SIZE:
        update_view_scroll(window);
        return 0;
    case WM_VSCROLL:
        scroll_to(window, scrolled_top(window, wparam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: {
        v->focused = true;
        InvalidateRect(window, nullptr, TRUE);
        NMHDR nm{};
        notify_parent(window, NM_SETFOCUS, &nm);
        return 0;
    }
    case WM_KILLFOCUS: {
        v->focused = false;
        InvalidateRect(window, nullptr, TRUE);
        NMHDR nm{};
        notify_parent(window, NM_KILLFOCUS, &nm);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
        SetFocus(window);
        if (!find_window(window)) return 0;
        int y = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
        int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
        int hit = hit_row(window, y);
        if (message != WM_LBUTTONDBLCLK) {
            if (hit >= 0) {
                if (w->style & LVS_SINGLESEL) {
                    set_row_state(window, hit, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                } else {
                    set_row_state(window, -1, 0, LVIS_SELECTED);
                    set_row_state(window, hit, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                }
            } else {
                set_row_state(window, -1, 0, LVIS_SELECTED);
            }
        }
        if (!find_window(window)) return 0;
        NMITEMACTIVATE nm{};
        nm.iItem = hit;
        nm.ptAction = POINT{x, y};
        UINT code = message == WM_LBUTTONDBLCLK ? NM_DBLCLK : (message == WM_RBUTTONDOWN ? NM_RCLICK : NM_CLICK);
        notify_parent(window, code, &nm.hdr);
        return 0;
    }
    case WM_KEYDOWN: {
        NMLVKEYDOWN key{};
        key.wVKey = static_cast<WORD>(wparam);
        notify_parent(window, LVN_KEYDOWN, &key.hdr);
        v = view_state(window);
        if (!v || v->rows.empty()) return 0;
        int at = static_cast<int>(send_message(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        int rows = view_rows(window);
        int last = static_cast<int>(v->rows.size()) - 1;
        switch (wparam) {
        case VK_UP:
            at = at < 0 ? 0 : std::max(0, at - 1);
            break;
        case VK_DOWN:
            at = at < 0 ? 0 : std::min(last, at + 1);
            break;
        case VK_PRIOR:
            at = std::max(0, at - rows);
            break;
        case VK_NEXT:
            at = std::min(last, at + rows);
            break;
        case VK_HOME:
            at = 0;
            break;
        case VK_END:
            at = last;
            break;
        case VK_RETURN: {
            NMHDR nm{};
            notify_parent(window, NM_RETURN, &nm);
            return 0;
        }
        default:
            return 0;
        }
        if (!(w->style & LVS_SINGLESEL)) set_row_state(window, -1, 0, LVIS_SELECTED);
        set_row_state(window, at, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ensure_visible(window, at);
        return 0;
    }
    case LVM_INSERTCOLUMNA: {
        const auto* col = reinterpret_cast<const LVCOLUMNA*>(lparam);
        if (!col) return -1;
        Column c;
        if ((col->mask & LVCF_TEXT) && col->pszText) c.text = col->pszText;
        if (col->mask & LVCF_WIDTH) c.width = col->cx;
        if (col->mask & LVCF_FMT) c.format = col->fmt & 3;
        int at = std::clamp(index, 0, static_cast<int>(v->columns.size()));
        v->columns.insert(v->columns.begin() + at, c);
        InvalidateRect(window, nullptr, TRUE);
        return at;
    }
    case LVM_SETCOLUMNA: {
        const auto* col = reinterpret_cast<const LVCOLUMNA*>(lparam);
        if (!col || index < 0 || index >= static_cast<int>(v->columns.size())) return FALSE;
        Column& c = v->columns[static_cast<size_t>(index)];
        if ((col->mask & LVCF_TEXT) && col->pszText) c.text = col->pszText;
        if (col->mask & LVCF_WIDTH) c.width = col->cx;
        if (col->mask & LVCF_FMT) c.format = col->fmt & 3;
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case LVM_GETCOLUMNA: {
        auto* col = reinterpret_cast<LVCOLUMNA*>(lparam);
        if (!col || index < 0 || index >= static_cast<int>(v->columns.size())) return FALSE;
        const Column& c = v->columns[static_cast<size_t>(index)];
        if (col->mask & LVCF_TEXT) copy_text(c.text, col->pszText, col->cchTextMax);
        if (col->mask & LVCF_WIDTH) col->cx = c.width;
        if (col->mask & LVCF_FMT) col->fmt = c.format;
        return TRUE;
    }
    case LVM_DELETECOLUMN:
        if (index < 0 || index >= static_cast<int>(v->columns.size())) return FALSE;
        v->columns.erase(v->columns.begin() + index);
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    case LVM_GETCOLUMNWIDTH:
        if (index < 0 || index >= static_cast<int>(v->columns.size())) return 0;
        return v->columns[static_cast<size_t>(index)].width;
    case LVM_SETCOLUMNWIDTH:
        if (index < 0 || index >= static_cast<int>(v->columns.size())) return FALSE;
        v->columns[static_cast<size_t>(index)].width = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    case LVM_INSERTITEMA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lparam);
        if (!item || item->iSubItem != 0) return -1;
        Row row;
        row.texts.resize(std::max<size_t>(1, v->columns.size()));
        if ((item->mask & LVIF_TEXT) && item->pszText) row.texts[0] = item->pszText;
        if (item->mask & LVIF_PARAM) row.param = item->lParam;
        int at = std::clamp(item->iItem, 0, count);
        UINT state = (item->mask & LVIF_STATE) ? (item->state & item->stateMask) : 0;
        v->rows.insert(v->rows.begin() + at, row);
        NMLISTVIEW nm{};
        nm.iItem = at;
        notify_parent(window, LVN_INSERTITEM, &nm.hdr);
        if (state && find_window(window)) set_row_state(window, at, state, item->stateMask);
        update_view_scroll(window);
        InvalidateRect(window, nullptr, TRUE);
        return at;
    }
    case LVM_SETITEMA:
    case LVM_SETITEMTEXTA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lparam);
        int row = message == LVM_SETITEMA ? (item ? item->iItem : -1) : index;
        if (!item || row < 0 || row >= count || item->iSubItem < 0) return FALSE;
        Row& r = v->rows[static_cast<size_t>(row)];
        bool text = message == LVM_SETITEMTEXTA || (item->mask & LVIF_TEXT);
        if (text) {
            size_t sub = static_cast<size_t>(item->iSubItem);
            if (r.texts.size() <= sub) r.texts.resize(sub + 1);
            r.texts[sub] = item->pszText ? item->pszText : "";
        }
        if (message == LVM_SETITEMA && (item->mask & LVIF_PARAM)) r.param = item->lParam;
        InvalidateRect(window, nullptr, TRUE);
        if (message == LVM_SETITEMA && (item->mask & LVIF_STATE)) set_row_state(window, row, item->state, item->stateMask);
        return TRUE;
    }
    case LVM_GETITEMA: {
        auto* item = reinterpret_cast<LVITEMA*>(lparam);
        if (!item || item->iItem < 0 || item->iItem >= count) return FALSE;
        const Row& r = v->rows[static_cast<size_t>(item->iItem)];
        if (item->mask & LVIF_TEXT) {
            size_t sub = static_cast<size_t>(std::max(0, item->iSubItem));
            copy_text(sub < r.texts.size() ? r.texts[sub] : "", item->pszText, item->cchTextMax);
        }
        if (item->mask & LVIF_STATE) item->state = r.state & item->stateMask;
        if (item->mask & LVIF_PARAM) item->lParam = r.param;
        return TRUE;
    }
    case LVM_GETITEMTEXTA: {
        auto* item = reinterpret_cast<LVITEMA*>(lparam);
        if (!item || index < 0 || index >= count) return 0;
        const Row& r = v->rows[static_cast<size_t>(index)];
        size_t sub = static_cast<size_t>(std::max(0, item->iSubItem));
        std::string text = sub < r.texts.size() ? r.texts[sub] : "";
        copy_text(text, item->pszText, item->cchTextMax);
        return static_cast<LRESULT>(std::min(text.size(), static_cast<size_t>(std::max(0, item->cchTextMax - 1))));
    }
    case LVM_DELETEITEM: {
        if (index < 0 || index >= count) return FALSE;
        NMLISTVIEW nm{};
        nm.iItem = index;
        nm.lParam = v->rows[static_cast<size_t>(index)].param;
        notify_parent(window, LVN_DELETEITEM, &nm.hdr);
        v = view_state(window);
        if (!v || index >= static_cast<int>(v->rows.size())) return FALSE;
        v->rows.erase(v->rows.begin() + index);
        update_view_scroll(window);
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case LVM_DELETEALLITEMS: {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        // A parent that answers TRUE takes no LVN_DELETEITEM for each row.
        if (!notify_parent(window, LVN_DELETEALLITEMS, &nm.hdr)) {
            for (int i = 0; find_window(window) && i < static_cast<int>(view_state(window)->rows.size()); ++i) {
                NMLISTVIEW one{};
                one.iItem = i;
                one.lParam = view_state(window)->rows[static_cast<size_t>(i)].param;
                notify_parent(window, LVN_DELETEITEM, &one.hdr);
            }
        }
        v = view_state(window);
        if (!v) return FALSE;
        v->rows.clear();
        v->top = 0;
        update_view_scroll(window);
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case LVM_GETITEMCOUNT:
        return count;
    case LVM_GETNEXTITEM: {
        UINT flags = static_cast<UINT>(lparam);
        for (int i = index < 0 ? 0 : index + 1; i < count; ++i) {
            UINT st = v->rows[static_cast<size_t>(i)].state;
            if ((flags & LVNI_SELECTED) && !(st & LVIS_SELECTED)) continue;
            if ((flags & LVNI_FOCUSED) && !(st & LVIS_FOCUSED)) continue;
            return i;
        }
        return -1;
    }
    case LVM_SETITEMSTATE: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lparam);
        if (!item || index >= count || index < -1) return FALSE;
        set_row_state(window, index, item->state, item->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        if (index < 0 || index >= count) return 0;
        return static_cast<LRESULT>(v->rows[static_cast<size_t>(index)].state & static_cast<UINT>(lparam));
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(v->rows.begin(), v->rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
    case LVM_ENSUREVISIBLE:
        if (index < 0 || index >= count) return FALSE;
        ensure_visible(window, index);
        return TRUE;
    case LVM_GETTOPINDEX:
        return v->top;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD previous = v->extended;
        DWORD mask = wparam ? static_cast<DWORD>(wparam) : 0xFFFFFFFFu;
        v->extended = (v->extended & ~mask) | (static_cast<DWORD>(lparam) & mask);
        InvalidateRect(window, nullptr, TRUE);
        return previous;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return v->extended;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace platform_user
