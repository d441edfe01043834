#include "platform/win32/Win32Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace domora {
namespace {

// Universal time agrees with the C++ clock to the second, weekday included (1 = Sunday).
TEST(Win32ClockTest, UniversalTimeAndWeekdayAgreeWithTheStandardClock) {
    Win32Clock clock;
    const auto before = std::chrono::system_clock::now();
    const DateTime now = clock.utcNow();
    const auto after = std::chrono::system_clock::now();

    const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(before)};
    const std::chrono::weekday weekday{std::chrono::floor<std::chrono::days>(before)};
    if (std::chrono::floor<std::chrono::days>(before) != std::chrono::floor<std::chrono::days>(after)) {
        GTEST_SKIP() << "midnight passed during the test";
    }
    EXPECT_EQ(now.year, static_cast<int>(date.year()));
    EXPECT_EQ(now.month, static_cast<int>(static_cast<unsigned>(date.month())));
    EXPECT_EQ(now.day, static_cast<int>(static_cast<unsigned>(date.day())));
    EXPECT_EQ(now.weekday, static_cast<int>(weekday.c_encoding()) + 1);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        before - std::chrono::floor<std::chrono::days>(before));
    EXPECT_NEAR(now.hour * 3600 + now.minute * 60 + now.second, seconds.count(), 2);
}

TEST(Win32ClockTest, TickCountRunsInMilliseconds) {
    Win32Clock clock;
    const std::uint32_t start = clock.tickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::uint32_t elapsed = clock.tickCount() - start;
    EXPECT_GE(elapsed, 150U);
    EXPECT_LT(elapsed, 2000U);
}

} // namespace
} // namespace domora
