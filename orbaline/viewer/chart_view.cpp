#include "orbaline/viewer/chart_view.h"

#include <algorithm>
#include <cstdio>

#include "common/shell/document.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/chart_layout.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/gdi/wingdi.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kMarkerSize = 16;
constexpr int kMaxPieces = 8;

// The drawing DC of the moment: the paint DC while WM_PAINT runs.
HDC g_paint_dc = nullptr;

struct ViewDc {
    HWND window;
    HDC dc;
    bool owned;
    explicit ViewDc(HWND w) : window(w), dc(g_paint_dc), owned(false) {
        if (dc == nullptr && window != nullptr) {
            dc = GetDC(window);
            owned = dc != nullptr;
        }
    }
    ~ViewDc() {
        if (owned) ReleaseDC(window, dc);
    }
    ViewDc(const ViewDc&) = delete;
    ViewDc& operator=(const ViewDc&) = delete;
};

ChartSession& session() { return chart(); }
OrbalineState& view() { return orbaline(); }

// Every primitive of the view shifts by the horizontal scroll and the
// top margin the same way.
int shift_x(int x) { return x - kChartCellWidth * (session().left_column + 1); }
int shift_y(int y) { return y - 10; }

void chart_line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, shift_x(x1), shift_y(y1), nullptr);
    LineTo(dc, shift_x(x2), shift_y(y2));
}

void chart_box(HDC dc, int x1, int y1, int x2, int y2) {
    HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, shift_x(x1), shift_y(y1), shift_x(x2), shift_y(y2));
    SelectObject(dc, old);
}

void chart_text(HDC dc, int line, int column, const std::string& text, COLORREF colour) {
    if (text.empty()) return;
    SetTextColor(dc, colour);
    TextOutA(dc, shift_x(column * kChartCellWidth), shift_y(line * kChartCellHeight), text.c_str(),
             static_cast<int>(text.size()));
}

void draw_row_number(HDC dc, int column, int line, int row) {
    if (session().row_numbers == 0) return;
    char text[24];
    const int length = std::snprintf(text, sizeof text, " [%d]", row);
    SetTextColor(dc, view().row_number_colour);
    TextOutA(dc, shift_x(column * kChartCellWidth), shift_y(line * kChartCellHeight + 2), text, length);
}

// The middle line of a row n: one higher when L is even.
int middle_line(const ChartMetrics& m, int n) {
    const int rows = m.box_lines + 2;
    return rows * n + rows / 2 + 1 - (m.box_lines % 2 == 0 ? 1 : 0);
}

void draw_connectors(HDC dc, const ChartMetrics& m, int row, int n) {
    const ChartTable& table = session().table;
    const int top = (m.box_lines + 2) * n + 1;
    const int bottom = top + m.box_lines + 2;
    const int ym = middle_line(m, n);
    SelectObject(dc, view().thin_pen);
    for (int column = 0; column < kChartColumns; ++column) {
        const int32_t code = table.code(row, column);
        if (is_coded_node(code)) break;
        const int xc = (8 * column + 4 + 4 + 2) * kChartCellWidth;
        const auto vertical = [&](int end_line) {
            chart_line(dc, xc, top * kChartCellHeight - 7, xc, end_line * kChartCellHeight + 7);
        };
        const auto arm = [&] {
            chart_line(dc, xc, ym * kChartCellHeight + 7, xc + 4 * kChartCellWidth, ym * kChartCellHeight + 7);
        };
        switch (code) {
        case kCodeBranch: vertical(bottom); arm(); break;
        case kCodeLastBranch: vertical(ym); arm(); break;
        case kCodePassThrough: vertical(bottom); break;
        default: break;
        }
    }
}

void draw_node(HDC dc, const ChartMetrics& m, int row, int n) {
    const ChartTable& table = session().table;
    const int column = node_column(table, row);
    if (column >= kChartColumns) return;
    const int top = (m.box_lines + 2) * n + 1;
    const int x0 = 8 * column + 4 + 2;
    SelectObject(dc, view().thick_pen);
    chart_box(dc, x0 * kChartCellWidth, top * kChartCellHeight + 7, (x0 + 2 * m.box_width + 2) * kChartCellWidth,
              (top + m.box_lines + 2) * kChartCellHeight - 7);
    std::string pieces[kMaxPieces];
    const int count = split_node_text(table.text(row, column), 2 * m.box_width, pieces, kMaxPieces);
    const int text_column = 8 * column + 4 + 3;
    for (int k = 0; k < std::min(count, m.box_lines); ++k)
        chart_text(dc, top + k + 1, text_column, pieces[k], view().text_colour);
    draw_row_number(dc, text_column + 2 * m.box_width + 1, m.box_lines > 1 ? top + 2 : top + 1, row);
}

int draw_chart_rows(HDC dc) {
    ChartSession& s = session();
    if (s.row_count() <= 0) return -1;
    const ChartMetrics m = chart_metrics();
    HGDIOBJ old_font = SelectObject(dc, shell().list_font);
    HGDIOBJ old_pen = SelectObject(dc, view().thin_pen);
    SetBkMode(dc, TRANSPARENT);
    const int last = std::min(s.row_count(), s.top_row + s.visible_rows - 1);
    for (int row = s.top_row; row <= last; ++row) {
        const int n = row - s.top_row;
        draw_connectors(dc, m, row, n);
        draw_node(dc, m, row, n);
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_font);
    return 0;
}

void invert_marker(HDC dc, int x, int y) {
    HBITMAP bitmap = shell().pad_bitmap;
    if (bitmap == nullptr) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, kMarkerSize, kMarkerSize, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void refuse_without_chart() {
    show_message_line(1, message_text(chart_missing_message(session())));
}

bool has_rows() { return session().loaded && session().row_count() > 0; }

void set_vertical_position() {
    if (shell().chart != nullptr) SetScrollPos(shell().chart, SB_VERT, session().top_row, TRUE);
}

void set_horizontal_position() {
    if (shell().chart != nullptr) SetScrollPos(shell().chart, SB_HORZ, session().left_column, TRUE);
}

void draw_pane(HWND box, const std::string& text, const std::string& blue_part, int text_x) {
    if (box == nullptr) return;
    char current[512] = {};
    GetWindowTextA(box, current, sizeof current);
    if (text != current) SetWindowTextA(box, text.c_str());
    HDC dc = GetDC(box);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(box, &client);
    HGDIOBJ old_font = SelectObject(dc, shell().button_font);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    HPEN frame_pen = CreatePen(PS_SOLID, 1, kLightGrey);
    HGDIOBJ old_pen = SelectObject(dc, frame_pen);
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SelectObject(dc, old_pen);
    DeleteObject(frame_pen);
    SelectObject(dc, old_brush);
    SetBkMode(dc, TRANSPARENT);
    if (!text.empty()) {
        SetTextColor(dc, kBlack);
        TextOutA(dc, text_x, 3, text.c_str(), static_cast<int>(text.size()));
    }
    if (!blue_part.empty()) {
        SetTextColor(dc, kBlue);
        TextOutA(dc, text_x, 3, blue_part.c_str(), static_cast<int>(blue_part.size()));
    }
    draw_sunken_frame(dc, client);
    SelectObject(dc, old_font);
    ReleaseDC(box, dc);
}

void enable_button(int id, bool on) {
    HWND button = shell().page_buttons[id - kNextButtonId];
    if (button != nullptr) EnableWindow(button, on ? TRUE : FALSE);
}

void set_pointer_cursor(HWND window, int x, int y) {
    OrbalineState& v = view();
    if (v.pointer_window != window) {
        v.pointer_window = window;
        shell().cursor_window = window;
        SetCursor(shell().arrow_cursor);
        v.node_cursor_shown = false;
    }
    if (!has_rows()) return;
    int row = 0, column = 0;
    const ChartSession& s = session();
    const bool on_node = chart_hit_test(s.table, chart_metrics(), s.top_row, s.left_column, x, y, &row, &column);
    if (on_node && !v.node_cursor_shown) {
        SetCursor(v.node_cursor);
        v.node_cursor_shown = true;
    } else if (!on_node && v.node_cursor_shown) {
        SetCursor(shell().arrow_cursor);
        v.node_cursor_shown = false;
    }
}

LRESULT paint_chart(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr && has_rows()) {
        g_paint_dc = dc;
        clear_chart_view();
        view().marker_x = view().marker_y = -1;
        draw_chart_rows(dc);
        draw_selection_frame();
        g_paint_dc = nullptr;
    }
    EndPaint(window, &paint);
    return 0;
}

LRESULT chart_key(WPARAM key) {
    switch (key) {
    case VK_UP: return scroll_chart(0, SB_LINEUP);
    case VK_DOWN: return scroll_chart(0, SB_LINEDOWN);
    case VK_PRIOR: return scroll_chart(0, SB_PAGEUP);
    case VK_NEXT: return scroll_chart(0, SB_PAGEDOWN);
    case VK_LEFT: return scroll_chart(1, SB_LINELEFT);
    case VK_RIGHT: return scroll_chart(1, SB_LINERIGHT);
    case VK_TAB: return scroll_chart(1, GetKeyState(VK_SHIFT) < 0 ? SB_PAGELEFT : SB_PAGERIGHT);
    default: return 0;
    }
}

}  // namespace

// --- geometry --------------------------------------------------------------------------

int chart_visible_rows(int client_height, const ChartMetrics& metrics) {
    const int pitch = metrics.row_pitch();
    if (pitch <= 0 || client_height <= 0) return 1;
    return std::max(1, (client_height + pitch - 1) / pitch);
}

int chart_extent(const ChartTable& table, const ChartMetrics& metrics) {
    int widest = 0;
    for (int row = 1; row <= table.row_count; ++row) {
        const int column = node_column(table, row);
        if (column < kChartColumns) widest = std::max(widest, 8 * column + 2 * metrics.box_width + 4 + 12);
    }
    return widest;
}

int chart_vertical_limit(int row_count, int visible_rows) { return std::max(1, row_count - visible_rows + 2); }

int chart_horizontal_limit(int extent, int client_width) {
    return std::max(0, extent + 1 - client_width / kChartCellWidth);
}

bool chart_hit_test(const ChartTable& table, const ChartMetrics& metrics, int top_row, int left_column, int x,
                    int y, int* row, int* column) {
    if (y < 0 || x < 0) return false;
    const int hit_row = top_row + y / metrics.row_pitch();
    if (hit_row < 1 || hit_row > table.row_count) return false;
    const int c = node_column(table, hit_row);
    if (c >= kChartColumns) return false;
    const int chart_x = x + kChartCellWidth * left_column;
    if (chart_x < (8 * c + 4) * kChartCellWidth || chart_x > (8 * c + 2 * metrics.box_width + 4 + 4) * kChartCellWidth)
        return false;
    *row = hit_row;
    *column = c;
    return true;
}

bool chart_marker_position(const ChartMetrics& metrics, int selected_row, int selected_column, int top_row,
                           int visible_rows, int left_column, int* x, int* y) {
    if (selected_row < top_row || selected_row > top_row + visible_rows) return false;
    *x = (8 * selected_column + 4 - left_column) * kChartCellWidth - 21 - (selected_column > 0 ? 42 : 0);
    const int rows = metrics.box_lines + 2;
    *y = ((selected_row - top_row) * rows + rows / 2 - (metrics.box_lines % 2 == 0 ? 1 : 0)) * kChartCellHeight + 4;
    return true;
}

int chart_vertical_step(int code, int thumb, int top, int row_count, int visible_rows) {
    const int r = visible_rows - 1;
    const bool at_end = row_count - r < top || row_count < r;
    switch (code) {
    case SB_LINEUP: return top <= 1 ? kChartScrollRefused : top - 1;
    case SB_LINEDOWN: return at_end ? kChartScrollRefused : top + 1;
    case SB_PAGEUP: return top <= 1 ? kChartScrollRefused : std::max(1, top - r);
    case SB_PAGEDOWN: return at_end ? kChartScrollRefused : std::min(top + r, row_count - r + 1);
    case SB_THUMBPOSITION: return std::max(1, std::min(thumb, row_count - r + 1));
    case SB_TOP: return top == 1 ? kChartScrollRefused : 1;
    case SB_BOTTOM: return at_end ? kChartScrollRefused : row_count - r + 1;
    default: return kChartScrollIgnored;
    }
}

int chart_horizontal_step(int code, int thumb, int h, int extent, int client_width) {
    const int limit = extent - client_width / kChartCellWidth;
    switch (code) {
    case SB_LINELEFT: return h <= 0 ? kChartScrollRefused : h - 1;
    case SB_LINERIGHT: return limit < h ? kChartScrollRefused : h + 1;
    case SB_PAGELEFT:
        if (h <= 0) return kChartScrollRefused;
        // back to the column boundary 12 + 8k below h
        return h > 12 ? 12 + 8 * ((h - 12 - 1) / 8) : 0;
    case SB_PAGERIGHT: {
        if (limit < h) return kChartScrollRefused;
        const int next = h < 12 ? 12 : 12 + 8 * ((h - 12) / 8 + 1);
        return std::min(next, limit + 1);
    }
    case SB_THUMBPOSITION: return std::max(0, std::min(thumb, extent));
    case SB_TOP: return h == 0 ? kChartScrollRefused : 0;
    case SB_BOTTOM: return h == extent ? kChartScrollRefused : extent;
    default: return kChartScrollIgnored;
    }
}

std::string node_pane_text(std::string_view node_text) {
    std::string text(node_text);
    const size_t semicolon = text.find(';');
    if (semicolon == std::string::npos) return text;
    const std::string comment = text.substr(semicolon + 1);
    text.resize(semicolon);
    text += ' ';
    const size_t blank = text.find(' ', 1);
    if (blank != std::string::npos) text.resize(blank);
    return text + "  " + comment;
}

// --- the window ------------------------------------------------------------------------

ChartMetrics chart_metrics() { return ChartMetrics{session().box_width, session().box_lines}; }

void take_chart_client_size() {
    HWND window = shell().chart;
    if (window == nullptr) return;
    RECT client{};
    GetClientRect(window, &client);
    view().client_width = client.right;
    view().client_height = client.bottom;
    shell().view_width = client.right;
    shell().view_height = client.bottom;
    session().visible_rows = chart_visible_rows(client.bottom, chart_metrics());
}

void set_chart_extent() {
    ChartSession& s = session();
    HWND window = shell().chart;
    if (window == nullptr) return;
    if (!has_rows()) {
        SetScrollRange(window, SB_VERT, 1, 1, TRUE);
        SetScrollRange(window, SB_HORZ, 0, 0, TRUE);
        return;
    }
    view().chart_width = chart_extent(s.table, chart_metrics());
    const int vertical = chart_vertical_limit(s.row_count(), s.visible_rows);
    const int horizontal = chart_horizontal_limit(view().chart_width, view().client_width);
    if (horizontal == 0) s.left_column = 0;
    s.top_row = std::clamp(s.top_row, 1, vertical);
    SetScrollRange(window, SB_VERT, 1, vertical, TRUE);
    SetScrollRange(window, SB_HORZ, 0, horizontal, TRUE);
    set_vertical_position();
    set_horizontal_position();
}

void clear_chart_view() {
    HWND window = shell().chart;
    if (window == nullptr) return;
    ViewDc v(window);
    if (v.dc == nullptr) return;
    RECT client{};
    GetClientRect(window, &client);
    HGDIOBJ old_brush = SelectObject(v.dc, view().background_brush);
    HPEN frame_pen = CreatePen(PS_SOLID, 1, kLightGrey);
    HGDIOBJ old_pen = SelectObject(v.dc, frame_pen);
    Rectangle(v.dc, client.left, client.top, client.right, client.bottom);
    SelectObject(v.dc, old_pen);
    SelectObject(v.dc, old_brush);
    DeleteObject(frame_pen);
}

int reload_chart_view(int mode) {
    ChartSession& s = session();
    if (!s.state_open) return -1;
    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    show_message_line(1, message_text(kMsgBuildingView));
    // every reload follows a read of the same file that has shown its
    // messages already
    if (load_chart(s, mode, true) != 0) {
        show_message_line(0, "");
        SetCursor(kept);
        clear_chart_view();
        sync_document_flags();
        update_window_title();  // the panes of the chart that is gone
        return -1;
    }
    s.loaded = true;
    if (s.row_count() < s.selected_row) {
        s.selected_row = s.row_count();
        s.top_row = std::max(1, s.row_count() - s.visible_rows + 2);
    }
    const int column = node_column(s.table, s.selected_row);
    s.selected_column = column < kChartColumns ? column : 0;
    view().marker_x = view().marker_y = -1;
    take_chart_client_size();
    set_chart_extent();
    sync_document_flags();
    redraw_chart();
    update_status_panes();
    show_message_line(0, "");
    refresh_chart_layout(0, 0, view().client_width, view().client_height);
    SetCursor(kept);
    return 0;
}

int redraw_chart() {
    HWND window = shell().chart;
    // a modal dialog over the frame keeps the focus
    if (window != nullptr && IsWindowEnabled(shell().frame_window)) SetFocus(window);
    if (!has_rows()) {
        refuse_without_chart();
        return -1;
    }
    ViewDc v(window);
    if (v.dc == nullptr) return -1;
    HDC kept = g_paint_dc;
    g_paint_dc = v.dc;
    clear_chart_view();
    view().marker_x = view().marker_y = -1;
    draw_chart_rows(v.dc);
    draw_selection_frame();
    g_paint_dc = kept;
    draw_chart_ruler();
    return 0;
}

void draw_selection_frame() {
    ChartSession& s = session();
    OrbalineState& v = view();
    if (!has_rows()) return;
    int x = 0, y = 0;
    if (!chart_marker_position(chart_metrics(), s.selected_row, s.selected_column, s.top_row, s.visible_rows,
                               s.left_column, &x, &y))
        return;
    ViewDc dc(shell().chart);
    if (dc.dc == nullptr) return;
    if (v.marker_x != -1 && v.marker_y != -1) invert_marker(dc.dc, v.marker_x, v.marker_y);
    if (y < 0 || y > v.client_height) {
        for (int i = 0; i < 3; ++i) MessageBeep(0);
    } else {
        invert_marker(dc.dc, x, y);
    }
    v.marker_x = x;
    v.marker_y = y;
}

void draw_chart_ruler() {
    ShellState& sh = shell();
    if (sh.ruler == nullptr || !sh.ruler_shown) return;
    HDC dc = GetDC(sh.ruler);
    if (dc == nullptr) return;
    RECT client{};
    GetClientRect(sh.ruler, &client);
    draw_ruler_face(dc, client);
    const int h = session().left_column;
    if (h == 0) {
        HPEN white = CreatePen(PS_SOLID, 1, kWhite);
        HGDIOBJ old = SelectObject(dc, white);
        MoveToEx(dc, 0, client.top, nullptr);
        LineTo(dc, 0, client.bottom);
        SelectObject(dc, old);
        DeleteObject(white);
    }
    HGDIOBJ old_font = SelectObject(dc, sh.gauge_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);
    const int n = (client.right / kChartCellWidth + h) / 8;
    for (int i = 1; i <= n; ++i) {
        const int x = (8 * i + 4 - h) * kChartCellWidth;
        draw_ruler_divider(dc, x, client);
        char label[16];
        const int length = std::snprintf(label, sizeof label, "%d", i);
        TextOutA(dc, x - (i == 1 ? 45 : 31), 0, label, length);
    }
    SelectObject(dc, old_font);
    ReleaseDC(sh.ruler, dc);
}

int update_window_title() {
    ShellState& sh = shell();
    const ChartSession& s = session();
    std::string title = kOrbalineProgram;
    if (!s.chart_path.empty()) {
        std::string folder, name;
        split_path(s.chart_path, folder, name);
        set_file_extension(name, ".nam");
        title = name + " - " + kOrbalineProgram;
    }
    if (sh.frame_window != nullptr) {
        char current[300] = {};
        GetWindowTextA(sh.frame_window, current, sizeof current);
        if (title != current) SetWindowTextA(sh.frame_window, title.c_str());
    }
    if (has_rows()) {
        update_status_panes();
        return 0;
    }
    draw_pane(sh.title_box, "", "", 2);
    draw_pane(sh.counter_box, "", "", 8);
    return -1;
}

void update_status_panes() {
    ChartSession& s = session();
    ShellState& sh = shell();
    if (!has_rows()) return;
    const std::string_view text = s.table.text(s.selected_row, s.selected_column);
    std::string name;
    get_node_name(s, s.selected_column, s.selected_row, name);
    const bool blank = text == " ";
    draw_pane(sh.title_box, blank ? std::string() : node_pane_text(text), blank ? std::string() : name, 2);
    const int selected = s.row_count() == 0 ? 0 : s.selected_row;
    char counter[32];
    std::snprintf(counter, sizeof counter, "%4d/%-4d", selected, s.row_count());
    draw_pane(sh.counter_box, counter, "", 8);
    set_link_caption(document_state().linked_mode);
    const bool more_below = !(s.row_count() < s.top_row + s.visible_rows - 1);
    const bool more_above = s.top_row > 1;
    enable_button(kNextButtonId, more_below);
    enable_button(kLastButtonId, more_below);
    enable_button(kPreviousButtonId, more_above);
    enable_button(kFirstButtonId, more_above);
}

int jump_in_chart(int type) {
    ChartSession& s = session();
    show_message_line(0, "");
    if (!has_rows()) {
        refuse_without_chart();
        return -1;
    }
    const bool at_last = s.row_count() < s.top_row + s.visible_rows - 1;
    const auto refuse = [](int message) {
        MessageBeep(0);
        show_message_line(1, message_text(message));
        return -1;
    };
    switch (type) {
    case 0:
        if (at_last) return refuse(604);
        s.top_row = std::max(1, std::min(s.top_row + s.visible_rows - 1, s.row_count() - s.visible_rows + 2));
        break;
    case 1:
        if (s.top_row <= 1) return refuse(603);
        s.top_row = std::max(1, s.top_row + 1 - s.visible_rows);
        break;
    case 2:
        if (s.top_row <= 1) return refuse(603);
        s.top_row = 1;
        break;
    case 3:
        if (at_last) return refuse(604);
        s.top_row = std::max(1, s.row_count() - s.visible_rows + 2);
        break;
    default: return -1;
    }
    redraw_chart();
    update_status_panes();
    set_vertical_position();
    if ((type == 2 || type == 3) && document_state().linked_mode && source_list_open()) follow_selected_node();
    return 0;
}

int scroll_chart(int horizontal, WPARAM code) {
    ChartSession& s = session();
    if (!has_rows()) {
        refuse_without_chart();
        MessageBeep(0);
        return -1;
    }
    const int position = static_cast<short>(HIWORD(code));
    const int step = horizontal
                         ? chart_horizontal_step(LOWORD(code), position, s.left_column, view().chart_width,
                                                 view().client_width)
                         : chart_vertical_step(LOWORD(code), position, s.top_row, s.row_count(), s.visible_rows);
    if (step == kChartScrollIgnored) return 0;
    if (step == kChartScrollRefused) {
        MessageBeep(0);
        return -1;
    }
    if (horizontal) {
        s.left_column = step;
    } else {
        s.top_row = step;
    }
    redraw_chart();
    if (horizontal) {
        set_horizontal_position();
    } else {
        set_vertical_position();
        update_status_panes();
    }
    return 0;
}

void show_chart_position(int kind, int row) {
    ChartSession& s = session();
    if (kind == 0 || kind == 2) s.left_column = 8 * s.selected_column;
    if (kind == 1 || kind == 2) s.top_row = std::max(1, row);
    redraw_chart();
    set_vertical_position();
    set_horizontal_position();
}

void set_chart_scroll(int kind, int column, int top_row) {
    ChartSession& s = session();
    if (kind == 0 || kind == 2)
        s.left_column = std::clamp(column, 0, std::max(0, view().chart_width - view().client_width / kChartCellWidth - 1));
    if (kind == 1 || kind == 2) s.top_row = std::clamp(top_row, 1, std::max(1, s.row_count() - s.visible_rows + 2));
    redraw_chart();
    set_vertical_position();
    set_horizontal_position();
}

void show_message_line(int mode, const std::string& text) { set_status_text(mode, text); }

bool click_chart(int x, int y) {
    ChartSession& s = session();
    show_message_line(0, "");
    if (!has_rows()) return false;
    int row = 0, column = 0;
    if (!chart_hit_test(s.table, chart_metrics(), s.top_row, s.left_column, x, y, &row, &column)) return false;
    s.previous_row = s.selected_row;
    s.previous_column = s.selected_column;
    s.selected_row = row;
    s.selected_column = column;
    draw_selection_frame();
    update_status_panes();
    if (document_state().linked_mode) follow_selected_node();
    if (view().node_cursor != nullptr) SetCursor(view().node_cursor);
    return true;
}

LRESULT tree_chart_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: return paint_chart(window);
    case WM_MOUSEMOVE:
        set_pointer_cursor(window, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_NCMOUSEMOVE:
        view().node_cursor_shown = false;
        return 0;
    case WM_LBUTTONDOWN:
        click_chart(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_HSCROLL: return scroll_chart(1, wparam);
    case WM_VSCROLL: return scroll_chart(0, wparam);
    case WM_KEYDOWN: return chart_key(wparam);
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_DRAWITEM:
    case WM_COMMAND:
    case WM_CHAR:
    case WM_TIMER:
    case WM_PALETTECHANGED:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
