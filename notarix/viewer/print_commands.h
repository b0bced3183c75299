// NOTARIX's print and output commands: the print settings taken from the
// settings record, the list print jobs, the function print, the full
// print and the text output, each run in the busy state with its result in
// the status bar; and the printing subsystem's hold on the program's
// dialogs, boxes and status bar.
#pragma once

#include <string>

#include "common/print/print_settings.h"
#include "platform/user/winuser.h"

// The print fields of the settings record as they stand.
PrintSettings notarix_print_settings();

// A list print job (ListJobKind): the settings file is read again first.
// 0, 1 (the settings file is unreadable), 2 (of another version), 5, 20, -2.
int run_list_print_job(int kind);

// The function print on the current settings.
int run_spec_print();

// The full print: the cover (when the settings ask for it), the function
// list, the summary, the function pages and the source, each run whatever
// the one before gave; the result of the last.
int run_full_print();

// The print commands 24580 to 24585 after their checks: the busy state,
// "印刷中です。", the job, and its result in the status bar.
int run_print_command(UINT id);

// The text output (command 36866 after its checks) into `output`, in the
// busy state, with its result in the status bar.
int run_text_output(const std::string& output);

// Points the printing subsystem at the program: the printer set-up record
// and print font of the shell, the frame as owner, the shell's boxes and
// status bar, the page form's footer field.
void install_print_host();
