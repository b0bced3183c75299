// GRAVLET's frame on the shared viewer shell: the viewer profile that makes
// the shared frame, source list, runs and dialogs GRAVLET's; the nest-level
// ruler; the PAD file as the frame opens, shows and closes it; the view's
// colours.
#pragma once

#include <string>

#include "common/shell/window/error_window.h"
#include "common/viewer/frame.h"
#include "common/viewer/viewer_profile.h"

inline constexpr char kGravletProgram[] = "GRAVLET";

// Menu ids the frame addresses.
enum : UINT {
    kGenerateCommandId = 20483,
    kGenerationErrorsCommandId = 20484,
    kNestLevelCommand = 12301,
};

extern const ListWindowProfile kGravletErrorWindow;
const ViewerProfile& gravlet_viewer_profile();
// Makes the shared shell GRAVLET's: the profile, the message table and the
// hooks into the PAD view, the dispatcher and the source list.
void install_gravlet_viewer();

// Opens a PAD file as the frame does (start-up with an empty name, the open
// command, after a generation): 0, or -1 not opened, -2 no memory, -3 the
// settings file missing, -4 of another kind or version.
int open_view_file(const std::string& name);
void close_view_file();
// Loads and shows the current function: 0, or -1 (nothing loaded, or the
// function could not be loaded).
int show_current_function();
// The scroll ranges for the current size: -1 without a PAD.
int set_pad_scroll_ranges();
// Draws the function again at the same positions: -1 (after 117 or 118)
// without a loaded PAD.
int redraw_pad_view();
void draw_nest_level_ruler();
// The 標準色 command: the standard colours, saved and shown.
void apply_standard_colours();
// The view's pen and brushes made afresh in the settings' colours.
void create_pad_colours();
// The view's size as CHART's client has it now, and the rows that fit.
void take_chart_size();
// The heading of the function shown, as the title box shows it: its first
// name row without the leading '@'.
std::string function_heading();
