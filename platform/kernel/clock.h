// Local and universal time, with a clock that tests can stop at a chosen
// moment so that dates printed in headers and lists are reproducible.
#pragma once

#include <ctime>

#include "platform/types.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;      // 1 to 12
    WORD wDayOfWeek;  // 0 Sunday to 6 Saturday
    WORD wDay;        // 1 to 31
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);

// Stops the clock at the given local time (its day of the week is ignored and
// recomputed); nullptr sets it going again. Without a call, the environment
// variable PLATFORM_CLOCK ("YYYY-MM-DD HH:MM:SS") stops it for a whole
// process, so that programs run from scripts print fixed dates too; it is
// read at the clock's first use, and again after each call here.
void platform_set_clock(const SYSTEMTIME* local);

// The same clock for code written against the C runtime: time() and
// localtime() equivalents.
time_t platform_time();
void platform_local_time(struct tm* out);

// Milliseconds on the platform's tick clock, as a count that wraps at 2^32:
// only the difference of two counts means anything. At a person's desktop
// it runs with the system's monotonic clock; otherwise (tests, scripts) it
// stands at the stopped clock's moment (or at 0 without one) and moves only
// by platform_advance_ticks, so that such runs repeat exactly.
DWORD GetTickCount();
void platform_run_ticks(bool with_the_system);
// True while the ticks run with the system's clock (a person's desktop).
bool platform_ticks_run();
void platform_advance_ticks(DWORD milliseconds);
