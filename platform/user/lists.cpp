// The list box, the drop-down list combo box and the scroll bar control.
#include <algorithm>
#include <cstring>

#include "platform/user/controls_internal.h"

namespace platform_user {

namespace {

constexpr int kItemHeight = 16;

struct ListState : ExtraState {
    std::vector<ListItem> items;
    int current = -1;   // the selection of a single-selection list; the caret item otherwise
    int anchor = -1;    // where a Shift+click range of an extended-selection list starts
    bool click_scrolled = false;  // the last press brought a half-shown row into view
    int top = 0;
    int item_height = kItemHeight;
    bool focused = false;
    bool wants_bar = false;  // WS_VSCROLL was asked for: the bar shows when the items need it
};

// A drop-down list: the list and its closed field.
struct ComboState : ExtraState {
    std::vector<ListItem> items;
    int current = -1;
    bool dropped = false;
    bool focused = false;
    int dropped_height = 0;  // the height the template gave, with the list open
    int item_height = kItemHeight;
    HWND list = nullptr;     // the open list: a pop-up window of its own
    int hot = -1;            // the item highlighted in it
    int top = 0;             // the first item it shows
};

struct ScrollControlState : ExtraState {
    ScrollBarState bar;
};

ListState* list_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<ListState>();
    return dynamic_cast<ListState*>(w->control.get());
}

ComboState* combo_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<ComboState>();
    return dynamic_cast<ComboState*>(w->control.get());
}

bool multiple(const WindowRecord& w) {
    return (w.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool extended(const WindowRecord& w) {
    return (w.style & LBS_EXTENDEDSEL) != 0;
}

int visible_rows(HWND window, int item_height) {
    RECT r;
    GetClientRect(window, &r);
    return std::max(1, static_cast<int>(r.bottom - r.top) / item_height);
}

// Where a new string goes: its place in sort order, or at `index` (-1: the end).
int insert_position(const std::vector<ListItem>& items, const std::string& text, bool sorted, int index) {
    int count = static_cast<int>(items.size());
    if (sorted) {
        int at = 0;
        while (at < count && compare_ignoring_case(items[static_cast<size_t>(at)].text, text) <= 0) ++at;
        return at;
    }
    if (index < 0 || index > count) return count;
    return index;
}

// Case-insensitive search from after `start`, wrapping round; a prefix
// match unless `exact`.
int find_string(const std::vector<ListItem>& items, int start, const std::string& text, bool exact) {
    int count = static_cast<int>(items.size());
    if (count == 0) return -1;
    if (start < -1 || start >= count) start = -1;
    std::string want = upper_ascii(text.c_str());
    for (int n = 1; n <= count; ++n) {
        int i = (start + n) % count;
        std::string have = upper_ascii(items[static_cast<size_t>(i)].text.c_str());
        if (exact ? have == want : have.compare(0, want.size(), want) == 0) return i;
    }
    return -1;
}

LRESULT copy_out(const std::string& text, LPARAM buffer) {
    if (!buffer) return -1;
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

// The item queries a list box and a combo box answer alike, given in the
// control's own message codes.
struct ItemQueries {
    UINT get_text, get_text_len, find, find_exact, set_data, get_data;
    LRESULT error;
};
constexpr ItemQueries kListQueries{LB_GETTEXT, LB_GETTEXTLEN, LB_FINDSTRING, LB_FINDSTRINGEXACT,
                                   LB_SETITEMDATA, LB_GETITEMDATA, LB_ERR};
constexpr ItemQueries kComboQueries{CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_FINDSTRING, CB_FINDSTRINGEXACT,
                                    CB_SETITEMDATA, CB_GETITEMDATA, CB_ERR};

// True when the message was one of them, its result in *result.
bool answer_item_query(std::vector<ListItem>& items, const ItemQueries& q, UINT message, WPARAM wparam,
                       LPARAM lparam, LRESULT* result) {
    const int index = static_cast<int>(wparam);
    const bool valid = index >= 0 && index < static_cast<int>(items.size());
    if (message == q.find || message == q.find_exact) {
        *result = find_string(items, index, lparam ? reinterpret_cast<const char*>(lparam) : "",
                              message == q.find_exact);
        return true;
    }
    if (message != q.get_text && message != q.get_text_len && message != q.set_data && message != q.get_data)
        return false;
    if (!valid) {
        *result = q.error;
        return true;
    }
    ListItem& item = items[static_cast<size_t>(index)];
    if (message == q.get_text) *result = copy_out(item.text, lparam);
    else if (message == q.get_text_len) *result = static_cast<LRESULT>(item.text.size());
    else if (message == q.get_data) *result = static_cast<LRESULT>(item.data);
    else {
        item.data = static_cast<ULONG_PTR>(lparam);
        *result = 0;
    }
    return true;
}

// --- List box ---------------------------------------------------------------------

void update_list_scroll(HWND window) {
    WindowRecord* w = find_window(window);
    ListState* l = list_state(window);
    if (!w || !l) return;
    int count = static_cast<int>(l->items.size());
    int rows = visible_rows(window, l->item_height);
    l->top = std::clamp(l->top, 0, std::max(0, count - rows));
    if (!l->wants_bar) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count - 1), static_cast<UINT>(rows),
                  l->top, 0};
    if (w->style & LBS_DISABLENOSCROLL) si.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(window, SB_VERT, &si, TRUE);
}

void list_changed(HWND window) {
    update_list_scroll(window);
    if (WindowRecord* w = find_window(window)) {
        if (!(w->style & LBS_NOREDRAW)) InvalidateRect(window, nullptr, TRUE);
    }
}

// Without LBS_NOINTEGRALHEIGHT a list shows whole rows only: its height is
// cut to them, so that no half row at the bottom takes a click.
void fit_whole_rows(HWND window) {
    WindowRecord* w = find_window(window);
    ListState* l = list_state(window);
    if (!w || !l || (w->style & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE))) return;
    RECT client;
    GetClientRect(window, &client);
    const int extra = static_cast<int>(client.bottom) % l->item_height;
    if (extra == 0 || client.bottom <= l->item_height) return;
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - extra,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void make_visible(HWND window, int index) {
    ListState* l = list_state(window);
    if (!l || index < 0) return;
    int rows = visible_rows(window, l->item_height);
    if (index < l->top) l->top = index;
    if (index >= l->top + rows) l->top = index - rows + 1;
    list_changed(window);
}

void paint_list(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    ListState* l = list_state(window);
    if (!w || !l) return;
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = control_brush(window, dc, WM_CTLCOLORLISTBOX);
    FillRect(dc, &client, brush);
    HGDIOBJ old_font = SelectObject(dc, control_font(window));
    SetBkMode(dc, TRANSPARENT);
    COLORREF text_colour = GetTextColor(dc);
    if (w->style & WS_DISABLED) text_colour = sys_color(COLOR_GRAYTEXT);
    int count = static_cast<int>(l->items.size());
    const bool owner_drawn = (w->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    // The focus shows on the caret item, or on the first row while none is chosen.
    const int focus_row = l->current >= 0 ? l->current : l->top;
    for (int i = l->top, y = 0; i < count && y < client.bottom; ++i, y += l->item_height) {
        const ListItem& item = l->items[static_cast<size_t>(i)];
        bool selected = multiple(*w) ? item.selected : i == l->current;
        RECT row{0, y, client.right, y + l->item_height};
        if (owner_drawn) {
            // The parent draws the item, in the list's font and colours.
            UINT item_state = 0;
            if (selected) item_state |= ODS_SELECTED;
            if (l->focused && i == focus_row) item_state |= ODS_FOCUS;
            if (w->style & WS_DISABLED) item_state |= ODS_DISABLED;
            DRAWITEMSTRUCT draw{ODT_LISTBOX, static_cast<UINT>(w->id), static_cast<UINT>(i), ODA_DRAWENTIRE,
                                item_state, window, dc, row, item.data};
            send_message(w->parent, WM_DRAWITEM, w->id, reinterpret_cast<LPARAM>(&draw));
            w = find_window(window);
            l = list_state(window);
            if (!w || !l || i >= static_cast<int>(l->items.size())) break;
            continue;
        }
        if (selected) {
            fill_solid(dc, row, sys_color(COLOR_HIGHLIGHT));
            SetTextColor(dc, sys_color(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, text_colour);
        }
        draw_text_line(dc, 2, y + 1, item.text);
    }
    if (l->focused && !owner_drawn) {
        const int y = (focus_row - l->top) * l->item_height;
        const RECT row{0, y, client.right, y + l->item_height};
        if (y >= 0 && y < client.bottom) DrawFocusRect(dc, &row);
    }
    SelectObject(dc, old_font);
}

int list_set_current(HWND window, int index) {
    WindowRecord* w = find_window(window);
    ListState* l = list_state(window);
    int count = static_cast<int>(l->items.size());
    if (multiple(*w)) return LB_ERR;
    if (index < 0 || index >= count) {
        l->current = -1;
        list_changed(window);
        return LB_ERR;
    }
    l->current = index;
    make_visible(window, index);
    return index;
}

void notify_list(HWND window, WORD code) {
    WindowRecord* w = find_window(window);
    if (w && (w->style & LBS_NOTIFY)) notify_command(window, code);
}

// How a click or key of the user's changes the selection of a list of several.
enum class Pick {
    only,    // an extended list: this item alone
    toggle,  // a multiple-selection list's click or Space, Ctrl in an extended one
    extend,  // Shift in an extended list: from the anchor to this item
    add_range,  // Ctrl+Shift: the range added to what is selected
};

// A user's click or key on item `index`.
void list_user_pick(HWND window, int index, Pick how) {
    WindowRecord* w = find_window(window);
    ListState* l = list_state(window);
    if (!w || !l || index < 0 || index >= static_cast<int>(l->items.size())) return;
    if (multiple(*w)) {
        std::vector<ListItem>& items = l->items;
        if (!extended(*w)) how = Pick::toggle;
        if ((how == Pick::extend || how == Pick::add_range) && l->anchor < 0) how = Pick::only;
        if (how == Pick::only || how == Pick::extend) {
            for (ListItem& item : items) item.selected = false;
        }
        if (how == Pick::toggle) {
            items[static_cast<size_t>(index)].selected = !items[static_cast<size_t>(index)].selected;
        } else if (how == Pick::only) {
            items[static_cast<size_t>(index)].selected = true;
        } else {
            const int first = std::min(l->anchor, index), last = std::max(l->anchor, index);
            for (int i = first; i <= last && i < static_cast<int>(items.size()); ++i) {
                items[static_cast<size_t>(i)].selected = true;
            }
        }
        if (how == Pick::only || how == Pick::toggle) l->anchor = index;
        l->current = index;
        make_visible(window, index);
    } else {
        l->current = index;
        make_visible(window, index);
    }
    // Windows reports every click on an item as a selection change, even
    // on the item that was already selected.
    notify_list(window, LBN_SELCHANGE);
}

}  // namespace

LRESULT listbox_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    ListState* l = list_state(window);
    if (!w || !l) return 0;
    int count = static_cast<int>(l->items.size());
    int index = static_cast<int>(wparam);
    bool sorted = (w->style & LBS_SORT) != 0;
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_list, &shared)) return shared;
    if (answer_item_query(l->items, kListQueries, message, wparam, lparam, &shared)) return shared;
    switch (message) {
    case WM_CREATE:
        l->wants_bar = (w->style & WS_VSCROLL) != 0;
        // no horizontal extent is set: the bar shows only when asked to stay
        if ((w->style & WS_HSCROLL) && !(w->style & LBS_DISABLENOSCROLL)) ShowScrollBar(window, SB_HORZ, FALSE);
        fit_whole_rows(window);
        update_list_scroll(window);
        return 0;
    case WM_SIZE:
        fit_whole_rows(window);
        update_list_scroll(window);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        l->focused = true;
        InvalidateRect(window, nullptr, TRUE);
        notify_list(window, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        l->focused = false;
        InvalidateRect(window, nullptr, TRUE);
        notify_list(window, LBN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SetFocus(window);
        l = list_state(window);
        if (!l) return 0;
        int y = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
        int hit = l->top + y / l->item_height;
        if (message == WM_LBUTTONDBLCLK) {
            // the press before it may have scrolled its row from under the
            // pointer: the double click is still that row's
            const bool on_item =
                (hit >= 0 && hit < static_cast<int>(l->items.size())) || (l->click_scrolled && l->current >= 0);
            l->click_scrolled = false;
            if (on_item) notify_list(window, LBN_DBLCLK);
            return 0;
        }
        if (hit < 0 || hit >= static_cast<int>(l->items.size())) return 0;
        const int top_before = l->top;
        const bool shift = (wparam & MK_SHIFT) != 0, control = (wparam & MK_CONTROL) != 0;
        list_user_pick(window, hit,
                       shift ? (control ? Pick::add_range : Pick::extend) : (control ? Pick::toggle : Pick::only));
        if ((l = list_state(window))) l->click_scrolled = l->top != top_before;
        return 0;
    }
    case WM_KEYDOWN: {
        if (count == 0) return 0;
        int at = l->current < 0 ? 0 : l->current;
        int rows = visible_rows(window, l->item_height);
        switch (wparam) {
        case VK_UP:
            at = l->current < 0 ? 0 : std::max(0, at - 1);
            break;
        case VK_DOWN:
            at = l->current < 0 ? 0 : std::min(count - 1, at + 1);
            break;
        case VK_PRIOR:
            at = std::max(0, at - rows + 1);
            break;
        case VK_NEXT:
            at = std::min(count - 1, at + rows - 1);
            break;
        case VK_HOME:
            at = 0;
            break;
        case VK_END:
            at = count - 1;
            break;
        case VK_SPACE:
            if (multiple(*w)) list_user_pick(window, at, Pick::toggle);
            return 0;
        default:
            return 0;
        }
        if (at == l->current) return 0;
        if (multiple(*w) && !extended(*w)) {
            l->current = at;
            make_visible(window, at);
            return 0;
        }
        // an extended list's arrows select as its clicks do, Shift extending
        list_user_pick(window, at, (GetKeyState(VK_SHIFT) & 0x8000) ? Pick::extend : Pick::only);
        return 0;
    }
    case WM_CHAR: {
        // A typed letter goes to the next item that begins with it, round the end.
        const unsigned char typed = static_cast<unsigned char>(wparam);
        if (count == 0 || typed < 0x21 || typed >= 0x80) return 0;
        if ((w->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(w->style & LBS_HASSTRINGS)) return 0;
        const int found = find_string(l->items, l->current, std::string(1, static_cast<char>(typed)), false);
        if (found < 0 || found == l->current) return 0;
        if (multiple(*w) && !extended(*w)) {
            l->current = found;
            make_visible(window, found);
            return 0;
        }
        list_user_pick(window, found, Pick::only);
        return 0;
    }
    case WM_VSCROLL: {
        int rows = visible_rows(window, l->item_height);
        int top = l->top;
        switch (LOWORD(wparam)) {
        case SB_LINEUP:
            --top;
            break;
        case SB_LINEDOWN:
            ++top;
            break;
        case SB_PAGEUP:
            top -= rows;
            break;
        case SB_PAGEDOWN:
            top += rows;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            top = HIWORD(wparam);
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = count;
            break;
        default:
            return 0;
        }
        l->top = top;
        list_changed(window);
        return 0;
    }
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        std::string text = lparam ? reinterpret_cast<const char*>(lparam) : "";
        if (message == LB_INSERTSTRING && index > count) return LB_ERR;
        int at = insert_position(l->items, text, message == LB_ADDSTRING && sorted, message == LB_ADDSTRING ? -1 : index);
        l->items.insert(l->items.begin() + at, ListItem{text, 0, false});
        if (!multiple(*w) && l->current >= at) ++l->current;
        list_changed(window);
        return at;
    }
    case LB_DELETESTRING:
        if (index < 0 || index >= count) return LB_ERR;
        l->items.erase(l->items.begin() + index);
        if (l->current == index) l->current = multiple(*w) ? std::min(index, count - 2) : -1;
        else if (l->current > index) --l->current;
        list_changed(window);
        return count - 1;
    case LB_RESETCONTENT:
        l->items.clear();
        l->current = -1;
        l->anchor = -1;
        l->top = 0;
        list_changed(window);
        return 0;
    case LB_GETCOUNT:
        return count;
    case LB_SETCURSEL:
        return list_set_current(window, index);
    case LB_GETCURSEL:
        return l->current;
    case LB_SELECTSTRING: {
        int found = find_string(l->items, index, lparam ? reinterpret_cast<const char*>(lparam) : "", false);
        if (found < 0) return LB_ERR;
        if (multiple(*w)) return LB_ERR;
        return list_set_current(window, found);
    }
    case LB_SETTOPINDEX:
        if (index < 0 || (count > 0 && index >= count) || (count == 0 && index > 0)) return LB_ERR;
        l->top = index;
        list_changed(window);
        return 0;
    case LB_GETTOPINDEX:
        return l->top;
    case LB_SETSEL: {
        if (!multiple(*w)) return LB_ERR;
        int which = static_cast<int>(lparam);
        if (which == -1) {
            for (ListItem& item : l->items) item.selected = wparam != 0;
        } else {
            if (which < 0 || which >= count) return LB_ERR;
            l->items[static_cast<size_t>(which)].selected = wparam != 0;
            l->current = which;
            l->anchor = which;
        }
        list_changed(window);
        return 0;
    }
    case LB_GETSEL:
        if (index < 0 || index >= count) return LB_ERR;
        return multiple(*w) ? (l->items[static_cast<size_t>(index)].selected ? 1 : 0) : (index == l->current ? 1 : 0);
    case LB_GETSELCOUNT:
        if (!multiple(*w)) return LB_ERR;
        return std::count_if(l->items.begin(), l->items.end(), [](const ListItem& i) { return i.selected; });
    case LB_GETSELITEMS: {
        if (!multiple(*w)) return LB_ERR;
        int* out = reinterpret_cast<int*>(lparam);
        int n = 0;
        for (int i = 0; i < count && n < index; ++i) {
            if (l->items[static_cast<size_t>(i)].selected) out[n++] = i;
        }
        return n;
    }
    case LB_SELITEMRANGE: {
        if (!multiple(*w)) return LB_ERR;
        int first = LOWORD(static_cast<uintptr_t>(lparam)), last = HIWORD(static_cast<uintptr_t>(lparam));
        for (int i = std::max(0, first); i <= last && i < count; ++i) l->items[static_cast<size_t>(i)].selected = wparam != 0;
        list_changed(window);
        return 0;
    }
    case LB_GETITEMHEIGHT:
        return l->item_height;
    case LB_SETITEMHEIGHT:
        if (LOWORD(static_cast<uintptr_t>(lparam)) == 0) return LB_ERR;
        l->item_height = LOWORD(static_cast<uintptr_t>(lparam));
        fit_whole_rows(window);
        list_changed(window);
        return 0;
    case LB_GETITEMRECT: {
        if (index < 0 || index >= count || !lparam) return LB_ERR;
        RECT client;
        GetClientRect(window, &client);
        int y = (index - l->top) * l->item_height;
        *reinterpret_cast<RECT*>(lparam) = RECT{0, y, client.right, y + l->item_height};
        return 0;
    }
    case LB_SETCARETINDEX:
        if (index < 0 || index >= count) return LB_ERR;
        l->current = index;
        make_visible(window, index);
        return 0;
    case LB_GETCARETINDEX:
        return l->current;
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTABSTOPS:
    case LB_SETCOLUMNWIDTH:
        return message == LB_SETTABSTOPS ? TRUE : 0;
    case LB_GETHORIZONTALEXTENT:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

// --- Combo box (drop-down list) -------------------------------------------------------

namespace {

void paint_combo(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    ComboState* c = combo_state(window);
    if (!w || !c) return;
    RECT client;
    GetClientRect(window, &client);
    bool disabled = (w->style & WS_DISABLED) != 0;
    HBRUSH brush = control_brush(window, dc, WM_CTLCOLOREDIT);
    FillRect(dc, &client, brush);
    draw_frame_3d(dc, client, true);
    int button = 16;
    RECT arrow{client.right - button - 1, 1, client.right - 1, client.bottom - 1};
    fill_solid(dc, arrow, sys_color(COLOR_BTNFACE));
    draw_frame_3d(dc, arrow, c->dropped);
    RECT glyph = arrow;
    if (c->dropped) OffsetRect(&glyph, 1, 1);
    draw_arrow(dc, glyph, ArrowDirection::down, disabled);
    if (c->current >= 0 && c->current < static_cast<int>(c->items.size())) {
        HGDIOBJ old_font = SelectObject(dc, control_font(window));
        SetBkMode(dc, TRANSPARENT);
        RECT field{2, 2, arrow.left - 1, client.bottom - 2};
        if (c->focused) {
            fill_solid(dc, field, sys_color(COLOR_HIGHLIGHT));
            SetTextColor(dc, sys_color(COLOR_HIGHLIGHTTEXT));
        } else if (disabled) {
            SetTextColor(dc, sys_color(COLOR_GRAYTEXT));
        }
        // a long item is cut at the arrow, not drawn over it
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, field.left, field.top, field.right, field.bottom);
        draw_text_line(dc, 4, (client.bottom - font_line_height(window)) / 2,
                       c->items[static_cast<size_t>(c->current)].text);
        RestoreDC(dc, saved);
        SelectObject(dc, old_font);
    }
}

// --- The open list of a drop-down ---------------------------------------------------

constexpr const char* kComboListClass = "ComboLBox";

ComboState* combo_of_list(HWND list, HWND* combo) {
    *combo = reinterpret_cast<HWND>(GetWindowLongPtrA(list, GWLP_USERDATA));
    ComboState* c = control_kind(*combo) == ControlKind::combobox ? combo_state(*combo) : nullptr;
    return c && c->list == list ? c : nullptr;
}

int list_rows(HWND list, const ComboState& c) {
    RECT r;
    GetClientRect(list, &r);
    return std::max(1, static_cast<int>(r.bottom) / c.item_height);
}

// Shows the items from `top`, with the highlight in view and the bar where it is.
void show_list_from(HWND list, ComboState& c, int top) {
    const int count = static_cast<int>(c.items.size());
    c.top = std::clamp(top, 0, std::max(0, count - list_rows(list, c)));
    if (GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) SetScrollPos(list, SB_VERT, c.top, TRUE);
    InvalidateRect(list, nullptr, TRUE);
}

void set_hot(HWND list, ComboState& c, int hot) {
    const int count = static_cast<int>(c.items.size());
    if (count == 0) return;
    c.hot = std::clamp(hot, 0, count - 1);
    const int rows = list_rows(list, c);
    int top = c.top;
    if (c.hot < top) top = c.hot;
    if (c.hot >= top + rows) top = c.hot - rows + 1;
    show_list_from(list, c, top);
}

void paint_combo_list(HWND list) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(list, &ps);
    HWND combo = nullptr;
    if (ComboState* c = combo_of_list(list, &combo)) {
        RECT client;
        GetClientRect(list, &client);
        fill_solid(dc, client, sys_color(COLOR_WINDOW));
        HGDIOBJ old_font = SelectObject(dc, control_font(combo));
        SetBkMode(dc, TRANSPARENT);
        const int count = static_cast<int>(c->items.size());
        for (int i = c->top, y = 0; i < count && y < client.bottom; ++i, y += c->item_height) {
            const bool hot = i == c->hot;
            if (hot) fill_solid(dc, RECT{0, y, client.right, y + c->item_height}, sys_color(COLOR_HIGHLIGHT));
            SetTextColor(dc, sys_color(hot ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            draw_text_line(dc, 2, y + 1, c->items[static_cast<size_t>(i)].text);
        }
        SelectObject(dc, old_font);
    }
    EndPaint(list, &ps);
}

// The item under a point of the list's client area, or -1.
int list_item_at(HWND list, const ComboState& c, POINT p) {
    RECT client;
    GetClientRect(list, &client);
    if (!PtInRect(&client, p)) return -1;
    const int at = c.top + p.y / c.item_height;
    return at < static_cast<int>(c.items.size()) ? at : -1;
}

void end_dropped(HWND window, bool take);

LRESULT combo_list_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND combo = nullptr;
    ComboState* c = combo_of_list(list, &combo);
    if (!c) return DefWindowProcA(list, message, wparam, lparam);
    const POINT p{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                  static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
    switch (message) {
    case WM_PAINT:
        paint_combo_list(list);
        return 0;
    case WM_MOUSEACTIVATE:
        // The focus stays in the combo box, which takes the keys.
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
        const int at = list_item_at(list, *c, p);
        if (at >= 0 && at != c->hot) set_hot(list, *c, at);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
        // A press elsewhere closes the list as it was.
        RECT client;
        GetClientRect(list, &client);
        if (!PtInRect(&client, p)) end_dropped(combo, false);
        return 0;
    }
    case WM_LBUTTONUP: {
        // The button goes up on an item: it is picked. The press that opened
        // the list comes up outside it and leaves it open.
        const int at = list_item_at(list, *c, p);
        if (at < 0) return 0;
        c->hot = at;
        end_dropped(combo, true);
        return 0;
    }
    case WM_NCLBUTTONDOWN:
        if (wparam == HTVSCROLL) track_scroll_bar(list, HTVSCROLL, p);
        return 0;
    case WM_VSCROLL: {
        const int rows = list_rows(list, *c);
        int top = c->top;
        switch (LOWORD(wparam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= rows; break;
        case SB_PAGEDOWN: top += rows; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = HIWORD(wparam); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = static_cast<int>(c->items.size()); break;
        default: return 0;
        }
        show_list_from(list, *c, top);
        return 0;
    }
    default:
        return DefWindowProcA(list, message, wparam, lparam);
    }
}

void ensure_combo_list_class() {
    if (find_class(kComboListClass)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = combo_list_proc;
    wc.lpszClassName = kComboListClass;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
}

// Below the field as high as the template's dropped height allows (fewer
// items, fewer rows), above it where the screen ends; its own scroll bar
// when the items are more than the rows.
HWND open_list_window(HWND combo, ComboState& c) {
    ensure_combo_list_class();
    RECT field;
    GetWindowRect(combo, &field);
    const int count = static_cast<int>(c.items.size());
    const int room = std::max(1, (c.dropped_height - (field.bottom - field.top) - 2) / c.item_height);
    const int rows = std::clamp(count, 1, room);
    const int height = rows * c.item_height + 2;
    const UserState& s = state();
    int y = field.bottom;
    if (y + height > s.screen_height && field.top - height >= 0) y = field.top - height;
    const DWORD style = WS_POPUP | WS_BORDER | (count > rows ? WS_VSCROLL : 0);
    HWND list = CreateWindowExA(0, kComboListClass, "", style, field.left, y, field.right - field.left, height,
                                top_level_of(combo), nullptr, nullptr, nullptr);
    if (!list) return nullptr;
    SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(combo));
    c.list = list;
    c.top = 0;
    if (style & WS_VSCROLL) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, count - 1, static_cast<UINT>(rows), 0, 0};
        SetScrollInfo(list, SB_VERT, &si, FALSE);
    }
    set_hot(list, c, c.hot);
    ShowWindow(list, SW_SHOWNOACTIVATE);
    SetCapture(list);
    return list;
}

void set_dropped(HWND window, bool dropped) {
    ComboState* c = combo_state(window);
    if (!c || c->dropped == dropped) return;
    if (dropped) notify_command(window, CBN_DROPDOWN);
    c = combo_state(window);
    if (!c) return;
    c->dropped = dropped;
    if (dropped) {
        c->hot = c->current;
        open_list_window(window, *c);
    } else if (HWND list = c->list) {
        c->list = nullptr;
        if (GetCapture() == list) ReleaseCapture();
        DestroyWindow(list);
    }
    InvalidateRect(window, nullptr, TRUE);
    if (!dropped) notify_command(window, CBN_CLOSEUP);
}

// The list closes: with the highlighted item taken, or as it was.
void end_dropped(HWND window, bool take) {
    ComboState* c = combo_state(window);
    if (!c || !c->dropped) return;
    if (take && c->hot >= 0 && c->hot < static_cast<int>(c->items.size()) && c->hot != c->current) {
        c->current = c->hot;
        InvalidateRect(window, nullptr, TRUE);
        notify_command(window, CBN_SELCHANGE);
    }
    if (!find_window(window)) return;
    notify_command(window, take ? CBN_SELENDOK : CBN_SELENDCANCEL);
    set_dropped(window, false);
}

// The user picks an item from the open list (it opens first if closed).
void combo_user_pick(HWND window, int index) {
    ComboState* c = combo_state(window);
    if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return;
    set_dropped(window, true);
    c = combo_state(window);
    if (!c) return;
    c->hot = index;
    end_dropped(window, true);
}

// Keys while the list is open move its highlight; Enter takes it, Esc leaves it.
void dropped_key(ComboState& c, UINT vk) {
    HWND list = c.list;
    const int count = static_cast<int>(c.items.size());
    if (!list || count == 0) return;
    const int rows = list_rows(list, c);
    switch (vk) {
    case VK_UP: set_hot(list, c, c.hot - 1); break;
    case VK_DOWN: set_hot(list, c, c.hot < 0 ? 0 : c.hot + 1); break;
    case VK_PRIOR: set_hot(list, c, c.hot - rows + 1); break;
    case VK_NEXT: set_hot(list, c, c.hot + rows - 1); break;
    case VK_HOME: set_hot(list, c, 0); break;
    case VK_END: set_hot(list, c, count - 1); break;
    default: break;
    }
}

}  // namespace

LRESULT combobox_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    ComboState* c = combo_state(window);
    if (!w || !c) return 0;
    int count = static_cast<int>(c->items.size());
    int index = static_cast<int>(wparam);
    bool sorted = (w->style & CBS_SORT) != 0;
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_combo, &shared)) return shared;
    if (answer_item_query(c->items, kComboQueries, message, wparam, lparam, &shared)) return shared;
    switch (message) {
    case WM_NCCREATE: {
        // The window is as high as its field; the height given is the open list's.
        c->dropped_height = w->rect.bottom - w->rect.top;
        int field = font_line_height(window) + 8;
        w->rect.bottom = w->rect.top + field;
        return DefWindowProcA(window, message, wparam, lparam);
    }
    case WM_GETDLGCODE: {
        const MSG* m = reinterpret_cast<const MSG*>(lparam);
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (m && m->message == WM_KEYDOWN && c->dropped && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE)) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_SETFOCUS:
        c->focused = true;
        InvalidateRect(window, nullptr, TRUE);
        notify_command(window, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        c->focused = false;
        end_dropped(window, false);
        if (!find_window(window)) return 0;
        InvalidateRect(window, nullptr, TRUE);
        notify_command(window, CBN_KILLFOCUS);
        return 0;
    case WM_DESTROY:
        if (c->list) DestroyWindow(c->list);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(window);
        if (!find_window(window)) return 0;
        if (combo_state(window)->dropped) end_dropped(window, false);
        else set_dropped(window, true);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+Down and Alt+Up open the list, or close it with the highlight taken.
        if (wparam != VK_DOWN && wparam != VK_UP) return DefWindowProcA(window, message, wparam, lparam);
        if (c->dropped) end_dropped(window, true);
        else set_dropped(window, true);
        return 0;
    case WM_KEYDOWN: {
        int at = c->current;
        if (wparam == VK_F4 || ((wparam == VK_DOWN || wparam == VK_UP) && GetKeyState(VK_MENU) < 0)) {
            if (c->dropped) end_dropped(window, true);
            else set_dropped(window, true);
            return 0;
        }
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) {
            end_dropped(window, wparam == VK_RETURN);
            return 0;
        }
        if (c->dropped) {
            dropped_key(*c, static_cast<UINT>(wparam));
            return 0;
        }
        switch (wparam) {
        case VK_UP:
        case VK_LEFT:
            at = std::max(0, at - 1);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            at = std::min(count - 1, at + 1);
            break;
        case VK_HOME:
            at = 0;
            break;
        case VK_END:
            at = count - 1;
            break;
        default:
            return 0;
        }
        if (count == 0 || at == c->current) return 0;
        c->current = at;
        InvalidateRect(window, nullptr, TRUE);
        notify_command(window, CBN_SELCHANGE);
        return 0;
    }
    case WM_CHAR:
        return 0;
    case WM_GETTEXT: {
        if (wparam == 0 || !lparam) return 0;
        std::string text = c->current >= 0 && c->current < count ? c->items[static_cast<size_t>(c->current)].text : "";
        size_t n = std::min(text.size(), static_cast<size_t>(wparam) - 1);
        std::memcpy(reinterpret_cast<char*>(lparam), text.data(), n);
        reinterpret_cast<char*>(lparam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return c->current >= 0 && c->current < count ? static_cast<LRESULT>(c->items[static_cast<size_t>(c->current)].text.size())
                                                     : 0;
    case WM_SETTEXT: {
        // A drop-down list shows only its items: the text selects the item that has it.
        int found = find_string(c->items, -1, lparam ? reinterpret_cast<const char*>(lparam) : "", true);
        if (found < 0) return CB_ERR;
        c->current = found;
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        std::string text = lparam ? reinterpret_cast<const char*>(lparam) : "";
        if (message == CB_INSERTSTRING && index > count) return CB_ERR;
        int at = insert_position(c->items, text, message == CB_ADDSTRING && sorted, message == CB_ADDSTRING ? -1 : index);
        c->items.insert(c->items.begin() + at, ListItem{text, 0, false});
        if (c->current >= at) ++c->current;
        InvalidateRect(window, nullptr, TRUE);
        return at;
    }
    case CB_DELETESTRING:
        if (index < 0 || index >= count) return CB_ERR;
        c->items.erase(c->items.begin() + index);
        if (c->current == index) c->current = -1;
        else if (c->current > index) --c->current;
        InvalidateRect(window, nullptr, TRUE);
        return count - 1;
    case CB_RESETCONTENT:
        c->items.clear();
        c->current = -1;
        InvalidateRect(window, nullptr, TRUE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return count;
    case CB_SETCURSEL:
        if (index < 0 || index >= count) {
            c->current = -1;
            InvalidateRect(window, nullptr, TRUE);
            return CB_ERR;
        }
        c->current = index;
        InvalidateRect(window, nullptr, TRUE);
        return index;
    case CB_GETCURSEL:
        return c->current;
    case CB_SELECTSTRING: {
        int found = find_string(c->items, index, lparam ? reinterpret_cast<const char*>(lparam) : "", false);
        if (found < 0) return CB_ERR;
        c->current = found;
        InvalidateRect(window, nullptr, TRUE);
        return found;
    }
    case CB_SHOWDROPDOWN:
        set_dropped(window, wparam != 0);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return c->dropped ? TRUE : FALSE;
    case CB_GETITEMHEIGHT:
        return c->item_height;
    case CB_SETITEMHEIGHT:
        c->item_height = std::max(1, static_cast<int>(lparam));
        return CB_OKAY;
    case CB_GETDROPPEDCONTROLRECT: {
        if (!lparam) return CB_ERR;
        RECT r;
        GetWindowRect(window, &r);
        r.bottom = r.top + c->dropped_height;
        *reinterpret_cast<RECT*>(lparam) = r;
        return CB_OKAY;
    }
    case CB_LIMITTEXT:
        return TRUE;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

// --- Scroll bar control ----------------------------------------------------------------

ScrollBarState* scroll_control_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w || control_kind(window) != ControlKind::scrollbar) return nullptr;
    if (!w->control) w->control = std::make_unique<ScrollControlState>();
    auto* s = dynamic_cast<ScrollControlState*>(w->control.get());
    return s ? &s->bar : nullptr;
}

namespace {

// An arrow button, raised or pushed in (a flat edge, the glyph a pixel down and right).
void paint_arrow_button(HDC dc, RECT box, ArrowDirection direction, bool pushed, bool disabled) {
    fill_solid(dc, box, sys_color(COLOR_BTNFACE));
    if (pushed) {
        HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
        FrameRect(dc, &box, shadow);
        OffsetRect(&box, 1, 1);
    } else {
        draw_frame_3d(dc, box, false);
    }
    draw_arrow(dc, box, direction, disabled);
}

void paint_scroll_control(HDC dc, const ScrollBarLayout& l, const ScrollBarState& bar) {
    fill_solid(dc, l.whole, sys_color(COLOR_SCROLLBAR));
    if (bar.pressed == ScrollPart::page_up) fill_solid(dc, l.page_before, sys_color(COLOR_3DDKSHADOW));
    if (bar.pressed == ScrollPart::page_down) fill_solid(dc, l.page_after, sys_color(COLOR_3DDKSHADOW));
    paint_arrow_button(dc, l.first, l.vertical ? ArrowDirection::up : ArrowDirection::left,
                       bar.pressed == ScrollPart::line_up, bar.disabled);
    paint_arrow_button(dc, l.last, l.vertical ? ArrowDirection::down : ArrowDirection::right,
                       bar.pressed == ScrollPart::line_down, bar.disabled);
    if (!IsRectEmpty(&l.thumb)) {
        fill_solid(dc, l.thumb, sys_color(COLOR_BTNFACE));
        draw_frame_3d(dc, l.thumb, false);
    }
}

}  // namespace

LRESULT scrollbar_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    ScrollBarState* bar = scroll_control_state(window);
    if (!w || !bar) return 0;
    bool vertical = (w->style & SBS_VERT) != 0;
    switch (message) {
    case WM_CREATE:
        bar->min = 0;
        bar->max = 0;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        paint_scroll_control(dc, scroll_bar_layout(r, vertical, *bar), *bar);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The parent hears the steps and moves the thumb.
        POINT at{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                 static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
        ClientToScreen(window, &at);
        track_scroll_control(window, at);
        return 0;
    }
    case WM_KEYDOWN: {
        int code = -1;
        switch (wparam) {
        case VK_UP:
        case VK_LEFT:
            code = SB_LINEUP;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            code = SB_LINEDOWN;
            break;
        case VK_PRIOR:
            code = SB_PAGEUP;
            break;
        case VK_NEXT:
            code = SB_PAGEDOWN;
            break;
        case VK_HOME:
            code = SB_TOP;
            break;
        case VK_END:
            code = SB_BOTTOM;
            break;
        default:
            return 0;
        }
        UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
        if (w->style & WS_CHILD) {
            send_message(w->parent, msg, MAKEWPARAM(static_cast<WORD>(code), 0), reinterpret_cast<LPARAM>(window));
            send_message(w->parent, msg, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(window));
        }
        return 0;
    }
    case SBM_SETPOS:
        return SetScrollPos(window, SB_CTL, static_cast<int>(wparam), static_cast<BOOL>(lparam));
    case SBM_GETPOS:
        return bar->pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int previous = bar->pos;
        SetScrollRange(window, SB_CTL, static_cast<int>(wparam), static_cast<int>(lparam), message == SBM_SETRANGEREDRAW);
        return previous;
    }
    case SBM_GETRANGE:
        if (wparam) *reinterpret_cast<int*>(wparam) = bar->min;
        if (lparam) *reinterpret_cast<int*>(lparam) = bar->max;
        return 0;
    case SBM_ENABLE_ARROWS:
        bar->disabled = wparam == ESB_DISABLE_BOTH;
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    case SBM_SETSCROLLINFO:
        return SetScrollInfo(window, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lparam), static_cast<BOOL>(wparam));
    case SBM_GETSCROLLINFO:
        return GetScrollInfo(window, SB_CTL, reinterpret_cast<SCROLLINFO*>(lparam));
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

// --- For the automation interface ------------------------------------------------------------

std::vector<std::string> control_items(HWND control) {
    std::vector<std::string> out;
    WindowRecord* w = find_window(control);
    if (!w) return out;
    switch (control_kind(control)) {
    case ControlKind::listbox:
        for (const ListItem& i : list_state(control)->items) out.push_back(i.text);
        break;
    case ControlKind::combobox:
        for (const ListItem& i : combo_state(control)->items) out.push_back(i.text);
        break;
    case ControlKind::listview: {
        int count = static_cast<int>(send_message(control, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char buffer[1024] = {};
            LVITEMA item{};
            item.iSubItem = 0;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            send_message(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            out.push_back(buffer);
        }
        break;
    }
    default:
        break;
    }
    return out;
}

int control_selection(HWND control) {
    switch (control_kind(control)) {
    case ControlKind::listbox: {
        ListState* l = list_state(control);
        WindowRecord* w = find_window(control);
        if (multiple(*w)) {
            for (size_t i = 0; i < l->items.size(); ++i) {
                if (l->items[i].selected) return static_cast<int>(i);
            }
            return -1;
        }
        return l->current;
    }
    case ControlKind::combobox:
        return combo_state(control)->current;
    case ControlKind::listview:
        return static_cast<int>(send_message(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    default:
        return -1;
    }
}

bool item_click_point(HWND control, int index, POINT* point) {
    switch (control_kind(control)) {
    case ControlKind::listbox: {
        ListState* l = list_state(control);
        if (index < 0 || index >= static_cast<int>(l->items.size())) return false;
        make_visible(control, index);
        RECT client;
        GetClientRect(control, &client);
        *point = POINT{std::max<LONG>(1, client.right / 2), (index - l->top) * l->item_height + l->item_height / 2};
        return true;
    }
    case ControlKind::listview: {
        RECT row{};
        int count = static_cast<int>(send_message(control, LVM_GETITEMCOUNT, 0, 0));
        if (index < 0 || index >= count) return false;
        send_message(control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
        int top = static_cast<int>(send_message(control, LVM_GETTOPINDEX, 0, 0));
        WindowRecord* w = find_window(control);
        int header = (w->style & LVS_NOCOLUMNHEADER) ? 0 : 20;
        GetClientRect(control, &row);
        *point = POINT{std::min<LONG>(20, std::max<LONG>(1, row.right / 2)), header + (index - top) * kItemHeight + kItemHeight / 2};
        return true;
    }
    default:
        return false;
    }
}

bool user_choose_item(HWND control, int index, bool /*twice*/, std::string* why) {
    WindowRecord* w = find_window(control);
    if (!w) {
        *why = "there is no such window";
        return false;
    }
    if (!IsWindowVisible(control)) {
        *why = "the window is hidden";
        return false;
    }
    if (!IsWindowEnabled(control)) {
        *why = "the window is disabled";
        return false;
    }
    ControlKind kind = control_kind(control);
    if (kind == ControlKind::combobox) {
        ComboState* c = combo_state(control);
        if (index < 0 || index >= static_cast<int>(c->items.size())) {
            *why = "there is no item " + std::to_string(index);
            return false;
        }
        SetFocus(control);
        if (!find_window(control)) return true;
        combo_user_pick(control, index);
        return true;
    }
    if (kind != ControlKind::listbox && kind != ControlKind::listview) {
        *why = std::string("it is a ") + control_kind_name(kind) + ", not a list";
        return false;
    }
    if (index < 0 || index >= static_cast<int>(control_items(control).size())) {
        *why = "there is no item " + std::to_string(index);
        return false;
    }
    return true;  // the caller clicks at item_click_point
}

}  // namespace platform_user
