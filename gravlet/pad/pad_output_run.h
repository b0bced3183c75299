// The output command's run: the PAD diagrams of the output settings' range
// of functions written into a text file as character graphics, with the
// heading file's lines, under the progress meter; and the status text of
// its result.
#pragma once

#include <string>

#include "gravlet/pad/pad_host.h"
#include "gravlet/pad/pad_runs.h"

// Results of the run.
enum : int {
    kPadRunDone = 0,
    kPadRunFailed = -1,            // the .pds could not be opened or read
    kPadRunCancelled = -2,         // the meter's cancel, or Cancel in the too-many-rows question
    kPadRunNoMemory = -3,
    kPadRunWriteFailed = -4,       // the output file could not be written whole
    kPadRunSettingsUnreadable = 1,
    kPadRunSettingsWrongVersion = 2,
    kPadRunHeadingMissing = 4,
    kPadRunNotOpened = 5,          // the output file could not be made, or names an input of the run
    kPadRunHeadingRefused = 20,
    kPadRunFirstBeyondLast = 30,   // the first function number is beyond the file's functions
};

// Writes the functions of the output settings' range of the input's .pds
// into the output file. The output file never replaces the .pds, the source
// or the settings file (result 5), and takes the place of an older file only
// when the run is complete.
int run_pad_output(const std::string& output_name, const PadRunInput& input, PadHost& host);

// The result's text in the status line, and a beep.
void report_pad_error(int result, PadHost& host);
// That text ("" for a result that clears the status line).
std::string pad_output_status_text(int result);
