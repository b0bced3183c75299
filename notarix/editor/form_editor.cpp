#include "notarix/editor/form_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "common/analysis/text_utils.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/scroll_keys.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "common/text/text_helpers.h"
#include "common/viewer/shell_boxes.h"
#include "notarix/editor/editor_texts.h"
#include "notarix/form/form_grid.h"
#include "notarix/form/form_host.h"
#include "notarix/form/form_texts.h"
#include "notarix/form/form_tools.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"
#include "platform/kernel/sjis_text.h"
#include "resources/notarix/form_editor_resources.h"

namespace {

namespace res = form_editor_resources;

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kDarkGrey = RGB(128, 128, 128);
constexpr COLORREF kRubberGrey = RGB(64, 64, 64);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kRubberPenWidth = 12;
constexpr int kTextBytes = 255;
constexpr int kMarkerWidth = 14;
constexpr int kMarkerHeight = 12;


// "標準明朝"
constexpr auto& kEditorFontFace = "標準明朝"_sjis;

FormEditorState g_editor;
FormEditorState& ed() { return g_editor; }

std::string editor_caption() { return form_text::kEditorCaption; }

// --- Tools ------------------------------------------------------------------------------

struct ToolRow {
    UINT id;
    int mode;
    int weight;
};
// ORDER ID: the text and line tools; the erase-all tools act on the next
// mouse event and are never checked.
constexpr ToolRow kTools[] = {
    {kTextTool, kPointDrag, 1},          {kDoubleTextTool, kPointDrag, 1}, {kEraseTextTool, kLineDrag, 1},
    {kEraseTextAreaTool, kRectangleDrag, 1}, {kEraseAllTextTool, kPointDrag, 1}, {kEraseAllTool, kPointDrag, 1},
    {kThinLineTool, kLineDrag, 1},       {kThickLineTool, kLineDrag, 2},   {kEraseLineTool, kLineDrag, 1},
    {kEraseLineAreaTool, kRectangleDrag, 1}, {kEraseAllLinesTool, kPointDrag, 1},
    {kEraseAllFromLinesTool, kPointDrag, 1},
};

struct ParameterRow {
    const char* key;
    bool rectangle;
};
// ORDER ID: the parameter tools 37377 to 37392.
constexpr ParameterRow kParameters[] = {
    {"$SY", false}, {"$NM", false}, {"$FN", false}, {"$PR", true}, {"$CF", true}, {"$FF", true},
    {"$PT", true},  {"$PN", true},  {"$FL", true},  {"$RM", true}, {"$SR", false}, {"$LG", false},
    {"$PG", false}, {"$D1", false}, {"$D2", false}, {"$FT", false},
};
static_assert(std::size(kParameters) == kLastParameterTool - kFirstParameterTool + 1);

bool is_parameter_tool(UINT id) { return id >= kFirstParameterTool && id <= kLastParameterTool; }
const ParameterRow& parameter_of(UINT id) { return kParameters[id - kFirstParameterTool]; }

bool acts_on_any_event(UINT tool) {
    return tool == kEraseAllTextTool || tool == kEraseAllTool || tool == kEraseAllLinesTool ||
           tool == kEraseAllFromLinesTool;
}
// The erasers may be dragged past the form's edge: they stop at it.
bool stops_at_edge(UINT tool) {
    return tool == kEraseLineTool || tool == kEraseLineAreaTool || tool == kEraseTextTool || tool == kEraseTextAreaTool;
}

HMENU editor_menu() { return ed().window != nullptr ? GetMenu(ed().window) : nullptr; }

void check_item(UINT id, bool on) {
    if (HMENU menu = editor_menu()) CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// --- Geometry ---------------------------------------------------------------------------

int column_x(int column) { return (column - ed().left_column) * kFormCellWidth + kFormGridLeft; }
int row_y(int row) { return (row - ed().top_row) * kFormCellHeight + kFormGridTop; }

struct GridPoint {
    bool valid = false;
    POINT at{};  // the point in pixels
    int row = 0, column = 0;
};

// Rows are measured from their middle (offset 28), from their top edge
// (22) or their bottom edge (34); the area eraser takes whole rows.
int row_offset(bool moving) {
    if (ed().tool != kEraseLineAreaTool) return 28;
    return moving ? 34 : 22;
}

GridPoint grid_point(int x, int y, int offset) {
    GridPoint p;
    if (x < kFormGridLeft || y < kFormGridTop) return p;
    const int xp = (x - kFormGridLeft) / kFormCellWidth * kFormCellWidth;
    const int yp = (y - kFormGridTop) / kFormCellHeight * kFormCellHeight + offset;
    p.valid = true;
    p.column = ed().left_column + (xp + 3) / kFormCellWidth;
    p.row = ed().top_row + (yp - kFormGridTop) / kFormCellHeight;
    p.at = POINT{xp + 19, yp};
    return p;
}

bool on_form(int row, int column) { return row >= 0 && row < kFormRows && column >= 0 && column < kFormColumns; }

// The end of a line drag on the horizontal or the vertical through its
// start, whichever lies nearer the pointer's direction.
POINT snap_line_end(POINT start, POINT end) {
    double angle = std::atan2(-static_cast<double>(end.y - start.y), static_cast<double>(end.x - start.x));
    if (angle < 0) angle += 2 * std::numbers::pi;
    const double q = std::numbers::pi / 4;
    const bool horizontal = angle <= q || (angle >= 3 * q && angle <= 5 * q) || angle >= 7 * q;
    return horizontal ? POINT{end.x, start.y} : POINT{start.x, end.y};
}

// --- Drawing ----------------------------------------------------------------------------

template <class Draw>
void with_pen(HDC dc, int style, int width, COLORREF colour, Draw draw) {
    HPEN pen = CreatePen(style, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    draw();
    SelectObject(dc, old);
    DeleteObject(pen);
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT rect{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// Everything drawn by exclusive-or is drawn through this: a second call at
// the same place removes it.
template <class Draw>
void xor_draw(HDC dc, HPEN pen, Draw draw) {
    const int old_mix = SetROP2(dc, R2_XORPEN);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    draw();
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    SetROP2(dc, old_mix);
}

void xor_guides(HDC dc) {
    FormEditorState& e = ed();
    HPEN pen = CreatePen(PS_SOLID, 1, kWhite);
    xor_draw(dc, pen, [&] {
        if (e.guide_y > kFormGridTop) line(dc, kFormGridLeft + 1, e.guide_y, e.client_width, e.guide_y);
        if (e.guide_x > kFormGridLeft) line(dc, e.guide_x, kFormGridTop + 1, e.guide_x, e.client_height);
    });
    DeleteObject(pen);
}

void xor_rubber(HDC dc) {
    FormEditorState& e = ed();
    if (!e.dragging() || e.drag_mode == kPointDrag) return;
    if (e.drag_mode == kLineDrag) {
        HPEN pen = e.rubber_pen != nullptr ? e.rubber_pen : CreatePen(PS_SOLID, kRubberPenWidth, kRubberGrey);
        xor_draw(dc, pen, [&] { line(dc, e.drag_start.x, e.drag_start.y, e.drag_end.x, e.drag_end.y); });
        if (pen != e.rubber_pen) DeleteObject(pen);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, kRubberGrey);
    xor_draw(dc, pen, [&] { Rectangle(dc, e.drag_start.x, e.drag_start.y, e.drag_end.x, e.drag_end.y); });
    DeleteObject(pen);
}

// A row's text from the left column; a second byte there shows as a blank.
std::string visible_text(const std::string& row, int left) {
    if (left >= static_cast<int>(row.size())) return {};
    std::string text = row.substr(static_cast<size_t>(left));
    int p = 0;
    while (p < left) p = next_char(row, p);
    if (p > left) text[0] = ' ';
    return text;
}

void draw_row_text(HDC dc, int row) {
    const FormGrids& form = form_grids();
    if (!form.allocated()) return;
    const std::string text = visible_text(form.rows[static_cast<size_t>(row)], ed().left_column);
    if (!text.empty()) TextOutA(dc, kFormGridLeft, row_y(row), text.data(), static_cast<int>(text.size()));
}

void select_text_font(HDC dc) {
    if (ed().font != nullptr) SelectObject(dc, ed().font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);
}

int last_visible_row() { return std::min(kFormRows - 1, ed().top_row + ed().visible_rows()); }

void draw_gutter(HDC dc) {
    FormEditorState& e = ed();
    fill(dc, 0, kFormGridTop, kFormGridLeft, e.client_height, kLightGrey);
    with_pen(dc, PS_SOLID, 1, kBlack, [&] { line(dc, kFormGridLeft, kFormGridTop, kFormGridLeft, e.client_height); });
    with_pen(dc, PS_SOLID, 1, kWhite, [&] { line(dc, kFormGridLeft - 1, kFormGridTop, kFormGridLeft - 1, e.client_height); });
    select_text_font(dc);
    for (int r = e.top_row; r <= last_visible_row(); ++r) {
        char number[8];
        const int n = std::snprintf(number, sizeof number, "%2d", r + 1);
        TextOutA(dc, 2, row_y(r), number, n);
    }
}

void draw_ruler(HDC dc) {
    FormEditorState& e = ed();
    fill(dc, 0, 0, e.client_width, kFormGridTop, kLightGrey);
    with_pen(dc, PS_SOLID, 1, kBlack, [&] { line(dc, 0, kFormGridTop - 1, e.client_width, kFormGridTop - 1); });
    with_pen(dc, PS_SOLID, 1, kWhite, [&] { line(dc, 0, kFormGridTop - 2, e.client_width, kFormGridTop - 2); });
    select_text_font(dc);
    const int columns = std::min(e.visible_columns() + 1, kFormColumns - e.left_column);
    with_pen(dc, PS_SOLID, 1, kBlack, [&] {
        for (int i = 0; i < columns; ++i) {
            const int column = e.left_column + i;
            const int tick = column_x(column) + kFormCellWidth - 1;
            if (column % 10 == 9) {
                line(dc, tick, 10, tick, kFormGridTop - 2);
                char number[8];
                const int n = std::snprintf(number, sizeof number, "%d", column + 1);
                TextOutA(dc, tick - 1 - n * kFormCellWidth, 1, number, n);
            } else if (column % 10 == 4) {
                line(dc, tick, 15, tick, kFormGridTop - 2);
            }
        }
    });
}

// The markers of the caret's column in the ruler and its row in the gutter.
void draw_caret_marks(HDC dc) {
    FormEditorState& e = ed();
    if (e.caret_column >= e.left_column && e.caret_column < e.left_column + e.visible_columns() + 1) {
        HBITMAP marker = shell().form_bitmap;
        const int x = column_x(e.caret_column) + kFormCellWidth / 2 - kMarkerWidth / 2;
        if (marker != nullptr) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, marker);
            BitBlt(dc, x, kFormGridTop - 2 - kMarkerHeight, kMarkerWidth, kMarkerHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
    }
    if (e.caret_row >= e.top_row && e.caret_row <= last_visible_row()) {
        const RECT cell{0, row_y(e.caret_row), kFormGridLeft - 1, row_y(e.caret_row) + kFormCellHeight};
        InvertRect(dc, &cell);
    }
    e.previous_caret_row = e.caret_row;
    e.previous_caret_column = e.caret_column;
}

void draw_top_edge(HDC dc) {
    with_pen(dc, PS_SOLID, 1, kDarkGrey, [&] { line(dc, 0, 0, ed().client_width, 0); });
    with_pen(dc, PS_SOLID, 1, kWhite, [&] { line(dc, 0, 1, ed().client_width, 1); });
}

void paint_everything(HDC dc) {
    FormEditorState& e = ed();
    fill(dc, 0, 0, e.client_width, e.client_height, kLightGrey);
    select_text_font(dc);
    for (int r = e.top_row; r <= last_visible_row(); ++r) draw_row_text(dc, r);
    draw_gutter(dc);
    draw_ruler(dc);
    draw_caret_marks(dc);
    draw_top_edge(dc);
    // what follows the pointer lies over the form again
    xor_guides(dc);
    xor_rubber(dc);
}

template <class Draw>
void with_editor_dc(Draw draw) {
    HWND window = ed().window;
    if (window == nullptr) return;
    HDC dc = GetDC(window);
    if (dc == nullptr) return;
    draw(dc);
    ReleaseDC(window, dc);
}

// --- Caret ------------------------------------------------------------------------------

bool g_caret_made = false;
bool g_caret_shown = false;

void place_caret() {
    FormEditorState& e = ed();
    if (!g_caret_made) return;
    const bool visible = e.caret_row >= e.top_row && e.caret_row < e.top_row + e.visible_rows() &&
                         e.caret_column >= e.left_column && e.caret_column < e.left_column + e.visible_columns();
    const bool show = e.has_focus && !e.caret_suppressed && visible;
    if (show) SetCaretPos(column_x(e.caret_column), row_y(e.caret_row));
    if (show != g_caret_shown) {
        if (show) ShowCaret(e.window);
        else HideCaret(e.window);
        g_caret_shown = show;
    }
}

void make_caret() {
    if (g_caret_made) return;
    g_caret_made = CreateCaret(ed().window, nullptr, kFormCellWidth, kFormCellHeight) != FALSE;
    g_caret_shown = false;
    place_caret();
}

void drop_caret() {
    if (!g_caret_made) return;
    DestroyCaret();
    g_caret_made = g_caret_shown = false;
}

void move_caret(int row, int column) {
    FormEditorState& e = ed();
    e.caret_row = row;
    e.caret_column = character_column(row, column);
    with_editor_dc([](HDC dc) {
        draw_gutter(dc);
        draw_ruler(dc);
        draw_caret_marks(dc);
        draw_top_edge(dc);
    });
    place_caret();
}

void suppress_caret(bool on) {
    ed().caret_suppressed = on;
    place_caret();
}

// --- Scrolling --------------------------------------------------------------------------

int vertical_limit() { return std::max(0, kFormRows - ed().visible_rows()); }
int horizontal_limit() { return std::max(0, kFormColumns - ed().visible_columns()); }

int page_width() {
    const int tab = shell_settings().word(nx_settings::kTabWidth);
    return tab == 0 ? 4 : tab;
}

// The new position of a scroll code, or -1 when the step is refused.
int scroll_step(int code, int thumb, int position, int page, int limit) {
    switch (code) {
    case SB_LINEUP: return position <= 0 ? -1 : position - 1;
    case SB_LINEDOWN: return position >= limit ? -1 : position + 1;
    case SB_PAGEUP: return position <= 0 ? -1 : std::max(0, position - page);
    case SB_PAGEDOWN: return position >= limit ? -1 : std::min(limit, position + page);
    case SB_THUMBPOSITION: return std::clamp(thumb, 0, limit);
    case SB_TOP: return position <= 0 ? -1 : 0;
    case SB_BOTTOM: return position >= limit ? -1 : limit;
    default: return -2;
    }
}

void scroll_editor(bool horizontal, WPARAM code) {
    FormEditorState& e = ed();
    const int step = LOWORD(code);
    if (step == SB_THUMBTRACK || step == SB_ENDSCROLL) return;
    if (e.dragging()) {
        MessageBeep(0);
        return;
    }
    int& position = horizontal ? e.left_column : e.top_row;
    const int next = horizontal
                         ? scroll_step(step, static_cast<SHORT>(HIWORD(code)), position, page_width(), horizontal_limit())
                         : scroll_step(step, static_cast<SHORT>(HIWORD(code)), position, e.visible_rows(),
                                       vertical_limit());
    if (next == -2) return;
    if (next < 0) {
        MessageBeep(0);
        return;
    }
    position = next;
    SetScrollPos(e.window, horizontal ? SB_HORZ : SB_VERT, position, TRUE);
    repaint_form_editor();
    place_caret();
}

// --- Editing ----------------------------------------------------------------------------

void set_status(const std::string& text) { set_status_text(1, text); }

// Every change of the form: UNDO snapshot first, the wait cursor while it
// works, then the touched rows repainted.
template <class Edit>
void edit_form(Edit edit) {
    FormEditorState& e = ed();
    take_undo_snapshot();
    if (undo_kept()) set_form_undo_items(true);
    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const TouchedRows rows = edit();
    SetCursor(kept);
    e.modified = true;
    if (!rows.empty()) repaint_form_rows(rows.first, rows.last);
}

bool confirm(int message, const char* what) {
    MessageBeep(0);
    suppress_caret(true);
    const int yes = show_info_box(0, editor_caption(), message_text(message),
                                  message != nx_message::kRunIt ? format_text(lookup_message(nx_message::kRunIt), what) : "");
    suppress_caret(false);
    return yes == 1;
}

void run_erase_all(UINT tool) {
    FormEditorState& e = ed();
    e.tool = 0;
    e.drag_mode = kPointDrag;
    bool yes = false;
    switch (tool) {
    case kEraseAllTextTool: yes = confirm(nx_message::kEraseAllText, editor_text::kEraseAllText); break;
    case kEraseAllLinesTool: yes = confirm(nx_message::kEraseAllLines, editor_text::kEraseAllLines); break;
    default: {
        MessageBeep(0);
        suppress_caret(true);
        yes = show_info_box(0, editor_caption(), format_text(lookup_message(nx_message::kRunIt), editor_text::kEraseAll)) == 1;
        suppress_caret(false);
        break;
    }
    }
    if (yes) {
        edit_form([tool] {
            if (tool == kEraseAllTextTool) return erase_all_form_text();
            if (tool == kEraseAllLinesTool) return erase_all_form_lines();
            return erase_whole_form();
        });
    }
    repaint_form_editor();
}

void warn(const char* caption, int message) {
    suppress_caret(true);
    show_warning_box(1, caption, message_text(message));
    suppress_caret(false);
}

// The chosen tool over the cells of a finished drag (or a click).
void apply_tool(int row1, int column1, int row2, int column2) {
    FormEditorState& e = ed();
    const CellRect rect = cell_rect(row1, column1, row2, column2);
    const UINT tool = e.tool;
    if ((tool == kEraseTextTool || tool == kEraseLineTool) && !rect.straight()) {
        warn(editor_caption().c_str(), nx_message::kStraightOnly);
        return;
    }
    if (is_parameter_tool(tool)) {
        const ParameterRow& p = parameter_of(tool);
        if (p.rectangle && parameter_key_repeats(p.key)) MessageBeep(0);
        edit_form([&] { return place_parameter_area(rect, p.key, p.rectangle); });
        drop_form_tool();
        return;
    }
    switch (tool) {
    case kTextTool: edit_form([&] { return place_form_text(row1, column1, e.entered_text); }); break;
    case kDoubleTextTool: edit_form([&] { return place_double_size_text(row1, column1, e.entered_text); }); break;
    case kEraseTextTool:
    case kEraseTextAreaTool: edit_form([&] { return erase_form_text(rect); }); break;
    case kThinLineTool:
    case kThickLineTool: edit_form([&] { return draw_form_line(rect, e.line_weight); }); break;
    case kEraseLineTool: edit_form([&] { return erase_form_lines_along(rect); }); break;
    case kEraseLineAreaTool: edit_form([&] { return erase_form_lines_in(rect); }); break;
    default: break;
    }
}

// --- Drags ------------------------------------------------------------------------------

void end_drag() {
    FormEditorState& e = ed();
    e.drag_start = e.drag_end = POINT{-1, -1};
    if (GetCapture() == e.window) ReleaseCapture();
}

void cancel_drag() {
    if (!ed().dragging()) return;
    with_editor_dc([](HDC dc) { xor_rubber(dc); });
    end_drag();
}

void start_event(const GridPoint& p) {
    FormEditorState& e = ed();
    if (acts_on_any_event(e.tool)) {
        run_erase_all(e.tool);
        return;
    }
    if (e.tool == 0) return;
    if (e.drag_mode == kPointDrag) {
        if (e.tool == kTextTool || e.tool == kDoubleTextTool) apply_tool(p.row, p.column, p.row, p.column);
        return;
    }
    e.drag_start = e.drag_end = p.at;
    e.start_row = p.row;
    e.start_column = p.column;
    SetCapture(e.window);
    with_editor_dc([](HDC dc) { xor_rubber(dc); });
}

void move_event(const GridPoint& p) {
    FormEditorState& e = ed();
    if (acts_on_any_event(e.tool)) {
        run_erase_all(e.tool);
        return;
    }
    if (!e.dragging()) return;
    with_editor_dc([&](HDC dc) {
        xor_rubber(dc);
        e.drag_end = e.drag_mode == kLineDrag ? snap_line_end(e.drag_start, p.at) : p.at;
        xor_rubber(dc);
    });
}

void finish_event(int x, int y) {
    FormEditorState& e = ed();
    if (!e.dragging()) return;
    // a release off the form's left or top edge counts at that edge
    const GridPoint p = grid_point(std::max(x, static_cast<int>(kFormGridLeft)), std::max(y, static_cast<int>(kFormGridTop)), row_offset(false));
    with_editor_dc([](HDC dc) { xor_rubber(dc); });
    int row = p.row, column = p.column;
    if (e.drag_mode == kLineDrag) {
        const POINT end = snap_line_end(e.drag_start, p.at);
        if (end.y == e.drag_start.y) row = e.start_row;
        if (end.x == e.drag_start.x) column = e.start_column;
    }
    const int mode = e.drag_mode;
    end_drag();
    if (!on_form(row, column)) {
        if (!stops_at_edge(e.tool)) {
            warn(mode == kLineDrag ? editor_caption().c_str() : editor_text::kGenerationCaption, nx_message::kOutsideForm);
            return;
        }
        row = std::min(row, kFormRows - 1);
        column = std::min(column, kFormColumns - 1);
    }
    apply_tool(e.start_row, e.start_column, row, column);
}

// The guides follow the pointer over the form's cells only; past its last
// row or column, or once the pointer has left the window (x, y of -1),
// they are gone.
void move_guides(int x, int y) {
    FormEditorState& e = ed();
    const int column = x >= kFormGridLeft ? (x - kFormGridLeft) / kFormCellWidth : -1;
    const int row = y >= kFormGridTop ? (y - kFormGridTop) / kFormCellHeight : -1;
    const int gx = column >= 0 && e.left_column + column < kFormColumns ? column * kFormCellWidth + 20 : -1;
    const int gy = row >= 0 && e.top_row + row < kFormRows ? row * kFormCellHeight + 28 : -1;
    if (gx != -1 || gy != -1) {
        // to hear when the pointer goes off the window, which sends no move
        TRACKMOUSEEVENT track{static_cast<DWORD>(sizeof(TRACKMOUSEEVENT)), TME_LEAVE, e.window, 0};
        TrackMouseEvent(&track);
    }
    if (gx == e.guide_x && gy == e.guide_y) return;
    with_editor_dc([&](HDC dc) {
        xor_guides(dc);
        e.guide_x = gx;
        e.guide_y = gy;
        xor_guides(dc);
    });
}

POINT mouse_point(LPARAM lparam) {
    return POINT{static_cast<SHORT>(LOWORD(lparam)), static_cast<SHORT>(HIWORD(lparam))};
}

bool in_client(POINT at) { return at.x < ed().client_width && at.y < ed().client_height; }

void on_left_down(LPARAM lparam) {
    FormEditorState& e = ed();
    set_status_text(0, "");
    const POINT at = mouse_point(lparam);
    if (e.dragging()) {
        finish_event(at.x, at.y);
        return;
    }
    const GridPoint p = grid_point(at.x, at.y, row_offset(false));
    if (!p.valid || !in_client(at)) return;
    if (!on_form(p.row, p.column)) {
        MessageBeep(0);
        return;
    }
    move_caret(p.row, p.column);
    start_event(p);
}

void on_mouse_move(WPARAM /*wparam*/, LPARAM lparam) {
    const POINT at = mouse_point(lparam);
    if (document_state().busy) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return;
    }
    move_guides(at.x, at.y);
    const GridPoint p = grid_point(at.x, at.y, row_offset(true));
    if (!p.valid || !in_client(at)) return;
    move_event(p);
}

void on_right_down() {
    for (int i = 0; i < 3; ++i) MessageBeep(0);
    cancel_drag();
}

// Only the vertical keys scroll the form; across it the bar does.
LRESULT on_key(WPARAM key) {
    ScrollKeyStep step;
    if (scroll_step_of_key(key, step) && !step.horizontal) scroll_editor(false, static_cast<WPARAM>(step.code));
    return 0;
}

// --- Choosing a tool --------------------------------------------------------------------

INT_PTR text_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    switch (message) {
    case WM_INITDIALOG:
        center_over_frame(dialog, shell().frame_window);
        SetDlgItemTextA(dialog, res::kTextFieldId, ed().entered_text.c_str());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            char text[kTextBytes + 1] = {};
            GetDlgItemTextA(dialog, res::kTextFieldId, text, sizeof text);
            std::string entered = text;
            cut_at_char_boundary(entered, kTextBytes);
            ed().entered_text = entered;
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void choose_text_tool(UINT id) {
    FormEditorState& e = ed();
    suppress_caret(true);
    const INT_PTR result = DialogBoxParamA(shell().instance, "FRMDLG", e.window, text_dialog_proc, 0);
    suppress_caret(false);
    if (result != 1) return;
    e.tool = id;
    e.drag_mode = kPointDrag;
    check_item(id, true);
}

void choose_parameter_tool(UINT id) {
    FormEditorState& e = ed();
    const ParameterRow& p = parameter_of(id);
    e.tool = id;
    e.drag_mode = p.rectangle ? kRectangleDrag : kLineDrag;
    e.line_weight = 1;
    e.entered_text = p.key;
    check_item(id, true);
    if (!parameter_key_repeats(p.key) && form_holds_key(p.key)) {
        suppress_caret(true);
        show_info_box(1, editor_caption(), format_text(editor_text::kParameterName, p.key),
                      message_text(nx_message::kParameterTwice));
        suppress_caret(false);
    }
}

void undo_form() {
    FormEditorState& e = ed();
    e.drag_mode = kPointDrag;
    if (!undo_available()) return;
    if (!restore_undo_snapshot()) {
        MessageBeep(0);
        return;
    }
    set_form_undo_items(false);
    repaint_form_editor();
}

void choose_tool(UINT id) {
    FormEditorState& e = ed();
    if (id == kTextUndoCommand || id == kLineUndoCommand || id == kParameterUndoCommand) {
        undo_form();
        return;
    }
    if (is_parameter_tool(id)) {
        choose_parameter_tool(id);
        return;
    }
    if (id == kTextTool || id == kDoubleTextTool) {
        choose_text_tool(id);
        return;
    }
    for (const ToolRow& row : kTools) {
        if (row.id != id) continue;
        e.tool = id;
        e.drag_mode = row.mode;
        e.line_weight = row.weight;
        if (!acts_on_any_event(id)) check_item(id, true);
        return;
    }
}

bool is_tool_command(UINT id) {
    return (id >= kTextTool && id <= kTextUndoCommand) || (id >= kThinLineTool && id <= kLineUndoCommand) ||
           (id >= kFirstParameterTool && id <= kParameterUndoCommand);
}

// --- The form host -------------------------------------------------------------------------

void create_drawing_tools() {
    FormEditorState& e = ed();
    if (e.font == nullptr) {
        e.font = CreateFontA(kFormCellHeight, kFormCellWidth, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                             kEditorFontFace);
    }
    if (e.rubber_pen == nullptr) e.rubber_pen = CreatePen(PS_SOLID, kRubberPenWidth, kRubberGrey);
}

void delete_drawing_tools() {
    FormEditorState& e = ed();
    if (e.font != nullptr) DeleteObject(e.font);
    if (e.rubber_pen != nullptr) DeleteObject(e.rubber_pen);
    e.font = nullptr;
    e.rubber_pen = nullptr;
}

void install_form_host() {
    set_form_host(FormHost{
        .show_status = [](const std::string& text) { set_status(text); },
        .restore_status = [] { set_status_text(0, ""); },
        .beep = [] { MessageBeep(0); },
        // the grid has beeped already
        .warn = [](const std::string& caption, const std::string& text) {
            suppress_caret(true);
            MessageBoxA(shell().frame_window, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
            suppress_caret(false);
        },
        .create_drawing_tools = create_drawing_tools,
        .delete_drawing_tools = delete_drawing_tools,
        .form_replaced = [] {
            set_form_scroll_ranges();
            ed().previous_caret_row = -1;
            repaint_form_editor();
        },
    });
}

void save_placement() {
    FormEditorState& e = ed();
    RECT rect{};
    if (e.window == nullptr || !GetWindowRect(e.window, &rect)) return;
    e.placement = WindowPlacement{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    HWND frame = shell().frame_window;
    save_window_placement(kNotarixPlacement, kFormWindow, e.placement, frame != nullptr && IsIconic(frame));
}

void release_editor(HWND window) {
    FormEditorState& e = ed();
    if (window != e.window) return;
    drop_caret();
    free_form_grids();
    delete_drawing_tools();
    set_form_host(FormHost{});
    if (shell().owned.form_editor == window) shell().owned.form_editor = nullptr;
    e.window = nullptr;
}

void no_memory() {
    show_info_box(1, editor_caption(), message_text(nx_message::kNoMemory));
}

HWND create_editor_window(HWND owner, const WindowPlacement& at) {
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_HSCROLL | WS_VSCROLL |
                        WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return CreateWindowA(kFormEditorClass, editor_text::kTitle, style, at.x, at.y, at.width, at.height, owner, nullptr,
                         shell().instance, nullptr);
}

}  // namespace

// --- State ------------------------------------------------------------------------------------

int FormEditorState::visible_rows() const { return std::max(0, (client_height - kFormGridTop) / kFormCellHeight); }
int FormEditorState::visible_columns() const { return std::max(0, (client_width - kFormGridLeft) / kFormCellWidth); }

void FormEditorState::reset() {
    *this = FormEditorState{};
    g_caret_made = g_caret_shown = false;
}

FormEditorState& form_editor() { return g_editor; }

// --- Shared parts -------------------------------------------------------------------------------

void repaint_form_editor() {
    with_editor_dc([](HDC dc) { paint_everything(dc); });
}

void repaint_form_rows(int first, int last) {
    FormEditorState& e = ed();
    with_editor_dc([&](HDC dc) {
        xor_guides(dc);
        select_text_font(dc);
        for (int r = std::max(first, e.top_row); r <= std::min(last, last_visible_row()); ++r) {
            fill(dc, kFormGridLeft + 1, row_y(r), e.client_width, row_y(r) + kFormCellHeight, kLightGrey);
            draw_row_text(dc, r);
        }
        xor_guides(dc);
    });
}

void set_form_scroll_ranges() {
    FormEditorState& e = ed();
    if (e.window == nullptr) return;
    const int vertical = std::max(0, kFormRows - 1 - e.visible_rows());
    const int horizontal = std::max(0, kFormColumns - 1 - e.visible_columns());
    if (vertical == 0) e.top_row = 0;
    if (horizontal == 0) e.left_column = 0;
    e.top_row = std::min(e.top_row, vertical_limit());
    e.left_column = std::min(e.left_column, horizontal_limit());
    SetScrollRange(e.window, SB_VERT, 0, vertical, FALSE);
    SetScrollRange(e.window, SB_HORZ, 0, horizontal, FALSE);
    SetScrollPos(e.window, SB_VERT, e.top_row, TRUE);
    SetScrollPos(e.window, SB_HORZ, e.left_column, TRUE);
}

void drop_form_tool() {
    FormEditorState& e = ed();
    cancel_drag();
    e.tool = 0;
    e.drag_mode = kPointDrag;
    for (UINT id : {kTextTool, kDoubleTextTool, kEraseTextTool, kEraseTextAreaTool, kThinLineTool, kThickLineTool,
                    kEraseLineTool, kEraseLineAreaTool}) {
        check_item(id, false);
    }
    for (UINT id = kFirstParameterTool; id <= kLastParameterTool; ++id) check_item(id, false);
}

void set_form_undo_items(bool enabled) {
    HMENU menu = editor_menu();
    if (menu == nullptr) return;
    for (UINT id : {kTextUndoCommand, kLineUndoCommand, kParameterUndoCommand})
        EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void set_form_editor_title() {
    FormEditorState& e = ed();
    if (e.window == nullptr) return;
    const std::string title =
        e.file_name.empty() ? std::string(editor_text::kTitle) : e.file_name + " - " + editor_text::kTitle;
    SetWindowTextA(e.window, title.c_str());
}

int register_form_editor_class(HINSTANCE instance) {
    // once per process: the tables outlive every test's platform reset
    if (find_menu_resource("NXW_frm_menu") != &res::kMenus[0]) register_program_resources(&res::kTable);
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = form_editor_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "Icon");
    wc.hCursor = LoadCursorA(instance, "NXW_box_csr");
    wc.lpszMenuName = "NXW_frm_menu";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = kFormEditorClass;
    return RegisterClassA(&wc) != 0 ? 1 : 0;
}

int open_form_editor(HWND owner) {
    FormEditorState& e = ed();
    if (e.open()) return 0;
    WindowPlacement placement = kFormEditorDefaultPlacement;
    load_window_placement(kNotarixPlacement, kFormWindow, placement);
    e.placement = placement;
    install_form_host();
    if (alloc_form_grids() != 0) {
        set_form_host(FormHost{});
        no_memory();
        return -1;
    }
    HWND window = create_editor_window(owner, placement);
    if (window == nullptr && undo_available()) {
        // the window may fit once the UNDO copy is given back
        form_grids().undo.release();
        window = create_editor_window(owner, placement);
    }
    if (window == nullptr) {
        no_memory();
        free_form_grids();
        set_form_host(FormHost{});
        return -1;
    }
    DeleteMenu(GetSystemMenu(window, FALSE), SC_MINIMIZE, MF_BYCOMMAND);
    set_form_undo_items(false);
    if (!undo_available()) {
        show_info_box(1, editor_caption(), "ＵＮＤＯに必要な"_sjis +
                                               message_text(nx_message::kNoMemory));
        DestroyWindow(window);
        return -1;
    }
    RECT client{};
    GetClientRect(window, &client);
    e.client_width = client.right;
    e.client_height = client.bottom;
    e.top_row = e.left_column = e.caret_row = e.caret_column = 0;
    e.modified = false;
    e.file_name.clear();
    shell().owned.form_editor = window;
    form_grids().code_set = ruled_line_code_set(shell_settings().word(nx_settings::kFormCodeSet));
    CheckMenuItem(GetMenu(window), kDosVCodeCommand + static_cast<UINT>(form_grids().code_set),
                  MF_BYCOMMAND | MF_CHECKED);
    set_form_scroll_ranges();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return 0;
}

bool close_form_editor_from_frame() {
    FormEditorState& e = ed();
    if (!e.open()) return true;
    if (!confirm_form_close(false)) return false;
    DestroyWindow(e.window);
    return true;
}

LRESULT form_editor_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    FormEditorState& e = ed();
    switch (message) {
    case WM_CREATE:
        e.window = window;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (window == e.window && dc != nullptr) paint_everything(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        if (window == e.window) {
            e.client_width = LOWORD(lparam);
            e.client_height = HIWORD(lparam);
            set_form_scroll_ranges();
            save_placement();
            place_caret();
        }
        return 0;
    case WM_MOVE:
        if (window == e.window) save_placement();
        return 0;
    case WM_SETFOCUS:
        e.has_focus = true;
        make_caret();
        return 0;
    case WM_KILLFOCUS:
        e.has_focus = false;
        drop_caret();
        return 0;
    case WM_LBUTTONDOWN:
        on_left_down(lparam);
        return 0;
    case WM_LBUTTONUP:
        if (e.dragging()) {
            const POINT at = mouse_point(lparam);
            finish_event(at.x, at.y);
        }
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move(wparam, lparam);
        return 0;
    case WM_MOUSELEAVE:
        if (window == e.window) move_guides(-1, -1);
        return 0;
    case WM_RBUTTONDOWN:
        on_right_down();
        return 0;
    case WM_KEYDOWN:
        return on_key(wparam);
    case WM_VSCROLL:
    case WM_HSCROLL:
        scroll_editor(message == WM_HSCROLL, wparam);
        return 0;
    case WM_COMMAND: {
        const UINT id = LOWORD(wparam);
        drop_form_tool();
        if (is_tool_command(id)) choose_tool(id);
        else run_form_command(id);
        return 0;
    }
    case WM_CLOSE:
        if (confirm_form_close(false)) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        release_editor(window);
        return 0;
    case WM_CHAR:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
