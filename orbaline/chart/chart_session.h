// The open chart: its names, the grid loaded from its working copy, the
// view settings taken from the settings file, the selection and the search.
// One record for the process, with a reset so that tests start clean.
#pragma once

#include <string>
#include <string_view>

#include "orbaline/chart/chart_grid.h"
#include "orbaline/chart/chart_hooks.h"

// The first working copy and edit temporary of a folder; a chart opened
// while another process holds them takes the next pair ("oq$$$$1.trd" and
// "$$$1.trd" up to 9).
inline constexpr char kWorkingCopyName[] = "oq$$$$.trd";
inline constexpr char kEditTempName[] = "$$$.trd";
inline constexpr int kWorkingCopyNames = 10;
inline constexpr int kDefaultVisibleRows = 21;

struct ChartSession {
    std::string program_directory;  // where "oq1000s.prm" lies
    std::string chart_name;         // as opened (the .nam path), "" when none
    std::string chart_path;         // the .trd beside it
    bool state_open = false;        // grid, pool and working copy are there
    bool loaded = false;            // a chart with rows is shown
    bool working_copy_in_use = false;
    bool modified = false;
    int working_copy_number = 0;  // which pair of names the chart's copy has
    int working_copy_claim = -1;  // the process's hold on its working copy
    std::string held_copy;        // the path of the working copy held

    // View settings copied from the settings file when the chart opens.
    int link_mode = 1;
    int reserved_a = 0;
    int row_numbers = 0;
    int tab_width = 4;
    int box_width = 8;   // W
    int reserved_b = 0;
    int box_lines = 1;   // L

    int selected_row = 1;
    int selected_column = 0;
    int previous_row = 1;
    int previous_column = 0;
    int top_row = 1;
    int left_column = 0;
    int visible_rows = kDefaultVisibleRows;

    ChartTable table;

    std::string search_text;
    int search_start_row = 1;

    ChartHooks hooks;

    int row_count() const { return table.row_count; }
    // Forgets the chart and the settings copies; the program directory and
    // the hooks stay.
    void reset();
};

ChartSession& chart_session();

// The chart's folder with its final separator, and the working copy and the
// edits' temporary file in it.
std::string chart_folder(std::string_view chart_path);
std::string working_copy_path(const ChartSession& session);
std::string edit_temp_path(const ChartSession& session);
// The names of pair `number` (0: kWorkingCopyName and kEditTempName).
std::string working_copy_name(int number);
std::string edit_temp_name(int number);
// The working copy now held becomes `claim` on `path` (the previous hold
// let go).
void hold_working_copy(ChartSession& session, int claim, const std::string& path = {});
// Removes the working copy while it is the process's own, and lets it go.
void drop_working_copy(ChartSession& session);

// Results of setting up and opening.
enum : int {
    kChartSetupOk = 0,
    kChartNoWorkingCopy = -1,
    kChartNoMemory = -2,
    kChartSettingsUnreadable = -3,
    kChartSettingsWrongKind = -4,
};

// Reads the settings (link mode on, view values copied), puts the selection
// and view at their start, allocates the grid and pool and makes the working
// copy of the chart: 0, -1, -2, -3 (with a beep) or -4.
int init_chart_session(ChartSession& session);

// Reads the chart (kind 0) or its working copy (kind 1) into the grid, with
// the pool grown as needed, and codes its lines: 0 with at least one row,
// else -1. A pool that cannot grow shows message 506.
int load_chart(ChartSession& session, int kind, bool quiet);
inline int load_chart(ChartSession& session, int kind) { return load_chart(session, kind, kind == 1); }

// Opens a chart by its list or chart name (the extension becomes ".trd"):
// set-up, then the chart is read from its file. An empty name sets nothing
// up but the settings check. 0, -1 (nothing loaded), -2, -3 or -4.
int open_chart(ChartSession& session, std::string_view name);

// Releases the grid and pool and deletes the working copy.
void close_chart(ChartSession& session);

// The node name and file of a cell (see node_name_of, node_file_of): 0, or
// -1 for a cell outside the grid or without a file reference.
int get_node_name(const ChartSession& session, int column, int row, std::string& out);
int get_node_file(const ChartSession& session, int column, int row, std::string& out);

// The first row from 1 whose node has that file and name (or that name
// alone), both compared with single-byte letters upper-cased: 0 with the
// cell, or -1 after a beep and the file in the message line.
int find_row_by_name(ChartSession& session, std::string_view file, std::string_view name, int& column,
                     int& row);
int find_row_by_name_only(ChartSession& session, std::string_view name, int& column, int& row);

// Selects a function's node as the function list names it and scrolls it
// into view (top row); the view is told through selection_moved. 0 or -1.
int select_chart_function(ChartSession& session, std::string_view name, std::string_view file);

// Without a loaded chart: message 609 when a chart is named, else 417.
int chart_missing_message(const ChartSession& session);
