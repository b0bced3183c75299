// The pieces every program's layout window (the page, PAD or chart in
// miniature) is built from: the four window classes, the button bar with
// its two buttons, the etched separator, the zoom choices and their popup,
// and the magnifier rectangle that marks the part the main view shows. Each
// program passes its own window procedures and magnifier cursor.
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

inline constexpr char kLayoutFrameClass[] = "LAYOUT";
inline constexpr char kLayoutChartClass[] = "LAYCHART";
inline constexpr char kLayoutBarClass[] = "LAYCTRL";
inline constexpr char kLayoutSeparatorClass[] = "LAYSEP";

// Child ids and the bar's geometry.
enum : int {
    kLayoutChartId = 7001,
    kLayoutSeparatorId = 7002,
    kLayoutBarId = 7003,
    kLayoutZoomButtonId = 300,
    kLayoutCloseButtonId = 301,
    kLayoutBarHeight = 20,
    kLayoutSeparatorHeight = 2,
    kLayoutChartTop = kLayoutBarHeight + kLayoutSeparatorHeight,
};

struct LayoutClassProfile {
    WNDPROC frame_procedure;  // LAYOUT and LAYCTRL
    WNDPROC chart_procedure;  // LAYCHART
    const char* chart_cursor;  // the program's magnifier ("NXW_mag_csr"); nullptr for none
};

// 1, or 0 at the first class that cannot be registered.
int register_layout_classes(HINSTANCE instance, const LayoutClassProfile& profile);

// The children of a LAYOUT window.
struct LayoutChildren {
    HWND bar = nullptr;
    HWND separator = nullptr;
    HWND chart = nullptr;
    HWND zoom_button = nullptr;
    HWND close_button = nullptr;
};

// The bar (0, 0, width x 20), the separator (0, 20, width x 2) and the
// chart (0, 22, width x height) in the window, then the two buttons of the
// bar; `button_font` when there is one.
LayoutChildren create_layout_children(HWND layout, HINSTANCE instance, int width, int height, HFONT button_font);
// "倍率" (300) and "閉じる" (301), 88 x 17 at (2, 2) and (92, 2) of the bar.
void create_layout_buttons(HWND bar, HINSTANCE instance, HFONT button_font, LayoutChildren& children);
// After a size change: the bar and the separator across the client width,
// the chart below them.
void size_layout_children(const LayoutChildren& children, int client_width, int client_height);

LRESULT layout_sep_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Grey and white lines from x 2 to the right edge less 2; -1 without a window.
int draw_layout_separator(HWND separator);

// --- Zoom ----------------------------------------------------------------------------

inline constexpr int kLayoutZoomCount = 5;
inline constexpr UINT kFirstLayoutZoomCommand = 20993;
// ORDER ZOOM: the factors of commands 20993 to 20997; the second is 0.333,
// not a third.
inline constexpr float kLayoutZoomFactors[kLayoutZoomCount] = {0.5f, 0.333f, 0.25f, 0.2f, 0.1f};

// The popup of the zoom button at the pointer, right-aligned to it, with the
// current choice checked; the choice arrives at `owner` as its command.
// A program whose zoom commands have other ids names the first.
void track_layout_zoom_popup(HWND owner, int current_index, UINT first_command = kFirstLayoutZoomCommand);

// --- The magnifier rectangle ----------------------------------------------------------

struct LayoutRegion {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width = 0, height = 0;
    void set(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
        width = r - l;
        height = b - t;
    }
};

// The rectangle at a new zoom: each edge trunc(edge / old * new).
void rescale_layout_region(LayoutRegion& region, float old_factor, float new_factor);
// White, hollow, exclusive-or, from (left + 1, top) to (right + 1, bottom):
// drawing it twice at the same place removes it.
void draw_layout_region(HDC dc, const LayoutRegion& region);
