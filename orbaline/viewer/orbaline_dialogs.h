// ORBALINE's own dialogs: the generation parameters (CNVPRMDLG) and the
// node comment (EDTCMT). The
// shared ones (keywords, environment, function list, version) take
// ORBALINE's profile.
#pragma once

#include "platform/user/winuser.h"

// EDTCMT over the replacement text of the commands (orbaline_commands()):
// the name and comment split at the first ';'; 実行 leaves name + ";" +
// the comment there and ends with 1, 取消 ends with 0.
INT_PTR comment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// CNVPRMDLG: 0 cancelled, 1 registered, 2 registered and generate now.
INT_PTR generation_parameters_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
