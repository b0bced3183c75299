// GRAVLET's start-up, message loop and exit, in the order the program runs
// them; split so that a test can start the program in process, work it
// through the automation interface and end it.
#pragma once

#include <string>

#include "platform/user/winuser.h"

// Exit codes: 1 when a class or the frame cannot be made, -3 when the
// settings file cannot be read (message 105) or is missing at the first open
// (103), -4 of another kind or version (104), -2 no memory at the first
// open (402).
enum : int {
    kGravletExitNoWindow = 1,
    kGravletExitNoMemory = -2,
    kGravletExitSettingsUnreadable = -3,
    kGravletExitSettingsWrongVersion = -4,
};

// Tests: the program directory to use instead of the executable's ("" to
// go back to it).
void set_gravlet_directory_override(const std::string& directory);

// Everything up to the message loop. True when the loop should run; false
// with *exit_code set when the program ends first.
bool start_gravlet(HINSTANCE instance, HINSTANCE previous, int show, int* exit_code);
// The clean-up after the loop: GDI objects, the PAD file, the source text,
// the printer blocks, and the help file's quit.
void finish_gravlet();

int gravlet_win_main(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);
