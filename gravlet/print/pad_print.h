// The PAD print job: the print settings' range of functions of the current
// .pds, each laid out for the page, split into pages and drawn with the
// printer's primitives: headings with the page counter, cell texts on a grid
// of 40 units a column and 80 a line, frames and the PAD's shapes, a form
// feed between pages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/print/figure_print.h"
#include "common/shell/page_records.h"
#include "gravlet/pad/pad_grid.h"
#include "gravlet/pad/pad_host.h"
#include "gravlet/pad/pad_layout.h"
#include "gravlet/pad/pad_runs.h"

// Results of the job.
enum : int {
    kPadPrintDone = 0,
    kPadPrintNoPrinter = -2,        // the printer could not be started, or a write to it failed
    kPadPrintSettingsUnreadable = 1,
    kPadPrintSettingsWrongVersion = 2,
    kPadPrintNoMemory = 4,
    kPadPrintNotOpened = 5,         // the .pds could not be opened or read (file name kept)
    kPadPrintCancelled = 20,        // the meter's cancel, the too-many-rows question or the heading question
    kPadPrintFirstBeyondLast = 30,
};

// The print values of the settings, those of the paper orientation taken:
// T the top margin, G the left margin (the PAD's text starts at column
// G + 8), C the characters per line (the frames' right edge, the wrap
// limit), P the lines per page (the PAD area has A = P - T - 4 lines).
struct PadPrintValues : PrintPageValues {
    int first_function = 1;
    int last_function = 1000;
    int level_width = 16;      // L, as set (not rounded)
    int min_rows = 1;          // functions of fewer content rows are not printed

    int area_lines() const { return lines_per_page - top_margin - 4; }
};
PadPrintValues pad_print_values(const SettingsRecord& settings);

// What one page shows: its rows, and the function's page count.
struct PadPrintPage {
    PadPage rows;
    int index = 0;  // from 0
    int count = 1;
};

// The page geometry of one job.
struct PadPrintJob {
    PadPrintValues values;
    const PadHeadingFile* heading = nullptr;  // null: no heading file read
    std::string source_name;                  // the &F of the heading lines
    std::string mark;                         // the 14-byte mark text
    int page_counter = 1;                     // the &P; grows after each footer

    bool has_header() const { return heading != nullptr && heading->read; }
    // Lines the footer takes below the PAD area (5 with a heading file).
    int footer_lines() const { return has_header() ? 5 : 0; }
    // The line of the first cell text on a page.
    int first_text_line(const PadGrid& grid) const;
};

// The print layout: the output's passes with the print values.
void lay_out_print_pad(PadGrid& grid, const PadPrintValues& values);
// The rows 1..N into pages that fit the PAD area below the heading; at most 999.
std::vector<PadPage> split_print_pages(const PadGrid& grid, const PadPrintJob& job);

// One page: the heading, the cell texts, the footer; the cells get their
// page positions. 0, or the primitives' error.
int compose_print_page(PrimitiveSet& draw, PadGrid& grid, const PadPrintPage& page, PadPrintJob& job);
// The frames and the shapes of the page's cells (after compose_print_page).
// progress is called once per row; false from it stops the drawing (-1).
int draw_print_pad_shapes(PrimitiveSet& draw, const PadGrid& grid, const PadPrintPage& page, const PadPrintJob& job,
                          const std::function<bool()>& progress = {});
// Where the job draws.
using PadPrinter = FigurePrinter;

// The whole job on a printer: 0 done, or one of the results above.
int run_pad_print_job(const PadRunInput& input, PadHost& host, PadPrinter& printer);
// The job on the print manager (kind 1), through the shared printing state.
int run_pad_print_job(const PadRunInput& input, PadHost& host);

// The status-line text of a print result ("" clears it).
std::string pad_print_status_text(int result);
