// The parameter dialogs of the settings, print and output menus (environment,
// editor, print parameters, text-output parameters), the page jump and the
// version box, with the owner-drawn folder button they share. The parameter
// dialogs edit the settings record and write the settings file when they
// close with their accept button.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/user/winuser.h"

// What the dialogs keep while one is open: the up-down controls to destroy
// before it ends, and the print dialog's values of both orientations.
struct SettingsDialogsState {
    std::vector<HWND> up_downs;
    // lines per page, characters per line, top and left margin; [0] landscape, [1] portrait
    int print_values[2][4] = {};
    int shown_orientation = 0;
    void reset();
};
SettingsDialogsState& settings_dialogs_state();

INT_PTR environment_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR editor_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR print_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR output_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR function_list_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR page_jump_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR version_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The function list's column widths, kept for the run (each at least 60
// once the list has been closed).
struct FunctionListColumns {
    int widths[3] = {180, 60, 400};
};
FunctionListColumns& function_list_columns();

// One line of the document's function list (".flt") cut into the columns
// of its row, blanks removed at both ends: the line number is the run of
// blanks and digits behind the first "#", the name runs from there to the
// first ":" that follows a blank, the summary starts behind the next blank.
struct FunctionListLine {
    std::string line_number;
    std::string name;
    std::string summary;
};
FunctionListLine parse_function_list_line(std::string_view line);

// Draws the folder button: "FOLDER_Down" while it is pressed, else
// "FOLDER_Up", unscaled at 0,0. 0, or -1 when no memory device context can
// be made; a bitmap that cannot be loaded draws nothing.
int draw_folder_button(const DRAWITEMSTRUCT* item);

// Registers the templates and bitmaps (once per process).
void register_settings_dialog_resources();

// Runs the dialog of that template name over the frame: its result, or -1
// when the name is none of these dialogs.
int run_settings_dialog(const char* template_name);

// Makes the dispatcher's dialog entry open these dialogs by template name,
// passing every other name to the entry that was there before.
void install_settings_dialogs();
