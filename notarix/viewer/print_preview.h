// The print preview: the function pages as they will be printed, one
// function at a time, drawn by the print's own routines onto a white page
// box shaped like the printer's page. While it is open it takes the frame's
// client area: the menu is removed, the frame's own children are hidden,
// and a bar of buttons (and F1-F4) pages through the functions.
#pragma once

#include "platform/user/winuser.h"

inline constexpr char kPreviewFrameClass[] = "PRVDOC";
inline constexpr char kPreviewControlClass[] = "PRVCONTROL";
inline constexpr char kPreviewSeparatorClass[] = "PRVSEP";
inline constexpr char kPreviewChartClass[] = "PRVCHART";
inline constexpr char kPreviewTextClass[] = "PRVTEXT";

enum : int {
    kPreviewChartId = 7001,
    kPreviewSeparatorId = 7002,
    kPreviewControlId = 7003,
    kPreviewFirstButtonId = 300,  // 300 next ... 305 jump
    kPreviewButtonCount = 6,
};

// The preview's commands: the button id less 300.
enum PreviewCommand : int {
    kPreviewNext = 0,
    kPreviewPrevious = 1,
    kPreviewFirst = 2,
    kPreviewLast = 3,
    kPreviewClose = 4,
    kPreviewJump = 5,
};

struct PreviewState {
    bool open = false;
    int page = 0;  // the function shown, from 0
    HMENU saved_menu = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
    int box_width = 560, box_height = 350;
    HWND frame = nullptr;      // PRVDOC
    HWND control = nullptr;    // PRVCONTROL
    HWND separator = nullptr;  // PRVSEP
    HWND chart = nullptr;      // PRVCHART
    HWND buttons[kPreviewButtonCount] = {};
    // The frame's children the preview hid, to be shown again.
    HWND hidden[5] = {};
    // The set-up found a printer (and the user went on): pages can be drawn.
    bool ready = false;
    // The print's first page number and first function, for the footer's
    // page number of the function shown.
    int first_page_number = 1;
    int first_function = 1;

    void reset();
};

PreviewState& preview_state();

// 1, or 0 when a class cannot be registered.
int register_preview_classes(HINSTANCE instance);

void open_print_preview(HWND parent);
// -1 when the preview is not open or the step is refused, else 0.
int do_preview_command(int n);
// Draws the current function into the page box (`dc` nullptr: the box's
// own context). -1 when the preview is not open.
int paint_preview_page(HDC dc);
void fit_preview_page_box();
// 0, 20 (declined without a header file), or -2 (no printer).
int prepare_preview_job();
// Closes the preview when it is open: menu and windows come back.
void close_print_preview();
// The preview follows the frame's new client size.
void resize_print_preview();

LRESULT preview_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT preview_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT preview_text_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
