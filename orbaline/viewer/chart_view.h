// The chart view "CHART": the chart grid drawn as boxes joined by
// connectors, one node a row at its depth column, in character cells of
// 7 x 14 pixels; the selection marker, the hit test of a click, scrolling,
// the page jumps, the column ruler, the frame title and the two status
// panes of the control bar.
#pragma once

#include <string>

#include "orbaline/chart/chart_grid.h"
#include "platform/user/winuser.h"

inline constexpr int kChartCellWidth = 7;
inline constexpr int kChartCellHeight = 14;

// The geometry the settings give: box width W (a box holds 2W bytes a
// line) and box lines L.
struct ChartMetrics {
    int box_width = 8;
    int box_lines = 1;
    int row_pitch() const { return (box_lines + 2) * kChartCellHeight; }
};

// Rows that fit a client of that height: ceil(height / pitch), at least 1.
int chart_visible_rows(int client_height, const ChartMetrics& metrics);
// The widest node extent in cells: 8c + 2W + 4 + 12 over the node cells.
int chart_extent(const ChartTable& table, const ChartMetrics& metrics);
// The scroll ranges' upper ends: vertical 1 .. max(1, rows - visible + 2),
// horizontal 0 .. max(0, extent + 1 - client width / 7).
int chart_vertical_limit(int row_count, int visible_rows);
int chart_horizontal_limit(int extent, int client_width);

// The node hit by a point of the client area: its row and column, or false
// (left of a box, on a connector, below the last row).
bool chart_hit_test(const ChartTable& table, const ChartMetrics& metrics, int top_row, int left_column, int x,
                    int y, int* row, int* column);

// The marker's place for the selection: false when the row is not shown.
bool chart_marker_position(const ChartMetrics& metrics, int selected_row, int selected_column, int top_row,
                           int visible_rows, int left_column, int* x, int* y);

// A scroll step: the new top row (vertical) or first column (horizontal),
// kChartScrollRefused (a beep) or kChartScrollIgnored (thumb tracking and
// other codes).
inline constexpr int kChartScrollRefused = -1000;
inline constexpr int kChartScrollIgnored = -1001;
int chart_vertical_step(int code, int thumb, int top_row, int row_count, int visible_rows);
int chart_horizontal_step(int code, int thumb, int column, int extent, int client_width);

// The node pane's text: the node with its comment after two blanks.
std::string node_pane_text(std::string_view node_text);

// --- the window --------------------------------------------------------------------

LRESULT tree_chart_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The view's metrics from the chart session.
ChartMetrics chart_metrics();
// CHART's client size taken afresh, and the visible rows with it.
void take_chart_client_size();
// Scroll ranges and positions for the chart as loaded.
void set_chart_extent();
// Loads the chart again (0 from the .trd, 1 from the working copy) and
// shows it: 0, or -1 (nothing loaded).
int reload_chart_view(int mode);
// Clears, draws the rows, the marker and the ruler; without a chart message
// 609 or 417 and -1.
int redraw_chart();
void clear_chart_view();
void draw_selection_frame();
void draw_chart_ruler();
// Frame title and the status panes: -1 without a chart (panes left empty).
int update_window_title();
void update_status_panes();
// Jumps of buttons 300-303: 0 next page, 1 previous, 2 first, 3 last.
int jump_in_chart(int type);
// A scroll bar's or key's step (horizontal 1 or vertical 0).
int scroll_chart(int horizontal, WPARAM code);
// The top row or the column of the selection brought into view (after a
// search or a pick from the function list): kind 0 column, 1 row, 2 both.
void show_chart_position(int kind, int row);
// The layout window's jump: kind 0 column, 1 row, 2 both.
void set_chart_scroll(int kind, int column, int top_row);
// Message line of the status bar: mode 1 shows, any other clears.
void show_message_line(int mode, const std::string& text);
// Selection of a node by a click at a point of CHART; true on a node.
bool click_chart(int x, int y);
