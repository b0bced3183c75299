// The chart's layout window "ﾚｲｱｳﾄ": the whole chart at one of five reduced
// scales, node texts as short dashes, with the rectangle of the part the
// chart view shows. A click or a drag there moves the chart view.
#pragma once

#include <string_view>
#include <vector>

#include "common/viewer/layout_view.h"
#include "platform/user/winuser.h"

inline constexpr UINT kFirstChartZoomCommand = 8193;
inline constexpr int kChartLayoutDefaultZoom = 1;  // 1/3

// The shared layout window's state while it shows the chart.
using ChartLayoutState = LayoutViewState;
ChartLayoutState& chart_layout();

int register_chart_layout_classes(HINSTANCE instance);
// Opens the window over the chart view's visible area (view pixels).
void open_chart_layout(HWND parent, int x1, int y1, int x2, int y2);
// Takes the view's scroll and visible area and repaints; nothing while closed.
void refresh_chart_layout(int x1, int y1, int x2, int y2);
void repaint_chart_layout();
// A scroll step of the miniature's origin, drawn by the caller: 0 when
// taken, -1 refused (a beep).
int scroll_chart_layout(bool horizontal, WPARAM code);
// The dashes a node text piece becomes at zoom z: the x of each, relative
// to the piece's start, none at 1/10.
std::vector<int> layout_dash_positions(std::string_view piece, float zoom);
// The chart view's position for the rectangle where it lies now: its
// first column and top row.
void chart_view_position_of_region(int* column, int* top_row);
