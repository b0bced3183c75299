// The running process, as the runtime tells it.
#pragma once

// The process's number, as the runtime's _getpid gives it.
int crt_getpid();

// True while a process of that number runs (one of another user's counts).
bool crt_process_runs(int pid);
