// GRAVLET's dialogs: its own generation parameters (CNVPRMDLG), and by name
// the shared ones over GRAVLET's templates (KEYWORDDLG, CNVLSTDLG, ENVDLG,
// EDITORDLG, VERSIONDLG, FLTDLG) and the print and output parameter
// dialogs (PRNDLG, OUTPADDLG) over GRAVLET's print dialog profile.
#pragma once

#include "common/viewer/print_dialogs.h"
#include "platform/user/winuser.h"

extern const PrintDialogProfile kGravletPrintDialogs;

INT_PTR pad_generation_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Registers GRAVLET's resource tables (once per process).
void register_gravlet_resources();
