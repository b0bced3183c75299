// What start-up, the message loop and shut-down of every viewer do alike:
// the owned windows (source list, meter, error and summary windows) take the
// frame's fonts and bitmap, and forget them again; the print and font dialog
// records get their defaults, serve the printer and font commands, and are
// released.
#pragma once

#include <string>
#include <string_view>

#include "platform/user/winuser.h"

// The start-up's first failures: the frame cannot be made (1), the settings
// file cannot be read (-3, after message 105 or 103).
enum : int { kViewerExitNoWindow = 1, kViewerExitSettingsUnreadable = -3 };

// The folder of the executable (the override when one is set), lower case;
// the module name is read into a buffer of `name_bytes`.
std::string find_viewer_program_directory(const std::string& override_directory, int name_bytes);

// A start-up failure in a notice under the program's caption.
void show_start_failure(int message, std::string_view line2 = {});

// The frame of class `frame_class` at its kept placement, the profile's
// accelerators and settings record read, the recent files in the menu. The
// frame, or none with *exit_code set (and the failure shown).
HWND create_viewer_frame(HINSTANCE instance, const char* frame_class, const char* title, int* exit_code);

// Called once the frame and its GDI objects exist; the placement comes from
// the viewer profile.
void connect_owned_windows(HINSTANCE instance, HWND frame);
// The frame's objects are about to go: the owned windows forget them.
void disconnect_owned_windows();
// The print dialog (a device context, no page numbers or selection, one
// copy) and the font dialog over the print font, "ＭＳ 明朝".
void set_dialog_records();
// The print and font dialog records released at exit.
void release_dialog_records();
// The print parameters' orientation: 0 landscape, 1 portrait.
int print_parameter_orientation();
// The printer setup and the print font dialogs on the kept records; the
// caller has checked that the print manager is chosen. The set-up dialog
// shows `orientation` (0 landscape, 1 portrait); `chosen` gets the one the
// user left it on, -1 when cancelled.
int run_printer_setup(HWND frame, int orientation, int* chosen = nullptr);
int run_print_font_dialog(HWND frame);
// True when the print settings choose the print manager; else the profile's
// notice under the operation's caption.
bool print_manager_selected(const char* operation);
// The printer and print font commands: the dialog, or -1 after the notice
// when another printer kind is chosen.
int printer_setup(HWND frame);
int print_font(HWND frame);

// The frame's message loop with its accelerators; the quit message's value.
int run_viewer_message_loop();
