// NOTARIX's start-up, message loop and exit, in the order the program runs
// them; split so that a test can start the program in process, work it
// through the automation interface and end it.
#pragma once

#include <string>

#include "common/shell/document.h"
#include "platform/user/winuser.h"

// Exit codes.
enum : int {
    kExitNoWindow = 1,            // a class or the frame could not be made
    kExitSettingsUnreadable = -3, // the settings file cannot be opened (message 105), or missing at the first open (103)
    kExitSettingsWrongVersion = -4,  // wrong signature or version at the first open (message 104)
};

// The program's resources (menus, accelerators, cursors, bitmaps, icon),
// registered once.
void register_notarix_resources();

// Tests: the program directory to use instead of the executable's ("" to
// go back to it).
void set_program_directory_override(const std::string& directory);
// The executable's directory, cut at its last separator and lower-cased
// (single-byte letters only).
std::string find_program_directory();

// Everything up to the message loop. True when the loop should run; false
// with *exit_code set when the program ends first (the exit steps have then
// run as far as they apply).
bool start_notarix(HINSTANCE instance, HINSTANCE previous, int show, int* exit_code);
// The exit steps after the loop: GDI objects, the document, the printer
// blocks, and the help file's quit.
void finish_notarix();

int notarix_win_main(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);

// The document opener's hooks: the settings file, the status bar, the
// link button.
const DocumentHooks& notarix_document_hooks();
