// The PAD print job and the PAD text output as GRAVLET's commands run them:
// the open PAD handed to the runs, the meter and boxes of the frame, and
// the printing state made GRAVLET's.
#pragma once

#include "gravlet/pad/pad_runs.h"

// The open PAD as the runs take it.
PadRunInput open_pad_run_input();

// Fills the print and output entries of the dispatcher.
void install_pad_print_commands();
