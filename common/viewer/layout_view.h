// The layout window of GRAVLET and ORBALINE, "ﾚｲｱｳﾄ": the program's view (the
// PAD, the chart) at one of five reduced scales, with the rectangle of the
// part the main view shows. A click centres the rectangle there, a drag
// moves it, and its release scrolls the main view to it. The window, its
// buttons, zoom, rectangle and mouse are shared; what it shows, its scroll
// ranges and how the main view moves are the program's content.
#pragma once

#include "common/shell/window/layout_window_parts.h"
#include "common/shell/window_placement.h"
#include "platform/user/winuser.h"

class LayoutContent {
public:
    virtual ~LayoutContent() = default;
    // The main view's first column (characters) and first row (from 1).
    virtual void view_origin(int* column, int* row) const = 0;
    // Pixels one row of the origin stands for at full scale.
    virtual int origin_row_pixels() const = 0;
    // Where a row (from 1) begins at full scale, in pixels from the first.
    virtual int row_top_pixels(int row) const { return (row - 1) * origin_row_pixels(); }
    virtual HBRUSH background() const = 0;
    // True when there is something to draw.
    virtual bool has_content() const = 0;
    // The content at the window's zoom from its first row and column.
    virtual void draw(HDC dc) = 0;
    // The scroll bars' ranges and positions for the window's size, the
    // window's origin kept within them.
    virtual void set_ranges() = 0;
    // A scroll step of the window's origin, drawn by the caller: 0 taken,
    // -1 refused (after refuse_layout_scroll).
    virtual int scroll(bool horizontal, WPARAM code) = 0;
    // The main view moved to where the rectangle now lies.
    virtual void show_region() = 0;
};

struct LayoutViewProfile {
    const PlacementProfile* placement;
    UINT first_zoom_command;
    // A click keeps the rectangle's right edge this many pixels inside the
    // window, and with keep_bottom_inside its bottom edge too.
    int right_gap;
    bool keep_bottom_inside;
    // The window's system menu has no minimise item.
    bool remove_minimise;
};

struct LayoutViewState {
    const LayoutViewProfile* profile = nullptr;
    LayoutContent* content = nullptr;
    HWND window = nullptr;  // LAYOUT while open
    LayoutChildren children;
    int zoom_index = 1;  // lives for the run; 1/3 to start with
    float zoom = kLayoutZoomFactors[1];
    int offset = 0;   // the first character column shown
    int top_row = 1;  // the first row shown
    int client_width = 0, client_height = 0;
    LayoutRegion region;
    bool dragging = false;
    POINT drag_start{};
    POINT drag_corner{};
    bool edge_stepping = false;  // a drag at the edge is scrolling the window

    bool open() const { return window != nullptr; }
    // Closed state; the zoom, the profile and the content stay.
    void reset();
};
LayoutViewState& layout_view();

// Makes the window the program's.
void install_layout_view(const LayoutViewProfile& profile, LayoutContent& content);

// Opens the window over the main view's visible area (view pixels); the
// rectangle goes where the view shows, the window's origin moving there when
// it would not fit otherwise.
void open_layout_view(HWND parent, int x1, int y1, int x2, int y2);
// Takes the view's scroll and visible area and repaints; nothing while closed.
void refresh_layout_view(int x1, int y1, int x2, int y2);
void repaint_layout_view();
// A refused scroll step of the window: a beep, except for the steps a drag at
// the edge tries, which would otherwise beep on every mouse move.
void refuse_layout_scroll();

LRESULT layout_view_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT layout_view_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The scaled rectangle of a view area: left and top + 2, right and bottom - 2.
LayoutRegion scaled_layout_region(int x1, int y1, int x2, int y2, float zoom);
