// The open .pds of the view: its function index, the grid of the function
// shown and its page table, and the steps that open, load and close it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/shell/settings_file.h"
#include "gravlet/pad/pad_grid.h"
#include "gravlet/pad/pad_host.h"
#include "gravlet/pad/pad_layout.h"
#include "gravlet/pad/pad_reader.h"

struct PadDocument {
    std::string path;                 // the .pds named by the frame
    std::string source_extension = ".c";
    std::string source_path;          // the .pds path with the source extension
    PdsLineReader file;
    bool file_open = false;
    std::vector<PdsIndexEntry> index;
    std::unique_ptr<PadGrid> grid;
    std::vector<PadPage> pages;

    // Working values copied from the settings at open.
    bool settings_loaded = false;
    int level_width = 16;
    int chars_per_line = 198;
    bool link_mode = true;
    int source_line = 0;  // the source list's current line, set by name rows in link mode

    // The view's position, reset at open.
    int first_shown_row = 1;
    int horizontal_position = 0;
    int current_function = 0;

    PadLayoutValues layout_values() const { return view_layout_values(level_width, chars_per_line); }
};

// Results of opening.
enum : int {
    kPadIndexOk = 0,
    kPadIndexNotOpened = -1,  // no name, not opened, or not a PAD file
    kPadIndexNoGrid = -2,
    kPadIndexSettingsUnreadable = -3,
    kPadIndexSettingsWrongVersion = -4,
};

// Reads the settings (record, in the program directory), opens the named
// .pds and indexes its function heads; the grid is allocated for it.
int read_pds_index(PadDocument& doc, SettingsRecord& settings, const std::string& program_directory, PadHost& host);

// Closes the file and frees the grid.
int close_pds_file(PadDocument& doc);
int alloc_pad_grid(PadDocument& doc);
int free_pad_grid(PadDocument& doc);

// Loads function `index` (from 0): parse, layout and page table. 0 shown, or
// refused with a message box (the grid then holds no rows); -1 when its rows
// did not end at a "/" row (nothing is shown either).
int load_pad_function(PadDocument& doc, int index, PadHost& host);

// Measures every page of the loaded function (what the view does page by
// page as it draws).
void measure_pad_function(PadDocument& doc);
