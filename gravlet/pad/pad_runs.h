// What the PAD output run and the PAD print job share: the document they
// work on, the heading files, the settings read again at their start, the
// mark text, and the state one run leaves for the next.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/print/print_header.h"
#include "common/shell/settings_file.h"
#include "gravlet/pad/pad_host.h"

// The two lines of a heading file as written (macros not yet expanded),
// read by the shared header-file reader (".hd0" to ".hd3", also looked up
// in KRT's first directory).
using PadHeadingFile = HeaderLines;

// The open document as the program hands it to a run.
struct PadRunInput {
    std::string pds_path;           // the current .pds
    std::string source_path;        // the current source: the &F of heading lines
    std::string program_directory;  // holds gx1000s.prm
    int function_count = 0;         // of the .pds as the view indexed it; 0: counted here
};

// What one run leaves for the next and for the result's status text.
struct PadRunState {
    // The minimum row count the last print job took; the output run skips
    // functions of fewer rows (0 before any print job).
    int last_print_min_rows = 0;
    std::string failing_file;  // the file a run could not open or read
    std::string heading_file;  // the heading file's base name and extension of the last run

    void reset() { *this = PadRunState{}; }
};
PadRunState& pad_run_state();

// The 14-byte mark written after head rows, end terminals and header lines:
// the run's local date and time, "yy-mm-dd hh:mm".
std::string pad_run_mark_text();

// Results of reading the settings again at a run's start.
enum : int {
    kPadSettingsOk = 0,
    kPadSettingsUnreadable = 1,
    kPadSettingsWrongVersion = 2,
};
// Reads gx1000s.prm of the program directory into the record and checks its
// version "1.00".
int reread_pad_run_settings(SettingsRecord& record, const std::string& program_directory);

// The heading file of a run: read it, and when it cannot be had, beep and
// ask whether to go on without it ("【 operation 】" with the name, 606 and
// 803, or 607 and 803). False when the user stops the run.
bool read_run_heading_file(std::string_view base, std::string_view extension, std::string_view operation,
                           PadHeadingFile& lines, PadHost& host);

// True when the name reaches the .pds, the source or the settings file of
// the run: a run never writes over its own inputs.
bool is_run_input_file(const PadRunInput& input, const std::string& name);

// The function heads of the run's .pds (the view's count when it has one).
int run_function_count(const PadRunInput& input);

// How a run's result reads in the status line: a lead text, the message,
// and what fills its "%s" (a fixed text, another message, or a file the run
// kept) or follows it in brackets.
enum class PadStatusFill { None, Text, Message, FailingFile, HeadingFile, AppendFailingFile };
struct PadStatusRow {
    int result;
    const char* lead;  // "" when none
    int message;
    PadStatusFill fill = PadStatusFill::None;
    const char* text = nullptr;
    int fill_message = 0;
};
// The text of a result; "" for a result the rows do not hold.
std::string pad_status_text(int result, std::span<const PadStatusRow> rows);
