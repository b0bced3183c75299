// ORBALINE's print commands 24578 to 24584 but the print parameters:
// printer set-up, print font, the chart print, the list jobs (function
// list, sources, cover) on the shared list-job page loop, print-all, and
// their results in the message line.
#pragma once

#include "platform/user/winuser.h"

// A list job (ListJobKind 0, 1 or 2): 0, 1, 2, 5, 20 or -2.
int run_chart_list_job(int kind);
// The chart print on the print manager, its unopened file kept for the
// result's text.
int run_chart_print_job();
// The cover when the settings ask for it, the function list, the chart and
// the sources; the first job that fails or is cancelled ends the run and
// its result is the run's.
int run_orbaline_print_all();
// "プリンタ出力：" and the result's text in the message line, then a beep.
void show_list_job_result(int result);

// One of the commands 24577 to 24584: those of this module, the others
// through the program's print entry. -1 when refused.
int run_orbaline_print_command(HWND window, UINT id);

// Points the printing subsystem at the program.
void install_orbaline_print();
