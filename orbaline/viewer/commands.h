// ORBALINE's menu commands (every WM_COMMAND whose id has the high byte
// 0x10 to 0x90) and how a chart is opened: by the file dialog, from the
// recent list, after a generation; the selected node's source and the
// user's editor.
#pragma once

#include <functional>
#include <string>

#include "platform/user/winuser.h"

// The work of later parts. Until a part is there its entry shows the "not
// available yet" notice; tests and those parts replace them.
struct OrbalineEntryPoints {
    // The print commands that print_commands.h leaves to others.
    std::function<int(UINT id)> print_command;
};

struct OrbalineCommandState {
    OrbalineEntryPoints entry;
    std::string replacement_text;  // what EDTCMT gave for a replace
    void reset();
};
OrbalineCommandState& orbaline_commands();

// The dispatcher: the value of the last call made (callers ignore it).
int run_chart_command(HWND window, UINT id);

// Opens a chart by name: 0, -1 nothing opened, -2, -3 or -4 from the set-up.
int open_chart_by_name(const std::string& name);
// The open of a chosen list or chart (the file dialog and the recent items).
int open_listed_chart(const std::string& path);
// The check most commands make first: a notice with 417 (no chart named) or
// 609 (none loaded) under the title; true when a chart is there.
bool check_chart_open(const char* title);
// The selected node's source made current: 0, -1 it cannot be opened, -3
// the node names no usable file.
int open_node_source();
// The source list follows the selected node (link mode): opened, shown
// again, or closed with a beep when the node has no source.
void follow_selected_node();
// The n-th entry (from 1) of the chart's function list: its file and
// function name. 0, or -1 when the list cannot be read (message 100 in the
// message line); fewer entries leave the outputs as they were.
int read_function_list_entry(int n, std::string& file, std::string& name);
// A pick from FLTDLG: the function's node selected and brought into view.
int show_listed_function(int n);
// Connects the chart's hooks to the program's boxes, message line and view.
void install_chart_hooks();
