// GRAVLET's own state beside the shared shell's (shell(), document_state()):
// the open PAD file with the grid of the function shown, the view's current
// cell and marker, the error-file flags of the runs and the view's drawing
// objects. One record, reset between tests.
//
// The shared DocumentState holds what the frame knows of the document:
// file_name is the PAD file (.pds), loaded is "a PAD is loaded", linked_mode
// the link mode, current_page and page_count the current function and the
// function count, page_title the heading of the function shown.
#pragma once

#include <string>

#include "gravlet/pad/pad_document.h"
#include "gravlet/pad/pad_host.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

struct GravletState {
    bool has_error_file = false;        // the last single run left warnings or errors
    bool has_batch_error_file = false;  // the last batch run did
    bool cursor_over_cell = false;

    // The view: rows that fit CHART (V), its client size, the PAD's width in
    // characters (Wc), the current and previous cell (row from 1, column),
    // the marker's pixel position (y -1: none drawn).
    int shown_rows = 0;
    int chart_width = 0;
    int chart_height = 0;
    int pad_width = 0;
    int current_row = -1;
    int current_column = -1;
    int previous_row = -1;
    int previous_column = -1;
    int marker_x = 0;
    int marker_y = -1;
    bool line_numbers = true;
    // The source lines of the function's first and last rows (the source
    // list's range in link mode).
    int range_first = 0;
    int range_last = 0;

    // Drawing objects in the settings' colours.
    HPEN line_pen = nullptr;
    HBRUSH background_brush = nullptr;
    HFONT label_font = nullptr;  // the "[n]" labels' small Gothic
    COLORREF text_colour = RGB(0, 0, 192);
    COLORREF number_colour = RGB(192, 0, 0);
    HDC paint_dc = nullptr;  // CHART's paint context while a paint is handled
    HWND last_entered = nullptr;
    HCURSOR cell_cursor = nullptr;

    void reset();
};

GravletState& gravlet();

// The open PAD file and the grid of the function shown; reset closes it and
// forgets its names and positions.
PadDocument& gravlet_pad();
void reset_gravlet_pad();

// The host the PAD reader and layout report to: the status bar, the boxes,
// the beep, and the pump with the meter's cancel.
PadHost& gravlet_pad_host();
