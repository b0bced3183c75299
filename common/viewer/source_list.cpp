#include "common/analysis/text_utils.h"
#include "common/viewer/source_list.h"

#include <algorithm>
#include <functional>

#include "common/shell/document.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/text/shell_message_numbers.h"
#include "common/viewer/viewer_profile.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/resources.h"
#include "platform/user/shellapi.h"

namespace {

// "ｿｰｽﾘｽﾄ"
constexpr auto& kSourceTitle = "ｿｰｽﾘｽﾄ"_sjis;
// "ソースリスト読み込み"
constexpr auto& kLoadOperation = "ソースリスト読み込み"_sjis;
// "ソースリスト表示"
constexpr auto& kShowOperation = "ソースリスト表示"_sjis;
// "検索"
constexpr auto& kSearchCaption = "検索"_sjis;

// "標準ゴシック"
constexpr auto& kGothicFace = "標準ゴシック"_sjis;

struct ButtonRow {
    int id;
    int x;
    const char* label;
};
constexpr ButtonRow kButtons[kSourceButtonCount] = {
    {kOverlapButtonId, 2, "重ねて表示"_sjis},  // "重ねて表示"
    {kStackButtonId, 92, "並べて表示"_sjis},    // "並べて表示"
    {kSearchButtonId, 182, "検索"_sjis},                          // "検索"
    {kSearchAgainButtonId, 272, "次検索"_sjis},             // "次検索"
    {kCloseSourceButtonId, 362, "閉じる"_sjis},             // "閉じる"
};

// The search dialog, for a program whose resources bring none.
constexpr DialogItemTemplate kSearchItems[] = {
    {"STATIC", "検索文字列："_sjis, -1, 7, 9, 50, 8, 0},  // "検索文字列："
    {"EDIT", "", kSearchFieldId, 58, 7, 150, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "実行"_sjis, IDOK, 48, 26, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},  // "実行"
    {"BUTTON", "取消"_sjis, IDCANCEL, 118, 26, 50, 14, WS_TABSTOP},                // "取消"
};
constexpr DialogTemplate kSearchDialog = {
    "SRCSEARCHDLG", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 216, 46,
    "【 検索文字列入力 】"_sjis,  // "【 検索文字列入力 】"
    9, nullptr, nullptr, nullptr, kSearchItems};

SourceListState g_source_list;

std::string message(int id) {
    const char* text = lookup_message(id);
    return text != nullptr ? text : "";
}

void show_status(int mode, const std::string& text) {
    if (g_source_list.hooks.set_status_text) g_source_list.hooks.set_status_text(mode, text);
}
void show_status_message(int id) { show_status(1, message(id)); }
void restore_status() { show_status(0, ""); }

void show_box(HWND owner, const std::string& caption, std::string_view line1, std::string_view line2,
              std::string_view line3, UINT icon) {
    const std::string text = join_box_lines(line1, line2, line3);
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | icon);
}

int refuse_unloaded() {
    MessageBeep(0);
    show_status_message(document_state().file_name.empty() ? shell_message::kChooseFile
                                                           : viewer_profile().messages.source_unloaded);
    return -1;
}

// Where a failed source load leaves the document loaded, a step needs the source itself.
bool source_steps_refused() {
    const DocumentState& doc = document_state();
    return !doc.loaded || (!viewer_profile().source_failure_unloads_document && !doc.source_loaded);
}

// "name - ｿｰｽﾘｽﾄ" where the profile names the file and a source is loaded.
std::string source_window_title() {
    const DocumentState& doc = document_state();
    if (!viewer_profile().source_title_names_file || !doc.source_loaded || doc.source_name.empty())
        return kSourceTitle;
    return std::string(file_part(doc.source_name)) + " - " + kSourceTitle;
}

// --- Drawing objects -----------------------------------------------------------------

HFONT list_font() {
    SourceListState& s = g_source_list;
    if (s.font == nullptr) {
        s.font = CreateFontA(14, 7, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, 0, 0,
                             FIXED_PITCH, kGothicFace);
        s.made_font = true;
    }
    return s.font;
}

HBRUSH background_brush() {
    SourceListState& s = g_source_list;
    if (s.background_brush == nullptr) s.background_brush = CreateSolidBrush(s.background_colour);
    return s.background_brush;
}

HBITMAP marker_bitmap() {
    SourceListState& s = g_source_list;
    if (s.marker_bitmap == nullptr) s.marker_bitmap = LoadBitmapA(s.instance, viewer_profile().source_bitmap);
    return s.marker_bitmap;
}

// The list's device context: the paint context while a paint is handled.
class ListDc {
public:
    explicit ListDc(HWND window) : window_(window) {
        if (window == g_source_list.list && g_source_list.paint_dc != nullptr) {
            dc_ = g_source_list.paint_dc;
        } else {
            dc_ = GetDC(window);
            owned_ = true;
        }
    }
    ~ListDc() {
        if (owned_) ReleaseDC(window_, dc_);
    }
    ListDc(const ListDc&) = delete;
    ListDc& operator=(const ListDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_ = nullptr;
    bool owned_ = false;
};

// The marker bitmap stretched over one line's row, inverted.
void invert_marker(HDC dc, int row, int width) {
    HBITMAP bitmap = marker_bitmap();
    if (bitmap == nullptr) {
        PatBlt(dc, 0, row - 1, width, 17, DSTINVERT);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchBlt(dc, 0, row - 1, width, 17, memory, 0, 0, 16, 16, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
}

bool valid_current_line() {
    const int line = document_state().current_source_line;
    return line >= 1 && line <= kMaxSourceLines && line <= g_source_list.text.count();
}

int current_row() { return (document_state().current_source_line - 1 - g_source_list.top) * kSourceRowHeight; }

bool row_visible(int row) { return row > -kSourceRowHeight && row < g_source_list.list_height; }

// Moves the list's marker to the current line (nothing when it is there).
// A hidden list takes no drawing, so no marker is recorded for it: the paint
// that shows the list marks the line.
void mark_list_line() {
    SourceListState& s = g_source_list;
    if (s.list == nullptr) return;
    if (!IsWindowVisible(s.list)) {
        s.list_marker_row = -1;
        return;
    }
    const int row = valid_current_line() && row_visible(current_row()) ? current_row() : -1;
    if (row == s.list_marker_row) return;
    ListDc dc(s.list);
    if (s.list_marker_row != -1) invert_marker(dc.get(), s.list_marker_row, s.list_width);
    s.list_marker_row = row;
    if (row != -1) invert_marker(dc.get(), row, s.list_width);
}

void draw_etched_edge(HDC dc, int width, int height) {
    HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dc, grey);
    MoveToEx(dc, width - 2, 1, nullptr);
    LineTo(dc, width - 2, height);
    SelectObject(dc, white);
    MoveToEx(dc, width - 1, 1, nullptr);
    LineTo(dc, width - 1, height);
    SelectObject(dc, old);
    DeleteObject(grey);
    DeleteObject(white);
}

void paint_line_numbers(HDC dc) {
    SourceListState& s = g_source_list;
    RECT client{};
    GetClientRect(s.line_numbers, &client);
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HGDIOBJ old_pen = SelectObject(dc, outline);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    Rectangle(dc, 0, 0, client.right - 3, client.bottom);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(outline);

    HGDIOBJ old_font = SelectObject(dc, list_font());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    const int rows = client.bottom / kSourceRowHeight + 1;
    for (int i = s.top; i - s.top < rows && i < s.text.count(); ++i) {
        const std::string number = format_text("%6d", i + 1);
        TextOutA(dc, 0, (i - s.top) * kSourceRowHeight, number.c_str(), static_cast<int>(number.size()));
    }
    SelectObject(dc, old_font);
    s.number_marker_row = -1;
    if (valid_current_line() && row_visible(current_row())) {
        s.number_marker_row = current_row();
        invert_marker(dc, s.number_marker_row, 42);
    }
}

void repaint_line_numbers() {
    SourceListState& s = g_source_list;
    if (s.line_numbers == nullptr) return;
    ListDc dc(s.line_numbers);
    paint_line_numbers(dc.get());
}

void fill_list(HDC dc) {
    SourceListState& s = g_source_list;
    RECT client{0, 0, s.list_width, s.list_height};
    FillRect(dc, &client, background_brush());
    s.list_marker_row = -1;
}

// Draws entry `index` at its row; the caller has selected the list's font,
// colour and transparent mode.
void draw_entry(HDC dc, int index) {
    SourceListState& s = g_source_list;
    if (index < 0 || index >= s.text.count()) return;
    // the number itself is shown in SRCLNO; the text starts with the blank after it
    const std::string& entry = s.text.entries[static_cast<size_t>(index)];
    const std::string_view shown = std::string_view(entry).substr(std::min<size_t>(6, entry.size()));
    TextOutA(dc, -kSourceCharWidth * s.left, (index - s.top) * kSourceRowHeight, shown.data(),
             static_cast<int>(shown.size()));
}

// Selects the list's font and text colour for drawing entries; restores the font.
class EntryTextScope {
public:
    explicit EntryTextScope(HDC dc) : dc_(dc) {
        old_font_ = SelectObject(dc_, list_font());
        SetTextColor(dc_, g_source_list.text_colour);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~EntryTextScope() { SelectObject(dc_, old_font_); }
    EntryTextScope(const EntryTextScope&) = delete;
    EntryTextScope& operator=(const EntryTextScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_font_;
};

void draw_lines() {
    SourceListState& s = g_source_list;
    if (s.list == nullptr) return;
    {
        ListDc dc(s.list);
        fill_list(dc.get());
        show_status_message(shell_message::kShowing);
        EntryTextScope text(dc.get());
        const int rows = s.list_height / kSourceRowHeight;
        for (int i = s.top; i - s.top <= rows && i < s.text.count(); ++i) draw_entry(dc.get(), i);
    }
    mark_list_line();
    restore_status();
}

// A line step: the shown pixels move by one row and only the rows that
// come into view are drawn again. The marker is taken away before the copy
// so that it does not travel with the pixels.
void step_list_by_one_row(bool up) {
    SourceListState& s = g_source_list;
    {
        ListDc dc(s.list);
        if (s.list_marker_row != -1) invert_marker(dc.get(), s.list_marker_row, s.list_width);
        s.list_marker_row = -1;
        const int kept = std::max(0, s.list_height - kSourceRowHeight);
        BitBlt(dc.get(), 0, up ? kSourceRowHeight : 0, s.list_width, kept, dc.get(), 0, up ? 0 : kSourceRowHeight,
               SRCCOPY);
    }
    // a step down also redraws the row cut by the list's bottom and the one below it
    if (up) highlight_source_lines(s.top, 1);
    else highlight_source_lines(s.list_height / kSourceRowHeight + s.top - 2, 3);
    mark_list_line();
}

void set_thumbs() {
    SourceListState& s = g_source_list;
    if (s.view == nullptr) return;
    SetScrollPos(s.view, SB_VERT, s.top, TRUE);
    SetScrollPos(s.view, SB_HORZ, s.left, TRUE);
}

void set_scroll_ranges() {
    SourceListState& s = g_source_list;
    if (s.view == nullptr) return;
    const int vertical = source_vertical_range(s.text.count(), s.list_height);
    const int horizontal = source_horizontal_range(s.text.widest, s.list_width);
    if (vertical == 0) s.top = 0;
    if (horizontal == 0) s.left = 0;
    SetScrollRange(s.view, SB_VERT, 0, vertical, TRUE);
    SetScrollRange(s.view, SB_HORZ, 0, horizontal, TRUE);
}

// Brings the current source line into view and marks it; a line outside
// the table selects nothing.
int show_current_line() {
    SourceListState& s = g_source_list;
    if (!valid_current_line()) {
        MessageBeep(0);
        return -1;
    }
    const int line = document_state().current_source_line;
    const int y = (line - s.top) * kSourceRowHeight;
    if (y - kSourceRowHeight < 0 || y > s.list_height) {
        int top = line - s.list_height / 30;
        if (viewer_profile().source_current_line_keeps_list_filled)
            top = std::min(top, s.text.count() - s.list_height / kSourceRowHeight + 3);
        s.top = std::max(0, top);
        draw_lines();
        set_thumbs();
        repaint_line_numbers();
    }
    mark_list_line();
    return 0;
}

void keep_list_size() {
    SourceListState& s = g_source_list;
    RECT client{};
    if (s.list != nullptr && GetClientRect(s.list, &client)) {
        s.list_width = client.right;
        s.list_height = client.bottom;
    }
}

void keep_geometry_and_save(HWND window) {
    SourceListState& s = g_source_list;
    if (IsIconic(window) || IsZoomed(window)) return;
    RECT rect{};
    GetWindowRect(window, &rect);
    s.geometry = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    save_window_placement(viewer_profile().placement, kSourceListWindow, s.geometry, false);
}

void layout_children(HWND window) {
    SourceListState& s = g_source_list;
    RECT client{};
    GetClientRect(window, &client);
    const int w = client.right;
    const int h = std::max(0L, static_cast<long>(client.bottom) - kSourceBarHeight - 2);
    if (s.control) MoveWindow(s.control, 0, 0, w, kSourceBarHeight, TRUE);
    if (s.separator) MoveWindow(s.separator, 0, kSourceBarHeight, w, 2, TRUE);
    if (s.list) MoveWindow(s.list, kSourceLineNoWidth, kSourceBarHeight + 2, std::max(0, w - kSourceLineNoWidth), h, TRUE);
    if (s.line_numbers) MoveWindow(s.line_numbers, 0, kSourceBarHeight + 2, kSourceLineNoWidth, h, TRUE);
    keep_list_size();
    set_scroll_ranges();
}

void handle_key(HWND window, WPARAM key) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (key) {
    case VK_TAB: scroll_source_view(1, window, shift ? SB_PAGELEFT : SB_PAGERIGHT); break;
    case VK_PRIOR: scroll_source_view(0, window, SB_PAGEUP); break;
    case VK_NEXT: scroll_source_view(0, window, SB_PAGEDOWN); break;
    case VK_UP: scroll_source_view(0, window, SB_LINEUP); break;
    case VK_DOWN: scroll_source_view(0, window, SB_LINEDOWN); break;
    case VK_LEFT: scroll_source_view(1, window, SB_LINELEFT); break;
    case VK_RIGHT: scroll_source_view(1, window, SB_LINERIGHT); break;
    default: break;
    }
}

void handle_mouse_move(HWND window) {
    SourceListState& s = g_source_list;
    if (document_state().busy) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    } else if (s.last_entered != window) {
        s.last_entered = window;
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    }
}

constexpr size_t kSearchTextLimit = 255;

// The search the open SRCSEARCHDLG serves: its text and what 実行 runs.
struct SearchDialogUse {
    HWND centre_owner = nullptr;
    std::string* text = nullptr;
    std::function<void(HWND dialog)> search;
};
SearchDialogUse g_search_use;

INT_PTR search_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    const SearchDialogUse& use = g_search_use;
    switch (message) {
    case WM_INITDIALOG:
        center_over_frame(dialog, use.centre_owner);
        SetDlgItemTextA(dialog, viewer_profile().search_field_id, use.text->c_str());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            std::string text = dialog_kit::field_text(dialog, viewer_profile().search_field_id);
            if (text.size() > kSearchTextLimit) {
                // a program that refuses long texts says so; else the text is cut
                if (viewer_profile().refuse_long_texts) {
                    dialog_kit::warn(dialog, format_text(lookup_message(shell_message::kBadValue), text.c_str()));
                    return TRUE;
                }
                cut_at_char_boundary(text, static_cast<int>(kSearchTextLimit));
            }
            *use.text = text;
            // the dialog stays open: each 実行 searches on
            if (use.search) use.search(dialog);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void SourceListState::reset() {
    if (view != nullptr && IsWindow(view)) DestroyWindow(view);
    if (made_font && font != nullptr) DeleteObject(font);
    if (background_brush != nullptr) DeleteObject(background_brush);
    *this = SourceListState{};
}

SourceListState& source_list() { return g_source_list; }

void draw_source_lines() { draw_lines(); }

void highlight_source_lines(int first, int count) {
    SourceListState& s = g_source_list;
    if (s.list == nullptr) return;
    ListDc dc(s.list);
    EntryTextScope text(dc.get());
    for (int i = std::max(first, s.top); i < first + count; ++i) {
        const int y = (i - s.top) * kSourceRowHeight;
        if (y >= s.list_height) break;
        const RECT row{0, y, s.list_width, y + kSourceRowHeight};
        FillRect(dc.get(), &row, background_brush());
        draw_entry(dc.get(), i);
    }
}

int is_source_window_below_screen() {
    RECT r{};
    if (g_source_list.list == nullptr || !GetWindowRect(g_source_list.list, &r)) return 0;
    return r.bottom > GetSystemMetrics(SM_CYSCREEN) ? 1 : 0;
}
int show_current_source_line() { return show_current_line(); }
void repaint_source_line_numbers() { repaint_line_numbers(); }
void set_source_scroll_ranges() {
    set_scroll_ranges();
    set_thumbs();
}

// --- Classes and window procedures ------------------------------------------------------

int register_source_classes(HINSTANCE instance) {
    g_source_list.instance = instance;
    const HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const WindowClassRow classes[] = {
        {kSourceViewClass, source_view_wnd_proc, grey, true, nullptr, arrow},
        {kSourceControlClass, source_view_wnd_proc, grey, false, nullptr, arrow},
        {kSourceLineNoClass, source_line_no_wnd_proc, grey, false, nullptr, arrow},
        {kSourceListClass, source_list_wnd_proc, grey, false, nullptr, arrow},
        {kSourceSeparatorClass, separator_wnd_proc, grey, false, nullptr, arrow},
    };
    return register_window_class_rows(instance, classes);
}

LRESULT source_view_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    SourceListState& s = g_source_list;
    const bool is_view = window == s.view;
    switch (message) {
    case WM_PAINT: ValidateRect(window, nullptr); return 0;
    case WM_DESTROY:
        if (is_view) {
            s.open = false;
            s.view = s.control = s.separator = s.list = s.line_numbers = nullptr;
            std::fill(std::begin(s.buttons), std::end(s.buttons), nullptr);
            s.list_marker_row = s.number_marker_row = -1;
        }
        return 0;
    case WM_SIZE:
        if (!is_view) break;
        layout_children(window);
        keep_geometry_and_save(window);
        return 0;
    case WM_MOVE:
        if (!is_view) break;
        keep_geometry_and_save(window);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case kOverlapButtonId: tile_source_window(0, s.owner); return 0;
        case kStackButtonId: tile_source_window(1, s.owner); return 0;
        case kSearchButtonId: search_source(s.view, 0); return 0;
        case kSearchAgainButtonId: search_source(s.view, 1); return 0;
        case kCloseSourceButtonId:
        case kCloseSourceCommand: close_source_list_window(); return 0;
        case kOverlapCommand: tile_source_window(0, s.owner); return 0;
        case kStackCommand: tile_source_window(1, s.owner); return 0;
        case kSearchCommand: search_source(s.view, 0); return 0;
        case kSearchAgainCommand: search_source(s.view, 1); return 0;
        default: return 0;
        }
    case WM_KEYDOWN: handle_key(window, wparam); return 0;
    case WM_HSCROLL: scroll_source_view(1, window, wparam); return 0;
    case WM_VSCROLL: scroll_source_view(0, window, wparam); return 0;
    case WM_MOUSEMOVE: handle_mouse_move(window); return 0;
    case WM_NCMOUSEMOVE: s.last_entered = nullptr; break;
    default: break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT source_list_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    SourceListState& s = g_source_list;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        s.paint_dc = BeginPaint(window, &paint);
        if (s.text.count() > 0) draw_lines();
        s.paint_dc = nullptr;
        EndPaint(window, &paint);
        repaint_line_numbers();
        return 0;
    }
    case WM_LBUTTONDOWN:
        select_source_line_at(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_MOUSEMOVE: handle_mouse_move(window); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT source_line_no_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        paint_line_numbers(dc);
        draw_etched_edge(dc, client.right, client.bottom);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        select_source_line_at(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_MOUSEMOVE: handle_mouse_move(window); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT separator_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wparam, lparam);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    draw_etched_line(dc, client.right);
    EndPaint(window, &paint);
    return 0;
}

// --- Loading ------------------------------------------------------------------------------

int load_source_text() {
    SourceListState& s = g_source_list;
    DocumentState& doc = document_state();
    const std::string caption = make_box_caption(kLoadOperation);
    const std::string name_line = format_text(message(shell_message::kFileName).c_str(), doc.source_name.c_str());
    s.top = 0;
    s.left = 0;
    s.list_marker_row = s.number_marker_row = -1;
    const ViewerProfile& profile = viewer_profile();
    const std::string open_caption =
        profile.source_open_error_caption != nullptr ? profile.source_open_error_caption : caption;
    const auto refuse = [&](const std::string& box_caption) {
        if (profile.source_failure_unloads_document) doc.loaded = false;
        doc.source_loaded = false;
        s.text.clear();
        show_box(s.owner, box_caption, message(shell_message::kOpenError), name_line, "", MB_ICONEXCLAMATION);
        return -1;
    };
    // a source that cannot be read is told before anything is loaded
    if (!doc.source_name.empty() && !crt_can_read(doc.source_name.c_str())) return refuse(open_caption);
    show_status_message(shell_message::kLoading);
    if (doc.source_name.empty() && profile.messages.no_source != 0) {
        s.text.clear();
        doc.source_loaded = false;
        show_box(s.owner, make_box_caption(kShowOperation), message(profile.messages.no_source), "", "",
                 MB_ICONEXCLAMATION);
        return -1;
    }
    const SourceLoadResult result = load_source_lines(doc.source_name, doc.tab_width, s.text);
    if (result.status != 0)
        return refuse(profile.source_reopen_error_caption != nullptr ? profile.source_reopen_error_caption
                                                                     : open_caption);
    doc.loaded = true;
    doc.source_loaded = true;
    if (s.view != nullptr) SetWindowTextA(s.view, source_window_title().c_str());
    if (result.too_many_lines) {
        show_box(s.owner, caption, message(shell_message::kTooLarge), message(profile.messages.lines_left_out),
                 doc.source_name, MB_ICONEXCLAMATION);
    } else if (result.cut) {
        show_box(s.owner, caption, message(shell_message::kLineCut), doc.source_name, "", MB_ICONEXCLAMATION);
    }
    return 0;
}

void reload_source_list() {
    load_source_text();
    follow_current_function();
}

// --- The window -------------------------------------------------------------------------------

HWND open_source_list_window(HWND owner) {
    SourceListState& s = g_source_list;
    if (s.open && s.view != nullptr) return s.view;
    s.owner = owner;
    WindowPlacement place{200, 100, s.geometry.width, s.geometry.height};
    load_window_placement(viewer_profile().placement, kSourceListWindow, place);
    s.geometry = place;
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                            WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    const char* menu_name = viewer_profile().source_menu;
    HMENU menu = menu_name != nullptr ? LoadMenuA(s.instance, menu_name) : nullptr;
    HWND view = CreateWindowA(kSourceViewClass, source_window_title().c_str(), style, place.x, place.y, place.width, place.height,
                              owner, menu, s.instance, nullptr);
    if (view == nullptr) return nullptr;
    s.view = view;
    RECT client{};
    GetClientRect(view, &client);
    const int w = client.right;
    const int h = std::max(0L, static_cast<long>(client.bottom) - kSourceBarHeight - 2);
    auto child = [&](const char* cls, int x, int y, int cw, int ch, int id) {
        return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, cw, ch, view,
                             reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), s.instance, nullptr);
    };
    s.control = child(kSourceControlClass, 0, 0, w, kSourceBarHeight, kSourceControlId);
    s.separator = child(kSourceSeparatorClass, 0, kSourceBarHeight, w, 2, kSourceSeparatorId);
    s.list = child(kSourceListClass, kSourceLineNoWidth, kSourceBarHeight + 2, std::max(0, w - kSourceLineNoWidth),
                   h, kSourceListId);
    s.line_numbers = child(kSourceLineNoClass, 0, kSourceBarHeight + 2, kSourceLineNoWidth, h, kSourceListId);
    if (s.list != nullptr) SetClassLongPtrA(s.list, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background_brush()));
    if (s.button_font == nullptr) {
        s.button_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    for (int i = 0; i < kSourceButtonCount; ++i) {
        s.buttons[i] = CreateWindowA("BUTTON", kButtons[i].label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                     kButtons[i].x, 2, 88, 17, s.control,
                                     reinterpret_cast<HMENU>(static_cast<intptr_t>(kButtons[i].id)), s.instance,
                                     nullptr);
        if (s.buttons[i] != nullptr) SendMessageA(s.buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(s.button_font), 0);
    }
    if (HMENU system = GetSystemMenu(view, FALSE)) DeleteMenu(system, SC_MINIMIZE, MF_BYCOMMAND);
    keep_list_size();
    s.open = true;
    follow_current_function();
    ShowWindow(view, SW_SHOW);
    UpdateWindow(view);
    return view;
}

void close_source_list_window() {
    SourceListState& s = g_source_list;
    if (s.view != nullptr) DestroyWindow(s.view);
}

bool source_list_open() { return g_source_list.open; }

int clear_source_list_view() {
    SourceListState& s = g_source_list;
    if (!s.open || s.list == nullptr) return -1;
    ListDc dc(s.list);
    fill_list(dc.get());
    return 0;
}

void forget_source_marker() {
    g_source_list.list_marker_row = -1;
    g_source_list.number_marker_row = -1;
}

void set_source_search_start(int line) { g_source_list.search_start = line; }

void show_source_listing(int top) {
    SourceListState& s = g_source_list;
    s.top = std::max(0, top);
    s.text.widest = longest_source_entry(s.text);
    forget_source_marker();
    set_scroll_ranges();
    draw_lines();
    show_current_line();
    repaint_line_numbers();
    set_scroll_ranges();
    restore_status();
}

int follow_current_function() {
    SourceListState& s = g_source_list;
    if (viewer_hooks().follow_function) return viewer_hooks().follow_function();
    if (!s.open) return -1;
    if (!document_state().source_loaded || s.text.count() == 0) {
        clear_source_list_view();
        return -1;
    }
    s.list_marker_row = -1;
    s.text.widest = longest_source_entry(s.text);
    const int n = s.text.count();
    const int visible = s.list_height / kSourceRowHeight - 1;
    s.top = n < visible ? std::max(0, n - visible + 3) : 0;
    set_scroll_ranges();
    draw_lines();
    show_current_line();
    repaint_line_numbers();
    set_thumbs();
    restore_status();
    return 0;
}

// --- Searching ----------------------------------------------------------------------------

int run_source_search(HWND box_owner) {
    SourceListState& s = g_source_list;
    DocumentState& doc = document_state();
    if (s.search_text.empty()) {
        show_box(box_owner, kSearchCaption, message(shell_message::kEnterText), "", "", MB_ICONINFORMATION);
        return -1;
    }
    show_status_message(shell_message::kSearching);
    const int found = find_in_source(s.text, s.search_start, s.search_text, s.search_end);
    restore_status();
    const ViewerHooks& hooks = viewer_hooks();
    if (found >= 0) {
        doc.current_source_line = found + 1;
        s.search_start = found + 1;
        if (hooks.source_line_found) hooks.source_line_found(found + 1);
    } else {
        const int not_found = hooks.not_found_message ? hooks.not_found_message() : viewer_profile().search_not_found_message;
        show_box(box_owner, kSearchCaption, message(not_found), "", "", MB_ICONINFORMATION);
    }
    show_current_line();
    repaint_line_numbers();
    return found >= 0 ? 0 : -1;
}

int search_source(HWND owner, int again) {
    SourceListState& s = g_source_list;
    if (source_steps_refused() || !document_state().source_loaded) return refuse_unloaded();
    int start = 0;
    s.search_end = -1;
    if (viewer_hooks().search_range) viewer_hooks().search_range(again != 0, start, s.search_end);
    if (again != 0) return run_source_search(owner);
    s.search_start = start;
    run_search_text_dialog(owner, s.owner, s.search_text, [](HWND dialog) { run_source_search(dialog); });
    return 0;
}

int run_search_text_dialog(HWND owner, HWND centre_owner, std::string& text, std::function<void(HWND dialog)> search) {
    const SearchDialogUse kept = g_search_use;
    g_search_use = SearchDialogUse{centre_owner, &text, std::move(search)};
    const DialogTemplate* dialog = find_dialog_resource("SRCSEARCHDLG");
    const INT_PTR result = DialogBoxIndirectParamA(g_source_list.instance, dialog != nullptr ? dialog : &kSearchDialog,
                                                   owner, search_dialog_proc, 0);
    g_search_use = kept;
    return static_cast<int>(result);
}

// --- Scrolling and clicks -------------------------------------------------------------------

int scroll_source_view(int axis, HWND, WPARAM code) {
    SourceListState& s = g_source_list;
    const DocumentState& doc = document_state();
    if (source_steps_refused()) return refuse_unloaded();
    SourceScrollMetrics m;
    m.rows = s.list_height / kSourceRowHeight;
    m.count = s.text.count();
    m.widest = s.text.widest;
    m.columns = s.list_width / kSourceCharWidth;
    m.tab = doc.tab_width > 0 ? doc.tab_width : 4;
    const int position = static_cast<short>(HIWORD(code));
    if (axis == 1) {
        const int left = source_horizontal_step(LOWORD(code), position, s.left, m);
        if (left == kScrollIgnored) return 0;
        if (left == kScrollRefused) {
            MessageBeep(0);
            return -1;
        }
        s.left = left;
        draw_lines();
        if (s.view) SetScrollPos(s.view, SB_HORZ, s.left, TRUE);
        return 0;
    }
    const int top = source_vertical_step(LOWORD(code), position, s.top, m);
    if (top == kScrollIgnored) return 0;
    if (top == kScrollRefused) {
        MessageBeep(0);
        return -1;
    }
    s.top = top;
    const int request = LOWORD(code);
    const bool line_step = request == SB_LINEUP || request == SB_LINEDOWN;
    if (line_step && viewer_profile().source_line_steps_scroll && s.list != nullptr && IsWindowVisible(s.list) &&
        !is_source_window_below_screen())
        step_list_by_one_row(request == SB_LINEUP);
    else
        draw_lines();  // also moves the marker with its line
    repaint_line_numbers();
    if (s.view) SetScrollPos(s.view, SB_VERT, s.top, TRUE);
    return 0;
}

int select_source_line_at(int, int y) {
    SourceListState& s = g_source_list;
    if (y < 0) return -1;
    const int index = y / kSourceRowHeight + s.top;
    if (viewer_hooks().source_line_chosen) {
        viewer_hooks().source_line_chosen(index);
        return 0;
    }
    if (index >= kMaxSourceLines || index >= s.text.count()) return -1;
    document_state().current_source_line = index + 1;
    s.search_start = index;
    show_current_line();
    repaint_line_numbers();
    return 0;
}

void tile_source_window(int stacked, HWND main_window) {
    SourceListState& s = g_source_list;
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    RECT main{};
    if (main_window != nullptr) GetWindowRect(main_window, &main);
    if (stacked == 1) {
        if (main_window != nullptr) MoveWindow(main_window, main.left, main.top, 880, sh / 2 + 28, TRUE);
        if (s.view != nullptr) MoveWindow(s.view, 0, sh / 2 + 28, 880, sh / 2 - 28, TRUE);
    } else {
        if (main_window != nullptr) MoveWindow(main_window, main.left, main.top, 880, 600, TRUE);
        if (s.view != nullptr) MoveWindow(s.view, sw - 680, sh - 500, 680, 500, TRUE);
    }
}

void set_source_list_colours(COLORREF text, COLORREF background) {
    SourceListState& s = g_source_list;
    s.text_colour = text;
    s.background_colour = background;
    if (s.background_brush != nullptr) DeleteObject(s.background_brush);
    s.background_brush = nullptr;
    if (s.list != nullptr)
        SetClassLongPtrA(s.list, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background_brush()));
}

// --- The user's editor ------------------------------------------------------------------------

int launch_editor(HWND frame, std::string_view editor_command) {
    std::string command(editor_command);
    if (command.empty()) {
        show_info_box(1, viewer_profile().editor_caption, message(shell_message::kNoEditor));
        return shell_message::kNoEditor;
    }
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
        command = command.substr(1, command.size() - 2);
    // the last ':', '\' or '/' from position 1 on, never a trail byte
    int separator = -1;
    for (size_t i = 0; i < command.size();) {
        const char c = command[i];
        if (i >= 1 && (c == ':' || c == '\\' || c == '/')) separator = static_cast<int>(i);
        const auto byte = static_cast<unsigned char>(c);
        const bool lead = is_lead_byte(byte);
        i += lead && i + 1 < command.size() ? 2 : 1;
    }
    std::string program = command;
    std::string directory;
    if (separator >= 0) {
        program = command.substr(static_cast<size_t>(separator) + 1);
        directory = command.substr(0, static_cast<size_t>(separator));
    }
    const DocumentState& doc = document_state();
    const std::string parameters = doc.source_loaded ? doc.source_name : std::string();
    HINSTANCE result = ShellExecuteA(frame, "open", program.c_str(), parameters.c_str(), directory.c_str(), SW_SHOW);
    if (reinterpret_cast<intptr_t>(result) < 32) {
        show_info_box(1, viewer_profile().editor_caption, message(shell_message::kEditorFailed), editor_command);
        return shell_message::kEditorFailed;
    }
    return 0;
}
