// ORBALINE's start-up, message loop and clean-up, in the order the program
// runs them; split so that a test can start the program in process, work it
// through the automation interface and end it.
#pragma once

#include <string>

#include "platform/user/winuser.h"

// Exit codes: 1 when a class or the frame cannot be made; -3 the settings
// file cannot be read (message 105) or is missing at the first open (103);
// -4 of another kind or version (104); -2 no memory (402).
enum : int {
    kOrbalineExitNoWindow = 1,
    kOrbalineExitNoMemory = -2,
    kOrbalineExitSettingsUnreadable = -3,
    kOrbalineExitSettingsWrongVersion = -4,
};

// Tests: the program directory to use instead of the executable's ("" to
// go back to it).
void set_orbaline_directory_override(const std::string& directory);

// Everything up to the message loop. True when the loop should run; false
// with *exit_code set when the program ends first.
bool start_orbaline(HINSTANCE instance, HINSTANCE previous, int show, int* exit_code);
int run_orbaline_loop();
// The clean-up after the loop: GDI objects, the chart and its working copy,
// the printer blocks, and the help file's quit.
void finish_orbaline();

int orbaline_win_main(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);
