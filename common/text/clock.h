// Local date and time as the viewer's helpers read them: the platform's
// clock unless another source is installed or a test has fixed the time.
#pragma once

#include <ctime>

struct LocalTime {
    int year = 1970;   // full year, e.g. 2024
    int month = 1;     // 1..12
    int day = 1;       // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LocalTime get_local_time();

// Installs another source of the local time (nullptr: the platform clock).
void set_local_time_source(LocalTime (*source)());

// Test hooks: fix the clock at a local time, or at a moment read in the
// process's time zone; reset_clock_for_tests goes back to the source above.
void set_clock_for_tests(const LocalTime& time);
void set_clock_for_tests(std::time_t moment);
void reset_clock_for_tests();

// The year of the Japanese era in which the date falls: Reiwa from
// 1 May 2019, Heisei from 8 January 1989, Showa before.
int japanese_era_year(int year, int month, int day);
