#include "platform/posix/SystemClock.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

namespace domora {
namespace {

int Weekday(const DateTime& t) {
    using namespace std::chrono;
    const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                              day{static_cast<unsigned>(t.day)}};
    return static_cast<int>(weekday{sys_days{date}}.c_encoding()) + 1;
}

TEST(SystemClock, LocalTimeFollowsTheTimeZone) {
    test::ScopedEnv zone("TZ", "MSK-3"); // three hours east of Greenwich, no daylight time
    ::tzset();
    SystemClock clock;
    DateTime local;
    DateTime utc;
    do { // both read within one second
        utc = clock.utcNow();
        local = clock.localNow();
    } while (local.second != utc.second);
    EXPECT_EQ(local.hour, (utc.hour + 3) % 24);
    EXPECT_EQ(local.minute, utc.minute);
    EXPECT_EQ(local.weekday, Weekday(local));
    EXPECT_EQ(utc.weekday, Weekday(utc));
    EXPECT_LT(local.millisecond, 1000);
    EXPECT_FALSE(clock.daylightInForce());

    const std::uint32_t before = clock.tickCount();
    EXPECT_LE(static_cast<std::uint32_t>(clock.tickCount() - before), 1000U);
}

} // namespace
} // namespace domora
