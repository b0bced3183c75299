// The clock: stopped by a test or by PLATFORM_CLOCK, or the system's.
#include <sys/time.h>
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/kernel/clock.h"

namespace {

// Runs each test in Japan's time zone (no summer time) and with the clock
// going, restoring both afterwards.
class Clock : public ::testing::Test {
protected:
    void SetUp() override {
        save("TZ", &tz_);
        save("PLATFORM_CLOCK", &clock_env_);
        ::setenv("TZ", "JST-9", 1);
        ::unsetenv("PLATFORM_CLOCK");
        ::tzset();
        platform_set_clock(nullptr);
    }
    void TearDown() override {
        platform_set_clock(nullptr);
        restore("TZ", tz_);
        restore("PLATFORM_CLOCK", clock_env_);
        ::tzset();
    }

private:
    static void save(const char* name, std::optional<std::string>* slot) {
        if (const char* v = ::getenv(name)) *slot = v;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name, value->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    std::optional<std::string> tz_;
    std::optional<std::string> clock_env_;
};

SYSTEMTIME moment(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms = 0) {
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = ms;
    t.wDayOfWeek = 6;  // deliberately wrong: the clock works it out
    return t;
}

}  // namespace

TEST_F(Clock, StoppedClockGivesTheMomentInBothForms) {
    const SYSTEMTIME set = moment(1999, 12, 31, 23, 59, 58, 250);
    platform_set_clock(&set);

    SYSTEMTIME local;
    GetLocalTime(&local);
    EXPECT_EQ(local.wYear, 1999);
    EXPECT_EQ(local.wMonth, 12);
    EXPECT_EQ(local.wDay, 31);
    EXPECT_EQ(local.wDayOfWeek, 5);  // a Friday
    EXPECT_EQ(local.wHour, 23);
    EXPECT_EQ(local.wMinute, 59);
    EXPECT_EQ(local.wSecond, 58);
    EXPECT_EQ(local.wMilliseconds, 250);

    SYSTEMTIME utc;
    GetSystemTime(&utc);
    EXPECT_EQ(utc.wDay, 31);
    EXPECT_EQ(utc.wHour, 14);  // nine hours behind Japan
    EXPECT_EQ(utc.wMilliseconds, 250);

    struct tm t;
    platform_local_time(&t);
    EXPECT_EQ(t.tm_year, 99);
    EXPECT_EQ(t.tm_mon, 11);
    EXPECT_EQ(t.tm_mday, 31);
    EXPECT_EQ(t.tm_hour, 23);
    EXPECT_EQ(platform_time(), time_t{946652398});

    // It stays stopped.
    GetLocalTime(&local);
    EXPECT_EQ(local.wSecond, 58);
}

TEST_F(Clock, ImpossibleDateLeavesTheClockAsItWas) {
    const SYSTEMTIME leap = moment(2000, 2, 29, 12, 0, 0);
    platform_set_clock(&leap);
    const SYSTEMTIME bad = moment(2001, 2, 29, 12, 0, 0);
    platform_set_clock(&bad);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2000);
    EXPECT_EQ(now.wMonth, 2);
    EXPECT_EQ(now.wDay, 29);
}

TEST_F(Clock, ResetGoesBackToTheSystemClock) {
    const SYSTEMTIME old = moment(1995, 8, 24, 9, 0, 0);
    platform_set_clock(&old);
    platform_set_clock(nullptr);
    // ::time() reads a coarse clock that can lag the precise one by a tick,
    // so the bounds come from the same clock the platform reads.
    const auto seconds = [] {
        timeval tv;
        ::gettimeofday(&tv, nullptr);
        return tv.tv_sec;
    };
    const time_t before = seconds();
    const time_t now = platform_time();
    EXPECT_LE(before, now);
    EXPECT_LE(now, seconds());
}

TEST_F(Clock, EnvironmentStopsTheClockUnlessATestSetsIt) {
    ::setenv("PLATFORM_CLOCK", "2001-02-03 04:05:06", 1);
    SYSTEMTIME t;
    GetLocalTime(&t);
    EXPECT_EQ(t.wYear, 2001);
    EXPECT_EQ(t.wMonth, 2);
    EXPECT_EQ(t.wDay, 3);
    EXPECT_EQ(t.wHour, 4);
    EXPECT_EQ(t.wMinute, 5);
    EXPECT_EQ(t.wSecond, 6);

    const SYSTEMTIME set = moment(2010, 10, 10, 10, 10, 10);
    platform_set_clock(&set);
    GetLocalTime(&t);
    EXPECT_EQ(t.wYear, 2010);

    // A value that is not a moment is ignored.
    platform_set_clock(nullptr);
    ::setenv("PLATFORM_CLOCK", "2001-02-03", 1);
    GetLocalTime(&t);
    EXPECT_GT(t.wYear, 2001);
}
