// The chart on the printer: the same boxes and connectors as the chart view,
// drawn with the printer's boxes and lines on pages of the print settings,
// between the print heading file's header and footer lines, in an optional
// page frame, over a page range, with optional row numbers. The chart is
// read by the chart reader under the print's own profile.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/print/figure_print.h"
#include "common/shell/page_records.h"
#include "common/shell/settings_file.h"
#include "orbaline/chart/chart_grid.h"
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_session.h"

// Results of print_chart; the output run's codes where they mean the same,
// so show_chart_job_result reads both.
enum ChartPrintResult : int {
    kPrintDone = 0,
    kPrintSettingsUnreadable = 1,
    kPrintSettingsWrongVersion = 2,
    kPrintChartNotOpened = 5,   // the chart file cannot be opened (path remembered)
    kPrintCancelled = 20,       // by the meter's cancel, or by No to the heading question
    kPrintNoMemory = -1,
    kPrintNoPrinter = -2,       // the printer cannot be started, or a write to it failed
};

// The print fields of the settings, those of the paper orientation taken,
// each held to its range; B is the top margin, the blank lines before the
// header.
struct ChartPrintValues : PrintPageValues {
    int first_page = 1;
    int last_page = 999;
    int box_width = 8;         // W': a box holds 2W' bytes a line
    int box_lines = 1;         // L'
    int tab_width = 4;         // 0 drops TABs
    bool row_numbers = false;
    bool file_and_line = true;
    bool reference_numbers = true;

    // Boxes start two columns right of the left margin.
    int margin() const { return left_margin + 2; }
    // P, the line below the last of the page.
    int page_lines() const { return lines_per_page + 1; }
    // A last page past 997 prints to the end.
    bool open_range() const { return last_page > 997; }
    bool in_range(int page) const { return page >= first_page && (open_range() || page <= last_page); }
};
ChartPrintValues chart_print_values(const SettingsRecord& record);

// The print's reading profile and coding: the output's, with the print's
// removal options, no message pass per line and no cancel check.
TrdReadProfile print_reading_profile(const ChartPrintValues& values);
int read_trd_for_print(std::string_view path, ChartTable& table, const ChartPrintValues& values);
int code_print_lines(ChartTable& table);

// Rows a page holds (at least one, so the page loop always moves on).
int chart_rows_per_page(const ChartPrintValues& values, bool heading);
// Pages a chart of `rows` rows takes.
int chart_page_count(const ChartPrintValues& values, bool heading, int rows);

// TABs of a printed text: each goes to the next multiple of `width` bytes;
// a width of 0 or less drops them.
std::string expand_print_tabs(std::string_view text, int width);

// One page loop's input.
struct ChartPrintJob {
    ChartPrintValues values;
    const ChartHeading* heading = nullptr;  // null or not loaded: no header file
    std::string chart_path;                 // for the heading macros, without extension there
    bool printed = false;                   // something was drawn in the page range

    bool has_header() const { return heading != nullptr && heading->loaded; }
};

// The header (footer false) or footer line of the printed-page number.
int print_chart_header_footer(PrimitiveSet& draw, bool footer, const ChartPrintJob& job, int page_number);

// The rows onto pages: 0, or the first failing primitive's result (-1 also
// when `progress` says stop).
int print_chart_pages(PrimitiveSet& draw, ChartPrintJob& job, const ChartTable& table,
                      const std::function<bool(int row)>& progress = {});

// Where the job draws.
using ChartPrinter = FigurePrinter;

// Command 24583 on a printer: the open chart (its working copy while modified).
int print_chart(ChartSession& session, ChartPrinter& printer);
// The same on the print manager, through the shared printing state.
int print_chart(ChartSession& session);
