#include "common/text/clock.h"

#include <optional>

#include "platform/kernel/clock.h"

namespace {

struct ClockState {
    LocalTime (*source)() = nullptr;
    std::optional<LocalTime> fixed;
};

ClockState g_clock;

LocalTime from_moment(std::time_t moment) {
    std::tm parts{};
    localtime_r(&moment, &parts);
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    return t;
}

}  // namespace

// The platform's clock, which scripts and tests can stop at a chosen time.
LocalTime platform_clock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    LocalTime t;
    t.year = now.wYear;
    t.month = now.wMonth;
    t.day = now.wDay;
    t.hour = now.wHour;
    t.minute = now.wMinute;
    t.second = now.wSecond;
    return t;
}

LocalTime get_local_time() {
    if (g_clock.fixed) return *g_clock.fixed;
    if (g_clock.source != nullptr) return g_clock.source();
    return platform_clock();
}

void set_local_time_source(LocalTime (*source)()) { g_clock.source = source; }

void set_clock_for_tests(const LocalTime& time) { g_clock.fixed = time; }

void set_clock_for_tests(std::time_t moment) { g_clock.fixed = from_moment(moment); }

void reset_clock_for_tests() { g_clock.fixed.reset(); }

int japanese_era_year(int year, int month, int day) {
    const int date = year * 10000 + month * 100 + day;
    if (date >= 20190501) return year - 2018;
    if (date >= 19890108) return year - 1988;
    return year - 1925;
}
