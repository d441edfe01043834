#include "platform/posix/SystemClock.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace domora {
namespace {

int Weekday(const DateTime& t) {
    using namespace std::chrono;
    const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                              day{static_cast<unsigned>(t.day)}};
    return static_cast<int>(weekday{sys_days{date}}.c_encoding()) + 1;
}

// A change of the time zone while the program runs is seen at the next reading.
TEST(SystemClock, LocalTimeFollowsTheTimeZone) {
    test::ScopedEnv zone("TZ", "UTC0");
    SystemClock clock;
    EXPECT_EQ(clock.localNow().hour, clock.utcNow().hour);
    ::setenv("TZ", "MSK-3", 1); // three hours east of Greenwich, no daylight time
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
}

// The tick count is the system's monotonic time in milliseconds, cut to 32 bits so that it
// wraps like the Windows counter, and it moves on by the time that passed.
TEST(SystemClock, TickCountIsMonotonicMillisecondsIn32Bits) {
    const auto monotonicMs = [] {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    SystemClock clock;
    const std::uint64_t before = monotonicMs();
    const std::uint32_t ticks = clock.tickCount();
    const std::uint64_t after = monotonicMs();
    EXPECT_LE(static_cast<std::uint32_t>(ticks - static_cast<std::uint32_t>(before)), after - before);

    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::uint32_t elapsed = clock.tickCount() - ticks;
    EXPECT_GE(elapsed, 199U); // whole milliseconds on both sides
    EXPECT_LT(elapsed, 5000U);
}

} // namespace
} // namespace domora
