// The PAD view "CHART": the loaded function drawn as a PAD on a grid of
// 7 x 14-pixel character cells (boxes, terminals, flow lines, the cell
// texts, "[n]" source line labels) with a marker beside the current cell;
// its scrolling, the hit test of a point, the cursor and the clicks that
// make a cell current and move the linked source list.
#pragma once

#include <string>

#include "gravlet/pad/pad_grid.h"
#include "platform/user/winuser.h"

inline constexpr int kCellPixelWidth = 7;
inline constexpr int kCellPixelHeight = 14;
inline constexpr int kPadMargin = 10;  // M, the PAD's left margin in characters

// A cell's box in CHART pixels at horizontal position 0.
struct CellBox {
    int x = 0;       // X = x x 7 - 9
    int y = 0;       // Y = y x 14
    int width = 0;   // W = w x 7 + 3; a loop's over its wrap width, w - 4
    int height = 0;  // H = h x 14 + 7
};
CellBox cell_box(const PadCell& cell);

LRESULT pad_chart_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Draws the shown rows into CHART: texts, then shapes. Nothing when no PAD
// file is open.
void draw_pad();

// What one drawing of the loaded PAD covers (measured from its first row):
// the rows from first_row while at most row_limit below it, scaled by zoom,
// from character column `column`, within width x height pixels, with the
// "[n]" labels or without them.
struct PadDrawArea {
    int first_row = 1;
    int row_limit = 0;
    float zoom = 1.0f;
    int column = 0;
    int width = 0, height = 0;
    bool labels = true;
};
// The shapes and joints of the area's rows.
void draw_pad_shapes(HDC dc, const PadDrawArea& area);
// The texts in miniature: a short line on its baseline for every character
// that is not blank.
void draw_pad_text_marks(HDC dc, const PadDrawArea& area);
// The measure of the shown rows (y from 1 at the first shown row).
void measure_shown_rows();
// Fills CHART with the PAD background inside a light-grey frame.
void clear_pad_view();

// Brings the current cell into view (in link mode) and moves the marker; -1
// when it is left as it is.
int show_current_cell();
// Draws the marker again after a repaint: -1 when the grid is empty or the
// current row is not shown.
int redraw_cell_marker();
// The cell under a CHART point (client pixels): row from 1 and column, or
// false when no cell of a kind that can be chosen lies there.
bool hit_test_cell(int x, int y, int* row, int* column);
// Makes a cell current as a click does: in link mode the source list
// follows. False when no cell lies there.
bool choose_cell_at(int x, int y);
// The first cell (rows from 1, columns 0 to 19) with this source line and a
// kind that can be chosen; false when none.
bool find_cell_of_line(int line, int* row, int* column);
// Makes a cell current and shows it.
void set_current_cell(int row, int column);

// axis 1 horizontal, 0 vertical; the scroll-bar code in the low word of
// `code`, a thumb position in its high word. 0 moved, -1 refused (a beep),
// 1 a code that moves nothing.
int scroll_pad(int axis, HWND window, WPARAM code);
// mode 0 horizontal, 1 vertical, 2 both (pixels); the x or y position used.
int scroll_pad_to(int mode, int x, int y);
int get_pad_width_chars();

// After an accepted scroll: the view redrawn at the new positions, the
// scroll bars and the ruler.
void refresh_pad_view();

// The positions a scroll step leads to, or -1 when it is refused, -2 when
// the code moves nothing. Vertical: first shown row p of n rows, v shown
// rows. Horizontal: position q, PAD width wc, view width in pixels, level
// width l.
int pad_vertical_step(int code, int position, int p, int n, int v);
int pad_horizontal_step(int code, int position, int q, int wc, int view_width, int l);
