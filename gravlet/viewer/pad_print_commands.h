// The open PAD as the print and output runs take it, and the PAD text
// output as GRAVLET's commands run it with the frame's meter and boxes.
#pragma once

#include "gravlet/pad/pad_runs.h"

// The open PAD as the runs take it.
PadRunInput open_pad_run_input();

// Fills the output entries of the dispatcher.
void install_pad_print_commands();
