// ORBALINE's own state beside the shared shell's: the view's geometry and
// drawing objects, the names of the current source and output, and the
// flags of the runs. One record for the process, with a reset so that tests
// start clean. The chart itself is the chart session's (chart_session.h).
#pragma once

#include <string>

#include "orbaline/chart/chart_session.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

struct OrbalineState {
    // View
    int chart_width = 0;     // widest node extent in character cells
    int client_width = 0;    // CHART's client area
    int client_height = 0;
    int marker_x = -1;       // where the selection marker was last drawn; -1 none
    int marker_y = -1;
    bool node_cursor_shown = false;
    HWND pointer_window = nullptr;  // the window the pointer was last over

    // Drawing objects made from the settings' colours
    HPEN thin_pen = nullptr;
    HPEN thick_pen = nullptr;
    HBRUSH background_brush = nullptr;
    COLORREF text_colour = 0;
    COLORREF row_number_colour = 0;
    HCURSOR node_cursor = nullptr;

    // Commands and runs
    bool generating = false;        // a generation started from a command is in its run
    int last_run_error = 0;         // 1 after a run with warnings or errors
    int source_start_line = 0;      // the selected node's line, from 0
    std::string output_name;        // the text output's file
    std::string new_list_name;      // the list New made
    std::string ignore_list_name;   // IGNLSTDLG's list file
    int function_list_row = -1;     // FLTDLG's last chosen row
    COLORREF custom_colours[16] = {};

    // Progress of a run: the generator's last item, the file part of the
    // last item that named one, and the meter's text made of them.
    bool progress_item_known = false;
    std::string progress_item;
    std::string progress_file_part;
    std::string progress_shown_item;

    void reset();
};

OrbalineState& orbaline();

// The program's one chart.
ChartSession& chart();

// The chart path as the frame knows it ("" when none).
const std::string& chart_path();
