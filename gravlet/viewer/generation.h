// GRAVLET's part of the shared generation runs: a run calls the PAD
// generator gx1002s in process with the argument vector the settings make;
// the generator reports its progress to the meter through the converter
// host.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/viewer/viewer_profile.h"

// The generator's argument vector for a source, with the error file in the
// program directory: "gx1002s", the source, "-n", "-v0", "-ucfc", the
// include, interface, "-mf", declaration, comment-joining (when set), PAD
// characters, nest level, macro, CASE and error options, the options text
// (also when empty), and "--" or "--2" for the special comments.
std::vector<std::string> pad_generator_arguments(const std::string& source, const char* error_file);

// The generator's progress hook: -1 once the meter's cancel was pressed,
// else one waiting message dispatched and the meter shown at progress of
// 1000.
int report_generation_progress(const char* item, int permille);

// Tests: the entry called in place of run_pad_generator (an empty one
// restores it).
void set_pad_generator_entry(std::function<int(int, char**)> entry);

void install_generation_hooks(ViewerHooks& hooks);
