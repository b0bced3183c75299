// GRAVLET's print jobs as its commands run them: the list jobs (function
// list, source, cover) on the shared list-job page loop, the PAD print job
// over the open PAD, and their results in the status bar.
#pragma once

// A list job (ListJobKind 0, 1 or 2): 0, 1, 2, 5, 20 or -2.
int run_gravlet_list_job(int kind);
// The PAD print job over the open PAD on the print manager.
int run_gravlet_pad_print();
// A print result in the status bar, then a beep.
void show_gravlet_print_status(int result);

// Makes these the commands' print entries and points the printing
// subsystem at the program.
void install_gravlet_print();
