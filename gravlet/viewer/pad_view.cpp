#include "gravlet/viewer/pad_view.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/text/shell_message_numbers.h"
#include "common/viewer/source_list.h"
#include "gravlet/pad/pad_layout.h"
#include "gravlet/viewer/gravlet_frame.h"
#include "gravlet/viewer/gravlet_state.h"

namespace {

constexpr COLORREF kFrameGrey = RGB(192, 192, 192);
constexpr int kMarkerSize = 16;
constexpr int kMinTerminalWidth = 84;

PadDocument& pad() { return gravlet_pad(); }
DocumentState& doc() { return document_state(); }

bool has_grid() { return pad().grid != nullptr && pad().file_open; }

int level_width() { return pad().level_width; }
int column_width() { return kCellPixelHeight * level_width(); }  // Cw = 14 L (2L characters)
int selection_arm() { return column_width() * 80 / 100 + 3; }     // Sx
int case_joint() { return column_width() * 70 / 100 + 3; }        // Cx
int scroll_pixels() { return pad().horizontal_position * kCellPixelWidth; }
// The largest horizontal position a jump takes: Wc + 1 - width / 7.
int horizontal_limit() { return gravlet().pad_width + 1 - gravlet().chart_width / kCellPixelWidth; }

// The kinds a click or the cursor can take: every one with a box.
bool is_choosable(int kind) {
    return kind != kPadEmpty && kind != kPadFlow && kind != kPadEnd && kind != kPadSelectionTail &&
           kind != kPadRowEnd;
}

// CHART's device context: the paint context while a paint is handled.
class ChartDc {
public:
    ChartDc() : window_(shell().chart) {
        if (gravlet().paint_dc != nullptr) {
            dc_ = gravlet().paint_dc;
        } else if (window_ != nullptr) {
            dc_ = GetDC(window_);
            owned_ = dc_ != nullptr;
        }
    }
    ~ChartDc() {
        if (owned_) ReleaseDC(window_, dc_);
    }
    ChartDc(const ChartDc&) = delete;
    ChartDc& operator=(const ChartDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_ = nullptr;
    bool owned_ = false;
};

// The PAD's texts: the frame's 14 x 7 Gothic, one character a cell.
HGDIOBJ text_font() {
    return shell().list_font != nullptr ? static_cast<HGDIOBJ>(shell().list_font) : GetStockObject(SYSTEM_FIXED_FONT);
}

HGDIOBJ label_font() {
    return gravlet().label_font != nullptr ? static_cast<HGDIOBJ>(gravlet().label_font) : text_font();
}

// --- The primitives --------------------------------------------------------------------
// Every one scales its coordinates by the area's zoom and subtracts the
// area's horizontal position from its x coordinates.

struct Painter {
    HDC dc;
    const PadDrawArea& area;
    bool round_next = false;
    int radius = 0;

    int x_of(int x) const {
        const float z = area.zoom;
        return static_cast<int>(static_cast<float>(x) * z - kCellPixelWidth * z * static_cast<float>(area.column));
    }
    int y_of(int y) const { return static_cast<int>(static_cast<float>(y) * area.zoom); }

    void set_next_box_round(int r) {
        round_next = true;
        radius = r;
    }
    void draw_box_shape(int left, int top, int right, int bottom) {
        if (round_next) {
            const int corner = static_cast<int>(2.0f * static_cast<float>(radius) * area.zoom);
            RoundRect(dc, x_of(left), y_of(top), x_of(right), y_of(bottom), corner, corner);
            round_next = false;
        } else {
            draw_box(left, top, right, bottom);
        }
    }
    void draw_box(int left, int top, int right, int bottom) {
        Rectangle(dc, x_of(left), y_of(top), x_of(right), y_of(bottom));
    }
    void draw_line(int x1, int y1, int x2, int y2) {
        MoveToEx(dc, x_of(x1), y_of(y1), nullptr);
        LineTo(dc, x_of(x2), y_of(y2));
    }
    // Lines below the top line of the area only.
    int clip_below_top() {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, 0, y_of(kCellPixelHeight), area.width, area.height);
        return saved;
    }
};

// A label sits in the 14 pixels above its box, over the last rows of the
// text above: drawn transparent, it leaves that text's underscores there.
int draw_line_number_label(HDC dc, int column, int line, const std::string& text) {
    if (!gravlet().line_numbers) return -1;
    SetTextColor(dc, gravlet().number_colour);
    TextOutA(dc, column * kCellPixelWidth - scroll_pixels(), line * kCellPixelHeight + 2, text.c_str(),
             static_cast<int>(text.size()));
    return 0;
}

// The labels of the shapes drawn, put on after every shape so that no later
// line crosses them.
struct Label {
    int column, line, number;
};

void draw_cell_text(HDC dc, int line, int column, const std::string& text) {
    SetTextColor(dc, gravlet().text_colour);
    TextOutA(dc, column * kCellPixelWidth - 7 - scroll_pixels(), line * kCellPixelHeight - 10, text.c_str(),
             static_cast<int>(text.size()));
}

// The rows drawn: from the area's first row while at most N and at most
// the area's row limit below it.
template <class Each>
void for_each_area_row(const PadDrawArea& area, Each each) {
    const PadGrid& grid = *pad().grid;
    const int first = area.first_row;
    for (int row = first; row <= grid.row_count && row - first <= area.row_limit; ++row) each(row);
}

// The main view's own area.
PadDrawArea view_area() {
    PadDrawArea area;
    area.first_row = pad().first_shown_row;
    area.row_limit = gravlet().shown_rows;
    area.column = pad().horizontal_position;
    area.width = gravlet().chart_width;
    area.height = gravlet().chart_height;
    return area;
}

// --- Shapes -------------------------------------------------------------------------

// The remembered joint point of the last case drawn in each column (y 0: none).
struct Joints {
    int x[kPadColumns] = {};
    int y[kPadColumns] = {};
};

// The y of a row's top in pixels, above the view for rows before the first
// shown one: their heights, which the measure of any start leaves as they
// are, are counted back from it.
int row_top(const PadGrid& grid, int row, int first) {
    if (row >= first) return grid.cell(row, 0)->y * kCellPixelHeight;
    int lines = 0;
    for (int r = row; r < first; ++r) {
        int tallest = 1;
        for (int c = 0; c < kPadColumns && grid.kind(r, c) != kPadRowEnd; ++c)
            tallest = std::max<int>(tallest, grid.cell(r, c)->height);
        lines += tallest;
    }
    return (1 - lines) * kCellPixelHeight;
}

// The lines joining a case at Yj to the case before it in the column,
// clipped to CHART below its top 14 pixels.
void draw_case_joint(Painter& p, const PadGrid& grid, Joints& joints, int row, int column, int x, int yj,
                     bool stop_at_head) {
    const int sx = selection_arm();
    const int cx = case_joint();
    const int saved = p.clip_below_top();
    if (joints.y[column] != 0) {
        const int px = joints.x[column];
        const int py = joints.y[column];
        const int mid = (py + yj) / 2;
        p.draw_line(px, py, x + cx, mid);
        p.draw_line(x + sx, yj, x + cx, mid);
    } else {
        for (int r = row - 1; r >= 1; --r) {
            const int kind = grid.kind(r, column);
            if (stop_at_head && kind == kPadSelection) break;
            if (kind != kPadCase) continue;
            const int yp = row_top(grid, r, p.area.first_row);
            const int mid = yj - (yj - yp) / 2;
            p.draw_line(x + sx, yp, x + cx, mid);
            p.draw_line(x + sx, yj, x + cx, mid);
            break;
        }
    }
    RestoreDC(p.dc, saved);
}

bool draws_label(int kind, int column) {
    switch (kind) {
    case kPadStatement:
    case kPadDoubleBox:
    case kPadLoop:
    case kPadNameTerminal:
    case kPadSelection:
    case kPadCase:
    case kPadReturn:
    case kPadSelectionTail:
    case kPadCall:
    case kPadEndTerminal: return true;
    case kPadEnd: return column == 0;
    default: return false;
    }
}

// One cell's shape; the bottom of what it drew goes to `bottom`, its label
// to `labels`.
void draw_cell_shape(Painter& p, const PadGrid& grid, Joints& joints, int row, int column, int* bottom,
                     std::vector<Label>& labels) {
    const PadCell& cell = *grid.cell(row, column);
    const CellBox b = cell_box(cell);
    const int X = b.x, Y = b.y, W = b.width, H = b.height;
    const int half = H / 2;
    const int cw = column_width();
    const int sx = selection_arm();
    switch (cell.kind) {
    case kPadStatement: p.draw_box(X, Y, X + W, Y + H); break;
    case kPadFlow: p.draw_line(X, row == 2 ? Y + 7 : Y, X, Y + H - 7); break;
    case kPadDoubleBox:
    case kPadLoop:
        p.draw_box(X, Y, X + W + 7, Y + H);
        p.draw_line(X + W + 2, Y, X + W + 2, Y + H);
        if (cell.kind == kPadLoop) p.draw_line(X + W + 7, Y + half, X + cw, Y + half);
        break;
    case kPadNameTerminal:
    case kPadEndTerminal:
        p.set_next_box_round(half - 1);
        p.draw_box_shape(X, Y, X + std::max(W + 14, kMinTerminalWidth), Y + H);
        break;
    case kPadSelection:
        p.draw_line(X, Y, X, Y + H);
        p.draw_line(X, Y, X + sx, Y);
        p.draw_line(X + sx, Y, X + sx, Y + (cell.height + 1) * kCellPixelHeight);
        break;
    case kPadCase:
        p.draw_line(X, Y, X, Y + H);
        p.draw_line(X, Y, X + cw, Y);
        draw_case_joint(p, grid, joints, row, column, X, Y, true);
        joints.x[column] = X + sx;
        joints.y[column] = Y;
        break;
    case kPadEnd:
        if (column != 0) return;
        p.draw_line(X, Y - 7, X, Y + 14);
        p.set_next_box_round(half - 1);
        p.draw_box_shape(X - 42, Y + 14, X + 42, Y + H + 14);
        break;
    case kPadReturn:
        p.draw_line(X, Y, X + W, Y);
        p.draw_line(X, Y, X, Y + H);
        p.draw_line(X, Y + H, X + W, Y + H);
        p.draw_line(X + W, Y, X + W + half, Y + H - half);
        p.draw_line(X + W, Y + H, X + W + half, Y + half);
        break;
    case kPadLoopNext: p.draw_line(X, Y + half - 6, X, Y + H); break;
    case kPadCaseNext: p.draw_line(X, Y, X, Y + H); break;
    case kPadSelectionTail: {
        const int below = grid.kind(row + 1, column);
        const bool ends = below == kPadEnd || below == kPadRowEnd || below == kPadEmpty;
        p.draw_line(X, Y, X, Y + (ends ? 7 : 14));
        p.draw_line(X, Y + 7, X + sx, Y + 7);
        draw_case_joint(p, grid, joints, row, column, X, Y + 7, false);
        joints.y[column] = 0;
        break;
    }
    case kPadCall:
        p.draw_box(X, Y, X + W + 14, Y + H);
        p.draw_line(X + 5, Y, X + 5, Y + H);
        p.draw_line(X + W + 9, Y, X + W + 9, Y + H);
        break;
    default: return;
    }
    *bottom = std::max(*bottom, Y + H);
    if (p.area.labels && draws_label(cell.kind, column)) labels.push_back({cell.x, cell.y - 1, cell.source_line});
}

}  // namespace

void draw_pad_shapes(HDC dc, const PadDrawArea& area) {
    const PadGrid& grid = *pad().grid;
    Painter p{dc, area};
    Joints joints;
    int bottom = 0;
    HGDIOBJ old_pen = SelectObject(dc, gravlet().line_pen != nullptr ? gravlet().line_pen
                                                                    : GetStockObject(BLACK_PEN));
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    std::vector<Label> labels;
    for_each_area_row(area, [&](int row) {
        for (int c = 0; c < kPadColumns && grid.kind(row, c) != kPadRowEnd; ++c)
            draw_cell_shape(p, grid, joints, row, c, &bottom, labels);
    });
    // a case block that goes on below the view gets its joint to the bottom
    const int saved = p.clip_below_top();
    for (int c = 0; c < kPadColumns; ++c) {
        if (joints.y[c] == 0) continue;
        p.draw_line(joints.x[c], joints.y[c], joints.x[c] - selection_arm() + case_joint(), bottom);
    }
    RestoreDC(dc, saved);
    HGDIOBJ old_font = SelectObject(dc, label_font());
    for (const Label& label : labels) {
        char text[24];
        std::snprintf(text, sizeof text, "[%d]", label.number);
        draw_line_number_label(dc, label.column, label.line, text);
    }
    SelectObject(dc, old_font);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
}

void draw_pad_text_marks(HDC dc, const PadDrawArea& area) {
    const PadGrid& grid = *pad().grid;
    const int format_width = 2 * level_width();
    const float z = area.zoom;
    const int pitch = static_cast<int>(z * kCellPixelWidth);
    const int mark = std::max(1, pitch - 1);
    const int shift = static_cast<int>(kCellPixelWidth * z * static_cast<float>(area.column));
    HGDIOBJ old_pen = SelectObject(dc, gravlet().line_pen != nullptr ? gravlet().line_pen
                                                                    : GetStockObject(BLACK_PEN));
    for_each_area_row(area, [&](int row) {
        for (int c = 0; c < kPadColumns && grid.kind(row, c) != kPadRowEnd; ++c) {
            const PadCell& cell = *grid.cell(row, c);
            if (cell.text == nullptr || cell.text[0] == '\0') continue;
            CellPieces pieces(cell.text);
            std::string_view piece;
            for (int k = 0; pieces.next(piece); ++k) {
                const std::string text = format_cell_piece(cell.kind, piece, format_width);
                const int line = cell.y + 1 + k;
                const int y = static_cast<int>(static_cast<float>((line + 1) * kCellPixelHeight) * z -
                                               z * kCellPixelWidth);
                const int x0 = static_cast<int>(static_cast<float>(cell.x * kCellPixelWidth - kCellPixelWidth) * z) -
                               shift;
                for (size_t i = 0; i < text.size(); ++i) {
                    if (text[i] == ' ') continue;
                    const int x = x0 + static_cast<int>(i) * pitch;
                    MoveToEx(dc, x, y, nullptr);
                    LineTo(dc, x + mark, y);
                }
            }
        }
    });
    SelectObject(dc, old_pen);
}

namespace {

void draw_pad_texts(HDC dc) {
    const PadGrid& grid = *pad().grid;
    const int format_width = 2 * level_width();
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old_font = SelectObject(dc, text_font());
    for_each_area_row(view_area(), [&](int row) {
        for (int c = 0; c < kPadColumns && grid.kind(row, c) != kPadRowEnd; ++c) {
            const PadCell& cell = *grid.cell(row, c);
            if (cell.text == nullptr || cell.text[0] == '\0') continue;
            CellPieces pieces(cell.text);
            std::string_view piece;
            for (int k = 0; pieces.next(piece); ++k)
                draw_cell_text(dc, cell.y + 1 + k, cell.x, format_cell_piece(cell.kind, piece, format_width));
        }
    });
    SelectObject(dc, old_font);
}

// --- The marker ---------------------------------------------------------------------

void invert_marker_at(HDC dc, int x, int y) {
    HBITMAP bitmap = shell().pad_bitmap;
    if (bitmap == nullptr) {
        PatBlt(dc, x, y, kMarkerSize, kMarkerSize, DSTINVERT);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, kMarkerSize, kMarkerSize, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// Draws the marker beside the current cell (measured), forgetting the one
// drawn before; false when the cell is not where a marker can go.
bool place_marker(HDC dc) {
    GravletState& g = gravlet();
    const PadCell* cell = pad().grid->cell(g.current_row, g.current_column);
    if (cell == nullptr || cell->y < 0) return false;
    const int x = cell->x * kCellPixelWidth - 25 - scroll_pixels();
    const int y = cell->y * kCellPixelHeight + 4;
    if (y > g.chart_height) return false;
    invert_marker_at(dc, x, y);
    g.marker_x = x;
    g.marker_y = y;
    return true;
}

bool row_is_shown(int row) {
    const int first = pad().first_shown_row;
    return row >= first && row <= first + gravlet().shown_rows;
}

// --- The window procedure ------------------------------------------------------------

void paint_chart(HWND window) {
    PAINTSTRUCT paint{};
    GravletState& g = gravlet();
    g.paint_dc = BeginPaint(window, &paint);
    if (doc().loaded && has_grid()) {
        g.marker_y = -1;
        clear_pad_view();
        draw_pad();
        redraw_cell_marker();
    }
    g.paint_dc = nullptr;
    EndPaint(window, &paint);
}

bool can_hit() {
    return doc().loaded && doc().source_loaded && has_grid() && pad().grid->row_count > 0;
}

void chart_mouse_move(HWND window, int x, int y) {
    GravletState& g = gravlet();
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    if (doc().busy) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return;
    }
    if (g.last_entered != window) {
        g.last_entered = window;
        SetCursor(arrow);
    }
    int row = 0, column = 0;
    g.cursor_over_cell = can_hit() && hit_test_cell(x, y, &row, &column);
    SetCursor(g.cursor_over_cell && g.cell_cursor != nullptr ? g.cell_cursor : arrow);
}

void chart_key(HWND window, WPARAM key) {
    switch (key) {
    case VK_TAB: scroll_pad(1, window, GetKeyState(VK_SHIFT) < 0 ? SB_PAGELEFT : SB_PAGERIGHT); break;
    case VK_PRIOR: scroll_pad(0, window, SB_PAGEUP); break;
    case VK_NEXT: scroll_pad(0, window, SB_PAGEDOWN); break;
    case VK_LEFT: scroll_pad(1, window, SB_LINELEFT); break;
    case VK_RIGHT: scroll_pad(1, window, SB_LINERIGHT); break;
    case VK_UP: scroll_pad(0, window, SB_LINEUP); break;
    case VK_DOWN: scroll_pad(0, window, SB_LINEDOWN); break;
    default: break;
    }
}

// The refusals of a scroll without a loaded document.
int refuse_unloaded() {
    MessageBeep(0);
    set_status_text(1, message_text(doc().file_name.empty() ? shell_message::kChooseFile
                                                            : shell_message::kNoDocument));
    return -1;
}

int next_boundary(int q, int margin, int step) {
    if (q < margin - 1) return margin - 1;
    return margin - 1 + ((q - (margin - 1)) / step + 1) * step;
}

int previous_boundary(int q, int margin, int step) {
    if (q <= margin - 1) return 0;
    const int offset = q - (margin - 1);
    return margin - 1 + (offset % step == 0 ? offset - step : offset / step * step);
}

}  // namespace

CellBox cell_box(const PadCell& cell) {
    CellBox b{cell.x * kCellPixelWidth - 9, cell.y * kCellPixelHeight, cell.width * kCellPixelWidth + 3,
              cell.height * kCellPixelHeight + 7};
    // A loop's text wraps at 2L - 4 characters; the four characters its
    // padding adds hold the double edge and the line to the body, which
    // begins a column (2L) right. Measured over the padding, the box would
    // run into the body's box and its first letter.
    if (cell.kind == kPadLoop) b.width -= kPadLoopReserve * kCellPixelWidth;
    return b;
}

void measure_shown_rows() {
    PadDocument& d = pad();
    if (!d.grid || d.grid->row_count <= 0) return;
    measure_pad_page(*d.grid, {d.first_shown_row, d.grid->row_count}, d.layout_values());
}

void draw_pad() {
    if (!has_grid() || pad().grid->row_count <= 0) return;
    ChartDc dc;
    if (dc.get() == nullptr) return;
    measure_shown_rows();
    draw_pad_texts(dc.get());
    draw_pad_shapes(dc.get(), view_area());
}

void clear_pad_view() {
    HWND chart = shell().chart;
    if (chart == nullptr) return;
    ChartDc dc;
    if (dc.get() == nullptr) return;
    RECT client{};
    GetClientRect(chart, &client);
    HBRUSH frame = CreateSolidBrush(kFrameGrey);
    FrameRect(dc.get(), &client, frame);
    DeleteObject(frame);
    InflateRect(&client, -1, -1);
    HBRUSH background = gravlet().background_brush;
    FillRect(dc.get(), &client, background != nullptr ? background : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    gravlet().marker_y = -1;
}

int redraw_cell_marker() {
    GravletState& g = gravlet();
    if (!has_grid() || pad().grid->row_count <= 0 || g.current_row < 1 || !row_is_shown(g.current_row)) return -1;
    ChartDc dc;
    if (dc.get() == nullptr) return -1;
    measure_shown_rows();
    return place_marker(dc.get()) ? 0 : -1;
}

int show_current_cell() {
    GravletState& g = gravlet();
    PadDocument& d = pad();
    if (!has_grid() || g.current_row < 1 || g.current_row > d.grid->row_count) return -1;
    measure_shown_rows();
    const PadCell& cell = *d.grid->cell(g.current_row, g.current_column);
    bool moved = false;
    if (doc().linked_mode) {
        const int q = scroll_pixels();
        if (cell.x * kCellPixelWidth - 28 < q || q + g.chart_width < cell.x * kCellPixelWidth + 16) {
            d.horizontal_position = std::max(
                0, std::min(std::max(cell.x * kCellPixelWidth - 28, 0) / kCellPixelWidth, horizontal_limit()));
            moved = true;
        }
        // the last row whose bottom still fits the view
        int last_fitting = d.first_shown_row;
        int bottom = 0;
        for (int r = d.first_shown_row; r <= d.grid->row_count; ++r) {
            const PadCell& first = *d.grid->cell(r, 0);
            bottom = std::max(bottom, first.y + first.height);
            if (bottom > g.chart_height / kCellPixelHeight) break;
            last_fitting = r;
        }
        if (g.current_row < d.first_shown_row || g.current_row > last_fitting) {
            d.first_shown_row = g.current_row;
            moved = true;
        }
    } else if (!row_is_shown(g.current_row)) {
        return -1;
    }
    if (moved) {
        refresh_pad_view();
        return 0;
    }
    ChartDc dc;
    if (dc.get() == nullptr) return -1;
    if (g.marker_y >= 0) invert_marker_at(dc.get(), g.marker_x, g.marker_y);
    g.marker_y = -1;
    place_marker(dc.get());
    return 0;
}

bool hit_test_cell(int x, int y, int* row, int* column) {
    if (!has_grid()) return false;
    const PadGrid& grid = *pad().grid;
    measure_shown_rows();
    const int px = x + scroll_pixels();
    bool found = false;
    for_each_area_row(view_area(), [&](int r) {
        for (int c = 0; !found && c < kPadColumns && grid.kind(r, c) != kPadRowEnd; ++c) {
            const PadCell& cell = *grid.cell(r, c);
            if (!is_choosable(cell.kind)) continue;
            const CellBox b = cell_box(cell);
            if (b.x <= px && px <= b.x + b.width && b.y <= y && y <= b.y + b.height) {
                *row = r;
                *column = c;
                found = true;
            }
        }
    });
    return found;
}

void set_current_cell(int row, int column) {
    GravletState& g = gravlet();
    g.previous_row = g.current_row;
    g.previous_column = g.current_column;
    g.current_row = row;
    g.current_column = column;
}

bool choose_cell_at(int x, int y) {
    int row = 0, column = 0;
    if (!can_hit() || !hit_test_cell(x, y, &row, &column)) return false;
    set_current_cell(row, column);
    if (doc().linked_mode) {
        doc().current_source_line = pad().grid->cell(row, column)->source_line;
        if (!source_list_open()) {
            open_source_list_window(shell().frame_window);
        } else {
            show_current_source_line();
            repaint_source_line_numbers();
        }
    }
    set_status_text(0, "");
    show_current_cell();
    return true;
}

bool find_cell_of_line(int line, int* row, int* column) {
    if (!has_grid()) return false;
    const PadGrid& grid = *pad().grid;
    for (int r = 1; r <= grid.row_count; ++r) {
        for (int c = 0; c < kPadColumns && grid.kind(r, c) != kPadRowEnd; ++c) {
            const PadCell& cell = *grid.cell(r, c);
            if (cell.source_line == line && is_choosable(cell.kind)) {
                *row = r;
                *column = c;
                return true;
            }
        }
    }
    return false;
}

int pad_vertical_step(int code, int position, int p, int n, int v) {
    const int c = v - 1;
    const int d = c / 2;
    const bool at_end = p > n + d - c || n < v - 3;
    int result;
    switch (code) {
    case SB_LINEUP:
        if (p == 1) return -1;
        result = p - 1;
        break;
    case SB_LINEDOWN:
        if (at_end) return -1;
        result = p + 1;
        break;
    case SB_PAGEUP:
        if (p <= 1) return -1;
        result = std::max(p - c, 1);
        break;
    case SB_PAGEDOWN:
        if (at_end) return -1;
        result = std::min(p + c, d + n - c + 1);
        break;
    case SB_THUMBPOSITION: result = std::min(position, n + d - c); break;
    case SB_TOP:
        if (p == 1) return -1;
        result = 1;
        break;
    case SB_BOTTOM:
        if (at_end) return -1;
        result = d + n - c + 1;
        break;
    default: return -2;
    }
    return std::max(result, 1);
}

int pad_horizontal_step(int code, int position, int q, int wc, int view_width, int l) {
    const int limit = wc - view_width / kCellPixelWidth + 1;  // the position that shows the right edge
    const int step = 2 * l;
    switch (code) {
    case SB_LINELEFT: return q == 0 ? -1 : q - 1;
    case SB_LINERIGHT: return q > limit ? -1 : q + 1;
    case SB_PAGELEFT: return q == 0 ? -1 : previous_boundary(q, kPadMargin, step);
    case SB_PAGERIGHT:
        if (q > limit) return -1;
        return std::min(next_boundary(q, kPadMargin, step), limit + 1);
    case SB_THUMBPOSITION: return std::max(0, std::min(position, wc));
    case SB_LEFT: return q == 0 ? -1 : 0;
    case SB_RIGHT: return q >= wc ? -1 : wc;
    default: return -2;
    }
}

int scroll_pad(int axis, HWND, WPARAM code) {
    if (!doc().loaded || !has_grid()) return refuse_unloaded();
    PadDocument& d = pad();
    GravletState& g = gravlet();
    const int position = static_cast<short>(HIWORD(code));
    const int result = axis == 1 ? pad_horizontal_step(LOWORD(code), position, d.horizontal_position, g.pad_width,
                                                       g.chart_width, level_width())
                                 : pad_vertical_step(LOWORD(code), position, d.first_shown_row, d.grid->row_count,
                                                     g.shown_rows);
    if (result == -2) return 1;
    if (result == -1) {
        MessageBeep(0);
        return -1;
    }
    if (axis == 1) {
        d.horizontal_position = result;
    } else {
        d.first_shown_row = result;
    }
    refresh_pad_view();
    return 0;
}

int scroll_pad_to(int mode, int x, int y) {
    PadDocument& d = pad();
    GravletState& g = gravlet();
    if (!has_grid()) return 0;
    int used = 0;
    if (mode == 0 || mode == 2) {
        d.horizontal_position = std::max(0, std::min(std::max(x, 0) / kCellPixelWidth, horizontal_limit()));
        used = d.horizontal_position;
    }
    if ((mode == 1 || mode == 2) && d.grid->row_count > 0) {
        PadGrid& grid = *d.grid;
        measure_pad_page(grid, {1, grid.row_count}, d.layout_values());
        int row = 1;
        int bottom = 0;
        for (; row <= grid.row_count; ++row) {
            const PadCell& first = *grid.cell(row, 0);
            bottom = std::max(bottom, first.y + first.height);
            if (bottom >= y / kCellPixelHeight) break;
        }
        const int n = grid.row_count;
        const int v = g.shown_rows;
        d.first_shown_row = std::max(1, std::min(row - 1, n + v / 2 - v + 1));
        used = d.first_shown_row;
    }
    refresh_pad_view();
    return used;
}

int get_pad_width_chars() { return gravlet().pad_width; }

void refresh_pad_view() {
    HWND chart = shell().chart;
    redraw_pad_view();
    if (chart != nullptr) {
        SetScrollPos(chart, SB_VERT, pad().first_shown_row, TRUE);
        SetScrollPos(chart, SB_HORZ, pad().horizontal_position, TRUE);
    }
}

LRESULT pad_chart_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: paint_chart(window); return 0;
    case WM_MOUSEMOVE:
        chart_mouse_move(window, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_SETCURSOR:
        // the cursor is the one the last mouse move chose
        if (LOWORD(lparam) == HTCLIENT) return TRUE;
        break;
    case WM_LBUTTONDOWN:
        choose_cell_at(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        return 0;
    case WM_HSCROLL: scroll_pad(1, window, wparam); return 0;
    case WM_VSCROLL: scroll_pad(0, window, wparam); return 0;
    case WM_KEYDOWN: chart_key(window, wparam); return 0;
    case WM_NCMOUSEMOVE: gravlet().last_entered = nullptr; break;
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_TIMER:
    case WM_CHAR:
    case WM_COMMAND:
    case WM_PALETTECHANGED: return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
