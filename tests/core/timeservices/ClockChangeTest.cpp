#include "core/timeservices/ClockChange.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace domora {
namespace {

std::string Text(const DateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    return text;
}

DateTime At(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
    return DateTime{year, month, day, 1, hour, minute, second, ms};
}

TEST(ClockChange, WantedUniversalTime) {
    const struct {
        const char* name;
        ClockMode mode;
        DateTime chosen;
        DateTime local;
        DateTime utc;
        const char* wanted;
    } rows[] = {
        {"time just after local midnight east of UTC: the day before in UTC", ClockMode::Time,
         At(2026, 12, 1, 0, 5, 30, 700), At(2027, 1, 5, 0, 20, 0, 500), At(2027, 1, 4, 21, 20, 0, 500),
         "2027-01-04 21:05:30.000"},
        {"time west of UTC: the day after in UTC", ClockMode::Time, At(2000, 1, 1, 23, 30, 0),
         At(2027, 1, 4, 22, 0, 0), At(2027, 1, 5, 3, 0, 0), "2027-01-05 04:30:00.000"},
        {"date keeps the time of day now", ClockMode::Date, At(2027, 3, 8, 1, 2, 3, 4),
         At(2027, 1, 5, 10, 15, 20, 250), At(2027, 1, 5, 7, 15, 20, 250), "2027-03-08 07:15:20.250"},
        {"daylight time in force", ClockMode::Time, At(2027, 1, 1, 23, 59, 59), At(2027, 7, 1, 0, 10, 0),
         At(2027, 6, 30, 22, 10, 0), "2027-07-01 21:59:59.000"},
        {"readings a few milliseconds apart", ClockMode::Time, At(2027, 1, 1, 12, 0, 0),
         At(2027, 1, 5, 10, 0, 0, 999), At(2027, 1, 5, 7, 0, 1, 1), "2027-01-05 09:00:00.000"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Text(WantedUtc(row.mode, row.chosen, row.local, row.utc)), row.wanted) << row.name;
    }
    for (const char* time : {"Time", "TIME", "time"}) {
        EXPECT_EQ(ClockModeOf(time), ClockMode::Time) << time;
    }
    for (const char* date : {"Date", "", "Times"}) {
        EXPECT_EQ(ClockModeOf(date), ClockMode::Date) << date;
    }
}

} // namespace
} // namespace domora
