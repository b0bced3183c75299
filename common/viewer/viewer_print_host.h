// The shared printing state made the running viewer's: its print profile,
// its boxes and status bar for the print jobs' notices and questions, and
// the printer and font its user chose (the shell's dialog records).
#pragma once

#include "common/print/print_state.h"

void install_viewer_print_host(const PrintProfile& profile);
