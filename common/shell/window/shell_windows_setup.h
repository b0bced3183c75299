// What the small owned windows of the shell (progress meter, error and
// summary windows) take from the program that shows them: its instance, its
// frame, the fonts the frame made, where placements are kept and where the
// abort flag lives. A program fills this once the frame's objects exist.
#pragma once

#include <functional>
#include <span>

#include "common/shell/window_placement.h"
#include "platform/user/winuser.h"

struct ShellWindowsSetup {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;             // the meter is centred over it
    HFONT meter_font = nullptr;       // 12 x 6, the meter's texts
    HFONT list_font = nullptr;        // 14 x 7, the lists of the error and summary windows
    HFONT button_font = nullptr;      // the bars' buttons
    PlacementProfile placement{"Software\\KRT Notarix95"};
    bool* abort_flag = nullptr;       // nullptr: the abort flag of document_state()
    // The frame's cursor handling: the owned window the pointer last entered.
    std::function<void(HWND)> pointer_entered;

    void reset() { *this = ShellWindowsSetup{}; }
};

ShellWindowsSetup& shell_windows_setup();

// The flag that the meter's cancel sets and the runs poll.
bool& shell_abort_flag();

// Moves the window (size kept, z-order kept, not activated) so that it is
// centred over the frame, then keeps it on the screen: x at most the screen
// width less the window's width and at least 0, y likewise. Without a frame
// the window is centred on the screen.
void center_over_frame(HWND window, HWND frame);

// One window class of a family, registered with CS_HREDRAW | CS_VREDRAW.
struct WindowClassRow {
    const char* name;
    WNDPROC procedure;
    HBRUSH background;
    bool icon = false;           // the program's icon "Icon"
    const char* menu = nullptr;  // the class's menu
    HCURSOR cursor = nullptr;
};

// Registers the rows in order: 1, or 0 at the first that fails (a row
// without a procedure fails too).
int register_window_class_rows(HINSTANCE instance, std::span<const WindowClassRow> rows);

// The etched line of the shell's bar separators: grey at y 0 and white at
// y 1, from x 2 to the width less 2.
void draw_etched_line(HDC dc, int width);
