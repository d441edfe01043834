#include "core/app/TimeText.h"
#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

#include <climits>

namespace domora {
namespace {

TEST(TimeText, SplitMs) {
    struct Case {
        std::int32_t ms;
        const char* h;
        const char* m;
        const char* s;
    };
    const Case cases[] = {
        {3'723'000, "01", "02", "03"}, {999, "00", "00", "00"},       {360'000'000, "100", "00", "00"},
        {0, "00", "00", "00"},         {-1, "00", "00", "00"},        {INT32_MIN, "00", "00", "00"},
        {3'599'999, "00", "59", "59"}, {3'600'000, "01", "00", "00"}, {INT32_MAX, "596", "31", "23"}};
    for (const Case& c : cases) {
        const SplitTime t = SplitMs(c.ms);
        EXPECT_EQ(t.hours, c.h) << c.ms;
        EXPECT_EQ(t.minutes, c.m) << c.ms;
        EXPECT_EQ(t.seconds, c.s) << c.ms;
    }
}

TEST(TimeText, AddZero) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"5", "05"}, {"7", "07"}, {"12", "12"}, {"100", "100"}, {"ж", "0ж"}, {"-1", "-1"}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(AddZero(in), out) << in;
    }
}

TEST(TimeText, FormatZoneTime) {
    struct Case {
        int hour, minute, second;
        int offset;
        bool daylight;
        const char* expected;
    };
    const Case cases[] = {
        {23, 30, 0, 2, false, "01:30:00"}, // home time in winter, the date does not roll over
        {23, 30, 0, 2, true, "02:30:00"},  // the computer's zone on daylight time
        {2, 15, 9, -5, false, "21:15:09"}, // New York
        {0, 0, 0, 0, false, "00:00:00"},
        {12, 5, 7, 10, true, "23:05:07"},
        // The hour wraps exactly at 24 and below 0.
        {22, 30, 0, 2, false, "00:30:00"},
        {0, 15, 0, -5, false, "19:15:00"},
        {23, 59, 59, 0, false, "23:59:59"},
        {10, 0, 0, 127, true, "-94:00:00"}, // 127 + 1 wraps to -128; one correction only
        {10, 0, 0, 127, false, "113:00:00"}};
    FakeClock clock;
    for (const Case& c : cases) {
        clock.setDaylight(c.daylight);
        DateTime utc{2003, 3, 1, 7, c.hour, c.minute, c.second, 999};
        EXPECT_EQ(FormatZoneTime(utc, static_cast<std::int8_t>(c.offset), clock), c.expected)
            << c.hour << " " << c.offset;
    }
}

TEST(TimeText, RussianFormats) {
    const DateTime dt{987, 3, 9, 1, 7, 5, 3, 0};
    EXPECT_EQ(FormatShortDate(dt), "09.03.0987");
    EXPECT_EQ(FormatLongTime(dt), "07:05:03");
}

} // namespace
} // namespace domora
