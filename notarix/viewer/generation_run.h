// NOTARIX's part of the shared generation runs: a run is the converter
// nx1011s and, when it succeeded, the formatter nx1012, each called in
// process with the argument vector the settings make.
#pragma once

#include <string>
#include <vector>

#include "common/viewer/generation_run.h"

// Error files in the program directory: the single run's, the batch run's
// per-file one and the batch log that collects them.
inline constexpr char kSingleRunErrorFile[] = "nx1000.err";
inline constexpr char kBatchFileErrorFile[] = "nx1000.erw";
inline constexpr char kBatchLogFile[] = "nx1000.erl";

// The argument vectors of both runs, from the settings record. The error
// file is one of the names above; it lies in the program directory.
std::vector<std::string> converter_arguments(const std::string& source, const char* error_file);
std::vector<std::string> formatter_arguments(const std::string& source, const char* error_file);

// The run's status from the converter's and, when it ran, the formatter's:
// a cut field text (8), or a clean formatter after converter warnings, are
// warnings (9).
int merge_run_statuses(int converter_status, int formatter_status);

// The converter, then the formatter when the converter succeeded: the
// run's status, and in converter_status the converter's own.
int convert_notarix_source(const std::string& source, const char* error_file, int* converter_status);

// Makes the command dispatcher's generation entry the shared run. Also
// registers the meter and error-window classes when the frame has not.
void install_generation_runs();
