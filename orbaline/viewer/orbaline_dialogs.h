// ORBALINE's own dialogs: the generation parameters (CNVPRMDLG), the
// node comment (EDTCMT) and the list dialogs. The
// shared ones (keywords, environment, function list, version) take
// ORBALINE's profile.
#pragma once

#include "common/viewer/print_dialogs.h"
#include "platform/user/winuser.h"

// PRNDLG and OUTPADDLG over ORBALINE's templates and settings fields.
extern const PrintDialogProfile kOrbalinePrintDialogs;

// EDTCMT over the replacement text of the commands (orbaline_commands()):
// the name and comment split at the first ';'; 実行 leaves name + ";" +
// the comment there and ends with 1, 取消 ends with 0.
INT_PTR comment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The shared list dialog over ORBALINE's profiles. NAMLSTDLG and
// NEW_NAMLSTDLG edit a chart's source list (the name chosen last is the
// new-list name New goes on with), IGNLSTDLG an ignore list.
INT_PTR nam_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR ignore_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// CNVPRMDLG: 0 cancelled, 1 registered, 2 registered and generate now.
INT_PTR generation_parameters_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
