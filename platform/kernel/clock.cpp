// The clock: the system's, or a moment fixed by a test or by PLATFORM_CLOCK.
#include "platform/kernel/clock.h"

#include <sys/time.h>

#include <chrono>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// A stopped clock: the moment as seconds since the epoch (local time read
// through the time zone) plus the milliseconds asked for.
struct StoppedClock {
    time_t seconds;
    WORD milliseconds;
};

std::optional<StoppedClock>& clock_set_by_test() {
    static std::optional<StoppedClock> value;
    return value;
}

std::optional<StoppedClock> stop_at(int year, int month, int day, int hour, int minute, int second,
                                    int milliseconds) {
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59 || milliseconds < 0 || milliseconds > 999)
        return std::nullopt;
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;  // let the time zone say whether summer time applies
    const time_t seconds = std::mktime(&t);
    // mktime carries 31 February into March; such a date is refused.
    if (seconds == static_cast<time_t>(-1) || t.tm_mday != day || t.tm_mon != month - 1) return std::nullopt;
    return StoppedClock{seconds, static_cast<WORD>(milliseconds)};
}

std::optional<StoppedClock> parse_clock(const char* text) {
    int year, month, day, hour, minute, second;
    char tail;
    if (std::sscanf(text, "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second, &tail) != 6)
        return std::nullopt;
    return stop_at(year, month, day, hour, minute, second, 0);
}

// The variable is read at the first look after the start or after a test
// set or released the clock: a run that asks the time often (the progress
// meter) pays for no look-up, parse or time zone each time.
struct EnvironmentClock {
    bool read = false;
    std::optional<StoppedClock> moment;
};

EnvironmentClock& environment_clock() {
    static EnvironmentClock clock;
    return clock;
}

std::optional<StoppedClock> clock_from_environment() {
    EnvironmentClock& e = environment_clock();
    if (!e.read) {
        const char* text = std::getenv("PLATFORM_CLOCK");
        e.moment = text && *text ? parse_clock(text) : std::nullopt;
        e.read = true;
    }
    return e.moment;
}

// Seconds and milliseconds of the clock in force.
StoppedClock now() {
    if (const auto& set = clock_set_by_test()) return *set;
    if (auto env = clock_from_environment()) return *env;
    timeval tv;
    ::gettimeofday(&tv, nullptr);
    return StoppedClock{tv.tv_sec, static_cast<WORD>(tv.tv_usec / 1000)};
}

void fill(LPSYSTEMTIME out, const struct tm& t, WORD milliseconds) {
    out->wYear = static_cast<WORD>(t.tm_year + 1900);
    out->wMonth = static_cast<WORD>(t.tm_mon + 1);
    out->wDayOfWeek = static_cast<WORD>(t.tm_wday);
    out->wDay = static_cast<WORD>(t.tm_mday);
    out->wHour = static_cast<WORD>(t.tm_hour);
    out->wMinute = static_cast<WORD>(t.tm_min);
    out->wSecond = static_cast<WORD>(t.tm_sec);
    out->wMilliseconds = milliseconds;
}

}  // namespace

void GetLocalTime(LPSYSTEMTIME out) {
    if (!out) return;
    const StoppedClock c = now();
    struct tm t = {};
    ::localtime_r(&c.seconds, &t);
    fill(out, t, c.milliseconds);
}

void GetSystemTime(LPSYSTEMTIME out) {
    if (!out) return;
    const StoppedClock c = now();
    struct tm t = {};
    ::gmtime_r(&c.seconds, &t);
    fill(out, t, c.milliseconds);
}

void platform_set_clock(const SYSTEMTIME* local) {
    environment_clock().read = false;
    if (!local) {
        clock_set_by_test().reset();
        return;
    }
    // An impossible moment leaves the clock as it was.
    if (auto stopped = stop_at(local->wYear, local->wMonth, local->wDay, local->wHour, local->wMinute,
                               local->wSecond, local->wMilliseconds))
        clock_set_by_test() = stopped;
}

time_t platform_time() {
    return now().seconds;
}

void platform_local_time(struct tm* out) {
    if (!out) return;
    const time_t seconds = now().seconds;
    ::localtime_r(&seconds, out);
}

namespace {

struct TickClock {
    bool with_the_system = false;
    DWORD held = 0;  // the stopped clock's reading
};

TickClock& ticks() {
    static TickClock t;
    return t;
}

DWORD system_ticks() {
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

// A person's desktop runs with the system. Tests and scripts stand still
// and move only as they let time pass, from the moment of their stopped
// clock when they have one: what depends on the ticks (an arrow's repeat,
// the progress meter's pace) is the same in every run.
DWORD GetTickCount() {
    if (ticks().with_the_system) return system_ticks();
    DWORD base = 0;
    if (clock_set_by_test() || clock_from_environment()) {
        const StoppedClock c = now();
        base = static_cast<DWORD>(static_cast<uint64_t>(c.seconds) * 1000u + c.milliseconds);
    }
    return base + ticks().held;
}

void platform_run_ticks(bool with_the_system) {
    ticks().with_the_system = with_the_system;
}

bool platform_ticks_run() { return ticks().with_the_system; }

void platform_advance_ticks(DWORD milliseconds) {
    if (!ticks().with_the_system) ticks().held += milliseconds;
}
