// GRAVLET's link between the PAD view and the shared source list: the
// list follows the function shown (scrolled to its comment head, the
// function's lines its range), a click on a line makes that line's PAD cell
// current, and in link mode a search stays within the function.
#pragma once

#include "common/viewer/viewer_profile.h"

// Reads the source of the open PAD file into the list: 0, or -1 when it
// cannot be read (the PAD stays loaded and shown; only the list is empty).
int load_pad_source_text();
// After a function change: the list scrolled to the function and its range
// set. -1 when the list is not open or has nothing, or the function's first
// line lies beyond the source (a beep and message 405).
int sync_source_to_cell();
// A click on line `index` (from 0) of the list: 0 when the line became
// current (or a line outside the function was refused with message 801 in
// link mode), -1 when it lies beyond the lines.
int find_cell_for_source_line(int index);
// The list's range in link mode: the first and the last line index of the
// function.
int source_range_first();
int source_range_last();

void install_source_link_hooks(ViewerHooks& hooks);
