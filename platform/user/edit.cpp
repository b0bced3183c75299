// The edit control: single line (scrolled sideways with ES_AUTOHSCROLL, else
// refusing text that does not fit) and multi line (lines end in CR LF, no
// word wrap). The text is the window text; positions are byte offsets that
// never split a double-byte character.
#include <algorithm>
#include <cstring>

#include "platform/user/controls_internal.h"

namespace platform_user {

namespace {

constexpr int kMargin = 2;

struct EditState : ExtraState {
    size_t anchor = 0;      // the fixed end of the selection
    size_t caret = 0;       // the moving end, where the caret is
    size_t limit = 30000;
    bool modified = false;
    bool focused = false;
    int lead = -1;          // first byte of a double-byte character being typed
    size_t first_visible = 0;  // single line: first byte shown
    int top_line = 0;          // multi line: first line shown
    std::string undo_text;
    bool selecting = false;    // the left button went down in the field and holds the capture
};

EditState* edit_state(HWND window) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (!w->control) w->control = std::make_unique<EditState>();
    return dynamic_cast<EditState*>(w->control.get());
}

bool multiline(const WindowRecord& w) {
    return (w.style & ES_MULTILINE) != 0;
}

size_t sel_begin(const EditState& e) {
    return std::min(e.anchor, e.caret);
}

size_t sel_end(const EditState& e) {
    return std::max(e.anchor, e.caret);
}

// Keeps a position inside the text and on a character boundary.
size_t on_boundary(const std::string& text, size_t at) {
    if (at >= text.size()) return text.size();
    size_t i = 0;
    while (i < at) {
        size_t n = next_char(text, i);
        if (n > at) return i;
        i = n;
    }
    return i;
}

std::vector<size_t> line_starts(const std::string& text) {
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') starts.push_back(i + 1);
    }
    return starts;
}

// The line holding `at` and its text without the line end.
int line_of(const std::string& text, size_t at) {
    std::vector<size_t> starts = line_starts(text);
    int line = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        if (starts[i] <= at) line = static_cast<int>(i);
    }
    return line;
}

std::string line_text(const std::string& text, int line) {
    std::vector<size_t> starts = line_starts(text);
    if (line < 0 || line >= static_cast<int>(starts.size())) return {};
    size_t begin = starts[static_cast<size_t>(line)];
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    if (end > begin && text[end - 1] == '\r') --end;
    return text.substr(begin, end - begin);
}

std::string shown(const WindowRecord& w, const std::string& text) {
    if (w.style & ES_PASSWORD) return std::string(text.size(), '*');
    return text;
}

int measure(HWND window, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, control_font(window));
    int width = text_width(dc, text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return width;
}

int client_width(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.right - r.left;
}

void place_caret(HWND window) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e || !e->focused) return;
    int h = font_line_height(window);
    if (multiline(*w)) {
        int line = line_of(w->text, e->caret);
        size_t start = line_starts(w->text)[static_cast<size_t>(line)];
        int x = kMargin + measure(window, shown(*w, w->text.substr(start, e->caret - start)));
        SetCaretPos(x, (line - e->top_line) * h);
    } else {
        size_t from = std::min(e->first_visible, e->caret);
        int x = kMargin + measure(window, shown(*w, w->text.substr(from, e->caret - from)));
        SetCaretPos(x, 1);
    }
}

// Scrolls so that the caret shows.
void scroll_to_caret(HWND window) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return;
    if (multiline(*w)) {
        int h = font_line_height(window);
        RECT r;
        GetClientRect(window, &r);
        int rows = std::max(1, static_cast<int>(r.bottom - r.top) / h);
        int line = line_of(w->text, e->caret);
        if (line < e->top_line) e->top_line = line;
        if (line >= e->top_line + rows) e->top_line = line - rows + 1;
    } else {
        if (e->caret < e->first_visible) e->first_visible = e->caret;
        int width = client_width(window) - 2 * kMargin;
        while (e->first_visible < e->caret &&
               measure(window, shown(*w, w->text.substr(e->first_visible, e->caret - e->first_visible))) > width) {
            e->first_visible = next_char(w->text, e->first_visible);
        }
        if (e->first_visible > w->text.size()) e->first_visible = 0;
    }
    place_caret(window);
}

void changed(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    scroll_to_caret(window);
    notify_command(window, EN_UPDATE);
    if (find_window(window)) notify_command(window, EN_CHANGE);
}

// Replaces the selection with `text`. A user's typing is held to the limit,
// to digits with ES_NUMBER and to the width of a single line without
// ES_AUTOHSCROLL; false when nothing could go in.
bool replace_selection(HWND window, std::string text, bool typed, bool notify) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return false;
    if (typed) {
        if (w->style & ES_UPPERCASE) text = upper_ascii(text.c_str());
        if (w->style & ES_LOWERCASE) {
            for (size_t i = 0; i < text.size(); i = next_char(text, i)) {
                if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
            }
        }
    }
    size_t begin = sel_begin(*e), end = sel_end(*e);
    size_t room = e->limit > w->text.size() - (end - begin) ? e->limit - (w->text.size() - (end - begin)) : 0;
    bool maxed = false;
    if (text.size() > room) {
        size_t keep = 0;
        while (keep < text.size() && next_char(text, keep) <= room) keep = next_char(text, keep);
        text.resize(keep);
        maxed = true;
    }
    if (typed && !multiline(*w) && !(w->style & ES_AUTOHSCROLL) && !text.empty()) {
        std::string candidate = w->text.substr(0, begin) + text + w->text.substr(end);
        if (measure(window, shown(*w, candidate)) > client_width(window) - 2 * kMargin) {
            text.clear();
            maxed = true;
        }
    }
    if (maxed) notify_command(window, EN_MAXTEXT);
    w = find_window(window);
    e = edit_state(window);
    if (!w || !e) return false;
    if (text.empty() && begin == end) return !maxed;
    e->undo_text = w->text;
    w->text = w->text.substr(0, begin) + text + w->text.substr(end);
    e->anchor = e->caret = begin + text.size();
    e->modified = true;
    if (notify) changed(window);
    else InvalidateRect(window, nullptr, TRUE);
    return true;
}

void move_caret(HWND window, size_t to, bool extend) {
    EditState* e = edit_state(window);
    WindowRecord* w = find_window(window);
    if (!e || !w) return;
    e->caret = on_boundary(w->text, to);
    if (!extend) e->anchor = e->caret;
    InvalidateRect(window, nullptr, TRUE);
    scroll_to_caret(window);
}

int rows_down(int y, int height) {
    return y >= 0 ? y / height : -((-y + height - 1) / height);
}

// The offset under a point of the client area; past the field's ends, the
// text that lies beyond them, so that a drag there scrolls the field on.
size_t offset_at(HWND window, int x, int y) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return 0;
    size_t start = std::min(e->first_visible, w->text.size());
    if (!multiline(*w) && x < 0 && start > 0) {
        // left of the field: as far back as the pointer is out, a character at least
        size_t at = start;
        do {
            at = previous_char(w->text, at);
        } while (at > 0 && measure(window, shown(*w, w->text.substr(at, start - at))) < -x);
        return at;
    }
    std::string line = w->text.substr(start);
    if (multiline(*w)) {
        int h = font_line_height(window);
        int count = static_cast<int>(line_starts(w->text).size());
        int index = std::clamp(e->top_line + rows_down(y, h), 0, count - 1);
        start = line_starts(w->text)[static_cast<size_t>(index)];
        line = line_text(w->text, index);
    }
    // the character boundary nearest the pointer
    size_t best = 0;
    int best_x = kMargin;
    for (size_t i = next_char(line, 0); i <= line.size() && best < line.size(); i = next_char(line, i)) {
        const int edge = kMargin + measure(window, shown(*w, line.substr(0, i)));
        if (x < (best_x + edge) / 2) break;
        best = i;
        best_x = edge;
    }
    return start + best;
}

bool is_blank_at(const std::string& text, size_t at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return true;
    // the full-width blank
    return c == 0x81 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) == 0x40;
}

// The word a double click at `at` selects, as the edit control of Windows
// does: the characters between blanks with the blanks after them, or a run
// of blanks. A double-byte character is never split.
std::pair<size_t, size_t> word_at(const std::string& text, size_t at) {
    if (text.empty()) return {0, 0};
    at = on_boundary(text, std::min(at, text.size()));
    if (at == text.size()) at = previous_char(text, at);
    const bool blank = is_blank_at(text, at);
    size_t begin = at;
    while (begin > 0) {
        const size_t before = previous_char(text, begin);
        if (is_blank_at(text, before) != blank) break;
        begin = before;
    }
    size_t end = at;
    while (end < text.size() && is_blank_at(text, end) == blank) end = next_char(text, end);
    // the blanks after a word up to the line's end
    while (!blank && end < text.size() && is_blank_at(text, end) && text[end] != '\r' && text[end] != '\n') {
        end = next_char(text, end);
    }
    return {begin, end};
}

void paint_edit(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return;
    bool disabled = (w->style & WS_DISABLED) != 0;
    bool read_only = (w->style & ES_READONLY) != 0;
    HBRUSH brush = control_brush(window, dc, disabled || read_only ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    HGDIOBJ old_font = SelectObject(dc, control_font(window));
    if (disabled) SetTextColor(dc, sys_color(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    int h = font_line_height(window);
    bool show_selection = (e->focused || (w->style & ES_NOHIDESEL)) && sel_begin(*e) != sel_end(*e);
    auto draw_line = [&](const std::string& text, size_t text_start, int y) {
        std::string visible = shown(*w, text);
        draw_text_line(dc, kMargin, y, visible);
        if (!show_selection) return;
        size_t b = std::max(sel_begin(*e), text_start), en = std::min(sel_end(*e), text_start + text.size());
        if (b >= en) return;
        int x0 = kMargin + text_width(dc, visible.substr(0, b - text_start));
        int x1 = kMargin + text_width(dc, visible.substr(0, en - text_start));
        fill_solid(dc, RECT{x0, y, x1, y + h}, sys_color(COLOR_HIGHLIGHT));
        COLORREF old = SetTextColor(dc, sys_color(COLOR_HIGHLIGHTTEXT));
        draw_text_line(dc, x0, y, visible.substr(b - text_start, en - b));
        SetTextColor(dc, old);
    };
    if (multiline(*w)) {
        std::vector<size_t> starts = line_starts(w->text);
        for (int line = e->top_line, y = 0; line < static_cast<int>(starts.size()) && y < client.bottom;
             ++line, y += h) {
            draw_line(line_text(w->text, line), starts[static_cast<size_t>(line)], y);
        }
    } else {
        size_t from = std::min(e->first_visible, w->text.size());
        int y = std::max(0, static_cast<int>(client.bottom - h) / 2);
        draw_line(w->text.substr(from), from, y);
    }
    SelectObject(dc, old_font);
}

bool is_digit_text(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void type_character(HWND window, unsigned char c) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return;
    bool read_only = (w->style & ES_READONLY) != 0;
    if (e->lead >= 0) {
        std::string pair{static_cast<char>(e->lead), static_cast<char>(c)};
        e->lead = -1;
        if (read_only) return;
        if (w->style & ES_NUMBER) {
            MessageBeep(0xFFFFFFFF);
            return;
        }
        replace_selection(window, pair, true, true);
        return;
    }
    if (is_sjis_lead_byte(c)) {
        e->lead = c;
        return;
    }
    if (c == '\b') {
        if (read_only) return;
        if (sel_begin(*e) == sel_end(*e)) {
            if (e->caret == 0) return;
            size_t before = previous_char(w->text, e->caret);
            if (multiline(*w) && before > 0 && w->text.compare(before - 1, 2, "\r\n") == 0) --before;
            e->anchor = before;
        }
        replace_selection(window, "", true, true);
        return;
    }
    if (c == '\r' || c == '\n') {
        if (multiline(*w) && !read_only) replace_selection(window, "\r\n", true, true);
        return;
    }
    if (c == '\t') {
        if (multiline(*w) && !read_only) replace_selection(window, "\t", true, true);
        return;
    }
    if (c < 0x20 || c == 0x7F || read_only) return;
    std::string text(1, static_cast<char>(c));
    if ((w->style & ES_NUMBER) && !is_digit_text(text)) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    replace_selection(window, text, true, true);
}

void key_down(HWND window, UINT vk) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    const std::string& t = w->text;
    switch (vk) {
    case VK_LEFT:
        if (!shift && sel_begin(*e) != sel_end(*e)) return move_caret(window, sel_begin(*e), false);
        return move_caret(window, previous_char(t, e->caret) -
                                      ((e->caret >= 2 && t.compare(e->caret - 2, 2, "\r\n") == 0) ? 1 : 0),
                          shift);
    case VK_RIGHT: {
        if (!shift && sel_begin(*e) != sel_end(*e)) return move_caret(window, sel_end(*e), false);
        size_t to = t.compare(e->caret, 2, "\r\n") == 0 ? e->caret + 2 : next_char(t, e->caret);
        return move_caret(window, to, shift);
    }
    case VK_HOME:
        if (multiline(*w)) return move_caret(window, line_starts(t)[static_cast<size_t>(line_of(t, e->caret))], shift);
        return move_caret(window, 0, shift);
    case VK_END:
        if (multiline(*w)) {
            int line = line_of(t, e->caret);
            return move_caret(window, line_starts(t)[static_cast<size_t>(line)] + line_text(t, line).size(), shift);
        }
        return move_caret(window, t.size(), shift);
    case VK_UP:
    case VK_DOWN: {
        if (!multiline(*w)) {
            // A single line takes Up and Down as Left and Right.
            return key_down(window, vk == VK_UP ? VK_LEFT : VK_RIGHT);
        }
        int line = line_of(t, e->caret) + (vk == VK_UP ? -1 : 1);
        int count = static_cast<int>(line_starts(t).size());
        if (line < 0 || line >= count) return;
        size_t column = e->caret - line_starts(t)[static_cast<size_t>(line_of(t, e->caret))];
        size_t start = line_starts(t)[static_cast<size_t>(line)];
        return move_caret(window, start + std::min(column, line_text(t, line).size()), shift);
    }
    case VK_DELETE:
        if (w->style & ES_READONLY) return;
        if (sel_begin(*e) == sel_end(*e)) {
            if (e->caret >= t.size()) return;
            e->anchor = t.compare(e->caret, 2, "\r\n") == 0 ? e->caret + 2 : next_char(t, e->caret);
        }
        replace_selection(window, "", true, true);
        return;
    default:
        return;
    }
}

}  // namespace

LRESULT edit_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    EditState* e = edit_state(window);
    if (!w || !e) return 0;
    LRESULT shared = 0;
    if (handle_shared_control_message(window, message, wparam, lparam, paint_edit, &shared)) return shared;
    switch (message) {
    case WM_CREATE:
        if (multiline(*w)) e->limit = 0x7FFFFFFE;
        return 0;
    case WM_SETTEXT:
        w->text = lparam ? reinterpret_cast<const char*>(lparam) : "";
        e->anchor = e->caret = 0;
        e->first_visible = 0;
        e->top_line = 0;
        e->modified = false;
        InvalidateRect(window, nullptr, TRUE);
        place_caret(window);
        // Windows tells the parent of a single line's new text, not a multi line's.
        if (!multiline(*w)) {
            notify_command(window, EN_UPDATE);
            if (find_window(window)) notify_command(window, EN_CHANGE);
        }
        return TRUE;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        const MSG* m = reinterpret_cast<const MSG*>(lparam);
        if (multiline(*w) && m && m->message == WM_KEYDOWN) {
            if (m->wParam == VK_RETURN && (w->style & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
            if (m->wParam == VK_TAB) code |= DLGC_WANTTAB;
        }
        return code;
    }
    case WM_SETFOCUS:
        e->focused = true;
        CreateCaret(window, nullptr, 1, font_line_height(window));
        scroll_to_caret(window);
        ShowCaret(window);
        InvalidateRect(window, nullptr, TRUE);
        notify_command(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        e->focused = false;
        e->lead = -1;
        if (e->selecting && GetCapture() == window) ReleaseCapture();
        e->selecting = false;
        DestroyCaret();
        InvalidateRect(window, nullptr, TRUE);
        notify_command(window, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SetFocus(window);
        if (!find_window(window)) return 0;
        int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
        int y = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
        e = edit_state(window);
        if (!e) return 0;
        const size_t at = offset_at(window, x, y);
        if (message == WM_LBUTTONDBLCLK) {
            const auto [begin, end] = word_at(w->text, at);
            e->anchor = begin;
            move_caret(window, end, true);
            return 0;
        }
        // Shift extends the selection to the click; the drag that follows
        // moves its end, the button held.
        move_caret(window, at, (wparam & MK_SHIFT) != 0);
        e = edit_state(window);
        if (!e) return 0;
        e->selecting = true;
        SetCapture(window);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (e->selecting && GetCapture() == window && (wparam & MK_LBUTTON)) {
            const int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
            const int y = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
            const size_t at = offset_at(window, x, y);
            if (at != e->caret) move_caret(window, at, true);
        }
        return 0;
    case WM_LBUTTONUP:
        if (e->selecting) {
            e->selecting = false;
            if (GetCapture() == window) ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        e->selecting = false;
        return 0;
    case WM_KEYDOWN:
        key_down(window, static_cast<UINT>(wparam));
        return 0;
    case WM_CHAR:
        type_character(window, static_cast<unsigned char>(wparam));
        return 0;
    case WM_CLEAR:
    case WM_CUT:
        if (!(w->style & ES_READONLY)) replace_selection(window, "", false, true);
        return 0;
    case WM_UNDO:
    case EM_UNDO: {
        if (w->style & ES_READONLY) return FALSE;
        std::string previous = w->text;
        w->text = e->undo_text;
        e->undo_text = previous;
        e->anchor = e->caret = on_boundary(w->text, e->caret);
        changed(window);
        return TRUE;
    }
    case EM_CANUNDO:
        return e->undo_text != w->text;
    case EM_GETSEL: {
        DWORD b = static_cast<DWORD>(sel_begin(*e)), en = static_cast<DWORD>(sel_end(*e));
        if (wparam) *reinterpret_cast<DWORD*>(wparam) = b;
        if (lparam) *reinterpret_cast<DWORD*>(lparam) = en;
        return MAKELPARAM(static_cast<WORD>(std::min<DWORD>(b, 0xFFFF)), static_cast<WORD>(std::min<DWORD>(en, 0xFFFF)));
    }
    case EM_SETSEL: {
        auto start = static_cast<intptr_t>(static_cast<int>(wparam)), end = static_cast<intptr_t>(static_cast<int>(lparam));
        size_t size = w->text.size();
        if (start < 0) {
            // -1 removes the selection, leaving the caret where it is.
            e->anchor = e->caret;
        } else {
            size_t a = std::min(static_cast<size_t>(start), size);
            size_t c = end < 0 ? size : std::min(static_cast<size_t>(end), size);
            e->anchor = on_boundary(w->text, a);
            e->caret = on_boundary(w->text, c);
        }
        InvalidateRect(window, nullptr, TRUE);
        scroll_to_caret(window);
        return 0;
    }
    case EM_REPLACESEL:
        replace_selection(window, lparam ? reinterpret_cast<const char*>(lparam) : "", false, true);
        return 0;
    case EM_LIMITTEXT:
        e->limit = wparam ? static_cast<size_t>(wparam) : (multiline(*w) ? 0xFFFFFFFFu : 0x7FFFFFFEu);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(e->limit);
    case EM_GETMODIFY:
        return e->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        e->modified = wparam != 0;
        return 0;
    case EM_SETREADONLY:
        if (wparam) w->style |= ES_READONLY;
        else w->style &= ~static_cast<DWORD>(ES_READONLY);
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    case EM_SCROLLCARET:
        scroll_to_caret(window);
        return TRUE;
    case EM_GETLINECOUNT:
        return multiline(*w) ? static_cast<LRESULT>(line_starts(w->text).size()) : 1;
    case EM_LINEINDEX: {
        int line = static_cast<int>(wparam) < 0 ? line_of(w->text, e->caret) : static_cast<int>(wparam);
        std::vector<size_t> starts = line_starts(w->text);
        if (!multiline(*w)) return line == 0 ? 0 : -1;
        if (line >= static_cast<int>(starts.size())) return -1;
        return static_cast<LRESULT>(starts[static_cast<size_t>(line)]);
    }
    case EM_LINEFROMCHAR: {
        if (!multiline(*w)) return 0;
        size_t at = static_cast<int>(wparam) < 0 ? sel_begin(*e) : static_cast<size_t>(wparam);
        return line_of(w->text, std::min(at, w->text.size()));
    }
    case EM_LINELENGTH: {
        if (!multiline(*w)) return static_cast<LRESULT>(w->text.size());
        size_t at = static_cast<int>(wparam) < 0 ? e->caret : static_cast<size_t>(wparam);
        return static_cast<LRESULT>(line_text(w->text, line_of(w->text, std::min(at, w->text.size()))).size());
    }
    case EM_GETLINE: {
        if (!lparam) return 0;
        std::string text = multiline(*w) ? line_text(w->text, static_cast<int>(wparam)) : w->text;
        WORD room;
        std::memcpy(&room, reinterpret_cast<void*>(lparam), sizeof room);
        size_t n = std::min(text.size(), static_cast<size_t>(room));
        std::memcpy(reinterpret_cast<char*>(lparam), text.data(), n);
        return static_cast<LRESULT>(n);
    }
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace platform_user
