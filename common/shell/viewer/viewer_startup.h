// What start-up, the message loop and shut-down of every viewer do alike:
// the owned windows (source list, meter, error and summary windows) take the
// frame's fonts and bitmap, and forget them again; the print and font dialog
// records get their defaults, serve the printer and font commands, and are
// released.
#pragma once

#include "platform/user/winuser.h"

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
// The printer setup and the print font dialogs on the kept records; the
// caller has checked that the print manager is chosen.
int run_printer_setup(HWND frame);
int run_print_font_dialog(HWND frame);

// The frame's message loop with its accelerators; the quit message's value.
int run_viewer_message_loop();
