// The layout window "ﾚｲｱｳﾄ": the current page, form and contents, at one of
// five reduced scales, with the magnifier rectangle over the part the page
// view shows. A click or a drag in the miniature moves the page view there;
// the page view tells the window its visible region after every page
// change and scroll.
#pragma once

#include "common/shell/window/layout_window_parts.h"
#include "common/shell/window_placement.h"
#include "notarix/layout/layout_renderer.h"
#include "platform/user/winuser.h"

inline constexpr WindowPlacement kLayoutDefaultPlacement{450, 90, 312, 500};
inline constexpr int kLayoutDefaultZoom = 1;  // 1/3

struct LayoutWindowState {
    HWND window = nullptr;  // LAYOUT while open
    LayoutChildren children;
    int zoom_index = kLayoutDefaultZoom;  // lives for the run
    float zoom = kLayoutZoomFactors[kLayoutDefaultZoom];
    WindowPlacement placement = kLayoutDefaultPlacement;  // the size lives for the run
    RECT chart_client{};
    int scroll_column = 0, scroll_row = 0;
    int view_x1 = 0, view_y1 = 0, view_x2 = 0, view_y2 = 0;  // the page view's region as last given
    LayoutRegion region;
    bool dragging = false;
    POINT drag_start{};   // the pointer where the drag began
    POINT drag_corner{};  // the rectangle's top-left corner then
    HFONT font = nullptr;
    LayoutRenderer renderer{screen_objects()};

    bool open() const { return window != nullptr; }
    // The state of a program that has shown no layout window (one still
    // open is not destroyed).
    void reset();
};

LayoutWindowState& layout_window();

// 1, or 0 when a class cannot be registered.
int register_layout_window_classes(HINSTANCE instance);

// Opens the window over the page view's region (page-view client pixels).
void open_layout_window(HWND parent, int x1, int y1, int x2, int y2);
// Takes the page view's scroll position and region, places the magnifier
// and draws the miniature again; nothing while the window is closed.
void set_layout_visible_region(int x1, int y1, int x2, int y2);
// Sizes the miniature, sets the scroll ranges and draws it and the
// magnifier.
void update_layout_scroll();
// One scroll step of the miniature (horizontal or vertical, a scroll-bar
// code with the thumb position in the high word).
void scroll_layout_by_key(bool horizontal, HWND window, WPARAM code);
// The page background in a frame of light grey; -1 while closed.
int draw_layout_chart_frame();
void create_layout_font();
void delete_layout_font();

LRESULT layout_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT layout_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
