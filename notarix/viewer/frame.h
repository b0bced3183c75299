// NOTARIX's frame on the shared viewer shell (common/viewer/frame.h):
// its names and menu ids, the viewer profile that makes the shared frame,
// source list, runs and dialogs NOTARIX's, and the frame parts that know its
// pages (the column gauge, the page view's scroll ranges and colours).
#pragma once

#include "common/viewer/frame.h"
#include "common/viewer/viewer_profile.h"

inline constexpr char kFrameClass[] = "NOTARIX";
inline constexpr char kProgramTitle[] = "NOTARIX";

// Menu items that need a document, and the items checked at start.
enum : UINT {
    kEditorCommand = 8195,
    kGenerateCommand = 20484,
    kGenerationErrorsCommand = 20485,
    kColumnGaugeCommand = 16393,
    kLinkedModeCommand = 16400,
};

// The profile of NOTARIX's viewer.
const ViewerProfile& notarix_viewer_profile();
// Makes the shared shell NOTARIX's: the profile and the hooks into the page
// view, the dispatcher and the source list.
void install_notarix_viewer();

// The page view's objects and the CHART background made afresh in the
// settings' colours (after a colour command), with the source list's.
void recreate_colour_objects();
void set_page_scroll_ranges();
void draw_column_gauge();
// The column-gauge command: flips the ruler and lays the children out again.
void toggle_column_gauge();
