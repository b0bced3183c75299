// The page view "CHART": shows the current page of the open document, pages
// through it (next, previous, first, last) and scrolls the page grid. The
// frame's page buttons and F1-F4 call the paging functions.
#pragma once

#include <functional>
#include <string>

#include "common/shell/document.h"
#include "common/shell/window/screen_renderer.h"
#include "common/viewer/frame.h"
#include "platform/user/winuser.h"

inline constexpr char kPageViewClass[] = "CHART";

// Page grid of the view: 82 rows of 12 pixels, 112 columns of 6.
inline constexpr int kPageRows = 82;
inline constexpr int kPageColumns = 112;
inline constexpr int kPageRowHeight = 12;
inline constexpr int kPageColumnWidth = 6;

// The scroll ranges of a client of that size: 0 when the whole grid shows.
int page_vertical_range(int client_height);
int page_horizontal_range(int client_width);

// What the page view asks of the frame and the other windows. Empty hooks
// are skipped.
struct PageViewHooks {
    std::function<void(int mode, const std::string& text)> set_status_text;
    std::function<void()> update_title_and_status;      // control bar: title and page counter
    std::function<void()> follow_source;                // linked mode: the source list follows
    std::function<void(int line)> set_source_search_start;
    std::function<void(int x, int y, int width, int height)> set_layout_visible_region;
    std::function<void(int page)> select_function;      // the function list's selected item
    std::function<void()> draw_column_gauge;
    // Shows the missing form's name (message 413); a message box when empty.
    std::function<void(const std::string& name)> show_layout_missing;
    // The settings' layout file name (empty: nx1000.lis in the program directory).
    std::function<std::string()> layout_name;
};

// The page view's state: one record, with a reset for tests.
struct PageView {
    HWND window = nullptr;
    PageViewHooks hooks;
    ScreenRenderer renderer{screen_objects()};
    bool form_error_box_open = false;
    HWND last_entered = nullptr;  // the window the mouse last moved over

    void reset();
};

PageView& page_view();

// Registers "CHART" (the page-background brush as its background).
ATOM register_page_view_class(HINSTANCE instance);
LRESULT chart_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The client size of the view as the frame keeps it on every resize.
void set_page_view_metrics(int client_width, int client_height);

// Paging. Each returns 0 when the page changed, else the number of the
// message it showed in the status bar after a beep: 117 or 118 without a
// loaded document, 603 at the first page, 604 at the last.
int step_page(int direction);
int jump_end_page(int which);

// After a page change: -1 when nothing is loaded, else draws the page with
// reset scroll positions and updates the title and page counter.
int refresh_page_view();
// Draws the current page again at the same scroll positions; -1 (after 117
// or 118) when nothing is loaded.
int redraw_page_view();
void clear_page_view();

// axis 1 horizontal, 0 vertical; the scroll-bar code in the low word of
// `code`, a thumb position in its high word. 0 when the view moved, -1 when
// the step was refused or nothing is loaded.
enum ScrollAxis : int { kVerticalAxis = 0, kHorizontalAxis = 1 };
int scroll_page_view(int axis, HWND window, WPARAM code);
// mode 0 horizontal only, 1 vertical only, 2 both; x and y in pixels. The
// last position set (0 when none).
int scroll_to_position(int mode, int x, int y);
// Tells the layout window the part of the page the view shows (its whole
// client area at the current scroll position).
void tell_layout_window();

// The horizontal limit: 112 - width / 6, or 1 when the view is wider.
int max_scroll_column();
