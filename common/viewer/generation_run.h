// The viewer's two ways of making documents, shared by the programs: the
// single run converts the current source, the batch run every source named
// in a list file. Both call the program's converter in process (its convert
// hook), drive the progress meter through the converter host's progress
// hook, turn the statuses into message texts and offer the error window.
// The error files lie in the program directory under the profile's names.
#pragma once

#include <string>
#include <vector>

#include "common/analysis/converter_host.h"

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

// The message text of a run's status, as the batch log writes it.
std::string report_generation_result(int status);

// The meter's and the error window's classes and setup, when start-up has
// not made them (every run makes sure of them first).
void prepare_run_windows();

// Installs the viewer as the converters' host for one run (progress through
// the meter, boxes, the program directory) and puts the earlier host back
// afterwards. The progress hook is the profile's unless one is given.
class ViewerConverterHost {
public:
    explicit ViewerConverterHost(int (*progress)(const char* item, int permille) = nullptr);
    ~ViewerConverterHost();
    ViewerConverterHost(const ViewerConverterHost&) = delete;
    ViewerConverterHost& operator=(const ViewerConverterHost&) = delete;

private:
    ConverterHost host_;
    const ConverterHost* previous_;
};

// Calls a built-in converter's entry with the argument vector (argv[0] the
// tool name); its status.
int call_converter(int (*entry)(int, char**), std::vector<std::string> args);
// A file of the program directory: "<directory>\<name>".
std::string program_file_path(const char* name);
