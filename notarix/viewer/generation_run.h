// The viewer's two ways of making documents: the single run converts the
// current source, the batch run every source named in a list file. Both call
// the converter nx1011s and, when it succeeded, the formatter nx1012 in
// process, drive the progress meter through the converter's progress hook,
// turn the statuses into message texts and offer the error window.
#pragma once

#include <string>
#include <vector>

// Error files in the program directory: the single run's, the batch run's
// per-file one and the batch log that collects them.
inline constexpr char kSingleRunErrorFile[] = "nx1000.err";
inline constexpr char kBatchFileErrorFile[] = "nx1000.erw";
inline constexpr char kBatchLogFile[] = "nx1000.erl";

// The single run on the current document's source: 0 for success and for
// warnings, -1 when nothing was run, otherwise the final status.
int run_generation();

// The batch run over a list file (one source a line; relative names are
// relative to the list's directory): 0 after a run, -1 when the list was
// refused.
int run_batch_generation(const std::string& list_name);

enum BatchLogMode : int {
    kBatchLogDelete = 0,      // start a new log
    kBatchLogAppendFile = 1,  // append every line of the per-file error file
    kBatchLogAppendText = 2,  // append the text as one line
};
// 0, or -1 (with the reason in the status bar) when the per-file error file
// cannot be read or the log cannot be opened for appending or written.
int update_batch_error_log(int mode, const std::string& text);

// The message text of a run's status.
std::string report_generation_result(int status);

// The argument vectors of both runs, from the settings record. The error
// file is one of the names above; it lies in the program directory.
std::vector<std::string> converter_arguments(const std::string& source, const char* error_file);
std::vector<std::string> formatter_arguments(const std::string& source, const char* error_file);

// The run's status from the converter's and, when it ran, the formatter's:
// a cut field text (8), or a clean formatter after converter warnings, are
// warnings (9).
int merge_run_statuses(int converter_status, int formatter_status);

// Makes the command dispatcher's generation entry this module's run. Also
// registers the meter and error-window classes when the frame has not.
void install_generation_runs();
