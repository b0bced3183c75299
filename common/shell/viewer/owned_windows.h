// What start-up and shut-down of every viewer do alike around the frame's
// objects: the owned windows (source list, meter, error and summary
// windows) take the frame's fonts and bitmap, and forget them again; the
// print and font dialog records get their defaults.
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
