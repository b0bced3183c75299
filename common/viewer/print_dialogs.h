// The print and text-output parameter dialogs every program's viewer has
// (PRNDLG, OUTPADDLG; NOTARIX names its print dialog PRNPRMDLG). One pair of
// procedures; which controls, fields, ranges and messages a program's dialogs
// have comes from its PrintDialogProfile, named by the viewer profile.
#pragma once

#include <span>
#include <string>

#include "common/shell/settings_file.h"
#include "common/viewer/viewer_profile.h"
#include "platform/user/winuser.h"

// A static text "画面(%3d)" showing a screen value beside a print or output one.
struct DialogScreenValue {
    int id;
    const SettingsField* field;
};

// The first and last of a range the dialog refuses backwards, as indexes
// into its numbers, and the message that says so ("%d" takes the last).
struct DialogOrder {
    int first = -1;  // -1: no such check
    int last = -1;
    int message = 3;
};

struct PrintDialogProfile {
    // --- PRNDLG -----------------------------------------------------------
    const char* print_template = "PRNDLG";
    int landscape_id = 0;
    int portrait_id = 0;
    const SettingsField* orientation = nullptr;
    std::span<const DialogCheck> print_checks;
    // In table order; the first four are the orientation's (lines per page,
    // characters per line, top and left margin), each a word pair.
    std::span<const DialogNumber> print_numbers;
    int standard_ids[4] = {};  // "標準(%3d)" of those four
    DialogOrder print_order;
    int print_header_id = 0;
    const SettingsField* print_header = nullptr;
    int source_file_id = 0;
    const SettingsField* source_file = nullptr;
    int source_folder_id = 0;
    int printer_button_id = 0;
    int font_button_id = 0;
    std::span<const DialogScreenValue> print_screen_values;

    // --- OUTPADDLG --------------------------------------------------------
    const char* output_template = "OUTPADDLG";
    int code_set_id = 0;
    const SettingsField* code_set = nullptr;
    std::span<const DialogCheck> output_checks;
    std::span<const DialogNumber> output_numbers;  // in table order
    DialogOrder output_order;
    int output_file_id = 0;
    int output_header_id = 0;
    const SettingsField* output_header = nullptr;
    std::span<const DialogScreenValue> output_screen_values;
    int run_button_id = 6;
    // The output file name, kept in memory only; nullptr: the shell's.
    std::string& (*output_name)() = nullptr;

    int not_saved_message = 6;  // the settings file could not be written
};

// 1 registered, 0 cancelled.
INT_PTR print_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
// 1 registered, 2 registered and run the output now, 0 cancelled.
INT_PTR output_param_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The output file name the running program keeps.
std::string& output_file_name();
