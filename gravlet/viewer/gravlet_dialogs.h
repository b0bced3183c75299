// GRAVLET's dialogs: its own generation parameters (CNVPRMDLG), and by name
// the shared ones over GRAVLET's templates (KEYWORDDLG, CNVLSTDLG, ENVDLG,
// EDITORDLG, VERSIONDLG, FLTDLG). The print and output parameter dialogs
// are the printing module's.
#pragma once

#include "platform/user/winuser.h"

INT_PTR pad_generation_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Registers GRAVLET's resource tables (once per process).
void register_gravlet_resources();
