// The running process, as the runtime tells it.
#pragma once

// The process's number, as the runtime's _getpid gives it.
int crt_getpid();
