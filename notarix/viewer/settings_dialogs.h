// NOTARIX's dialogs of the settings, print and output menus: its own print
// and text-output parameters and the page jump, and the shared environment,
// editor, version and function-list dialogs over NOTARIX's templates. The
// parameter dialogs edit the settings record and write the settings file
// when they close with their accept button.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/viewer/print_dialogs.h"
#include "common/viewer/shell_dialogs.h"
#include "platform/user/winuser.h"

// What the page-jump dialog moves: the page view's page (the default) or the
// print preview's. `show` makes the chosen page (from 0) the shown one.
struct PageJumpTarget {
    int current = 0;
    int count = 0;
    void (*show)(int page) = nullptr;
};

// PRNPRMDLG and OUTPADDLG over NOTARIX's templates and settings fields.
extern const PrintDialogProfile kNotarixPrintDialogs;
INT_PTR page_jump_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The page becomes current as a pick from the function list makes it: the
// view, the source list (linked or not) and the layout window follow.
void show_chosen_page(int page);

// Registers the templates and bitmaps (once per process).
void register_settings_dialog_resources();

// Runs the dialog of that template name over the frame: its result, or -1
// when the name is none of these dialogs.
int run_settings_dialog(const char* template_name);

// The page-jump dialog "JUMPDLG" over `owner` for another target than the
// page view: a number outside 1 to the target's count is refused.
int run_page_jump_dialog(HWND owner, const PageJumpTarget& target);

// Makes the dispatcher's dialog entry open these dialogs by template name,
// passing every other name to the entry that was there before.
void install_settings_dialogs();
