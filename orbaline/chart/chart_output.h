// The chart written to a text file as a picture: every node a box drawn with
// ruled-line characters of the DOS/V or PC98 set, joined by connector
// characters, one chart row under the other, between the heading file's
// header and footer lines. The run reads the chart file with the chart
// reader under its own profile, so the output has its own box size and its
// own removal of file and back references.
#pragma once

#include <string>
#include <string_view>

#include "orbaline/chart/chart_grid.h"
#include "orbaline/chart/chart_session.h"
#include "common/shell/settings_file.h"

// Results of output_chart_text.
enum ChartOutputResult : int {
    kOutputDone = 0,
    kOutputSettingsUnreadable = 1,
    kOutputSettingsWrongVersion = 2,
    kOutputWriteFailed = 3,      // a write, the close or the final rename failed; the old file stays
    kOutputChartMissing = 4,
    kOutputCannotCreate = 5,
    kOutputCancelled = 20,       // by the meter's cancel, or by No to the heading question
    kOutputReadFailed = -1,
    kOutputNoMemory = -3,
};

// The output's fields of the settings record, each held to its range.
struct ChartOutputSettings {
    int code_set = 0;     // 0 DOS/V, 1 PC98
    int box_width = 8;    // W': a box holds 2W' bytes a line
    int box_lines = 1;    // L'
    int top_margin = 0;   // blank lines before the header
    int left_margin = 0;  // blanks before every line
    bool file_and_line = true;      // keep "<file(line)>"
    bool reference_numbers = true;  // keep "[n]"
    bool block_numbers = false;     // " [row]" after a box's first text line
    std::string header_base;        // heading file base name
};
ChartOutputSettings chart_output_settings(const SettingsRecord& record);

// The header and footer templates of a ".hd2" heading file.
struct ChartHeading {
    bool loaded = false;
    std::string header;
    std::string footer;
};

// State of the output run between its start and the result text.
struct ChartOutputState {
    std::string remembered_path;  // the file a failure names
    ChartHeading heading;
    // The start page of a print that printed nothing because the chart
    // ends before it (0 otherwise); the job still ends with 0.
    int start_past_end = 0;
    void reset() { *this = ChartOutputState{}; }
};
ChartOutputState& chart_output_state();

// Loads the heading of the output (which 1) or the print (which 0): 0, -1
// when the file cannot be opened (its path remembered), -2 when none is
// named. The base name's extension becomes ".hd2"; a file that is not there
// is looked for in the "KRT" folder.
int read_chart_header(const SettingsRecord& record, int which, ChartHeading& heading);

// read_chart_header into chart_output_state(); a heading missing or not
// named beeps and asks under `caption` whether to go on: false for No.
bool read_heading_or_ask(const SettingsRecord& record, int which, const char* caption, const ChartHooks& hooks);

// The output's reading profile and coding: header lines skipped, references
// blanked as the settings say, one message pass per line and row.
TrdReadProfile output_reading_profile(const ChartOutputSettings& settings);
int read_trd_for_output(std::string_view path, ChartTable& table, const ChartOutputSettings& settings,
                        const ChartHooks& hooks);
int code_output_lines(ChartTable& table, const ChartHooks& hooks);

// Writes the header part (footer false) or the footer part.
void write_chart_header_footer(std::string& out, bool footer, std::string_view chart_path,
                               const ChartOutputSettings& settings, const ChartHeading& heading);

// Lays the coded table out as text into the file, row by row, header and
// footer around it: 0, or -1 when cancelled.
class CheckedFile;
int layout_chart_text(CheckedFile& file, std::string_view chart_path, const ChartTable& table,
                      const ChartOutputSettings& settings, const ChartHeading& heading, const ChartHooks& hooks);

// The text lines of one chart row (L' + 2 of them), without margin and
// row number.
void layout_chart_row(const ChartTable& table, int row, const ChartOutputSettings& settings,
                      std::string* lines);

// Command 36866: the open chart (its working copy while modified) into the
// text file `output_path`, which is replaced only when the run succeeds.
int output_chart_text(ChartSession& session, std::string_view output_path);

// The message-line text of an output result, shown with a beep; returned
// for the caller's log.
std::string show_chart_job_result(ChartSession& session, int result);
