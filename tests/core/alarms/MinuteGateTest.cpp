#include "core/base/MinuteGate.h"
#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace domora {
namespace {

struct Reading {
    int hour, minute, second;
    int utcOffset;     // minutes
    const char* given; // "-", or how many minutes and the first: "59 10:01"
};

// Readings on 28 March 2027, each one tick of the timer. The minutes given must follow
// each other.
void Expect(const char* name, const std::vector<Reading>& readings) {
    std::uint8_t firstPassPending = 1;
    MinuteGate gate(firstPassPending);
    FakeClock clock;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const Reading& r = readings[i];
        clock.setLocal(DateTime{2027, 3, 28, 0, r.hour, r.minute, r.second}, r.utcOffset);
        const auto minutes = gate.minutesToProcess(clock);
        std::string given = "-";
        if (!minutes.empty()) {
            char first[16];
            std::snprintf(first, sizeof first, " %02d:%02d", minutes[0].hour, minutes[0].minute);
            given = std::to_string(minutes.size()) + first;
        }
        EXPECT_EQ(given, r.given) << name << ", reading " << i + 1;
        for (std::size_t k = 1; k < minutes.size(); ++k) {
            EXPECT_EQ(MinuteNumber(minutes[k]), MinuteNumber(minutes[k - 1]) + 1) << name;
        }
    }
    EXPECT_EQ(firstPassPending, 0) << name;
}

TEST(MinuteGate, JumpsOfTheClock) {
    Expect("same minute", {{10, 0, 0, 0, "1 10:00"}, {10, 0, 59, 0, "-"}, {10, 1, 0, 0, "1 10:01"}});
    Expect("forward 59", {{10, 0, 30, 0, "1 10:00"}, {10, 59, 30, 0, "59 10:01"}});
    Expect("forward 60", {{10, 0, 30, 0, "1 10:00"}, {11, 0, 30, 0, "60 10:01"}});
    Expect("forward 61", {{10, 0, 30, 0, "1 10:00"}, {11, 1, 30, 0, "1 11:01"}, {11, 2, 30, 0, "1 11:02"}});
    Expect("back 1",
           {{10, 0, 30, 0, "1 10:00"}, {9, 59, 30, 0, "-"}, {10, 0, 30, 0, "-"}, {10, 1, 30, 0, "1 10:01"}});
    Expect("back 60",
           {{10, 0, 30, 0, "1 10:00"}, {9, 0, 30, 0, "-"}, {9, 30, 30, 0, "-"}, {10, 1, 30, 0, "1 10:01"}});
    Expect("back 61", {{10, 0, 30, 0, "1 10:00"}, {8, 59, 30, 0, "1 08:59"}, {9, 0, 30, 0, "1 09:00"}});
    Expect("back 40 twice", {{10, 0, 30, 0, "1 10:00"}, {9, 20, 30, 0, "-"}, {8, 40, 30, 0, "1 08:40"}});
    Expect("zone moved 3 hours", {{10, 0, 30, 180, "1 10:00"}, {13, 0, 30, 360, "1 13:00"}});
}

TEST(MinuteGate, DaylightSavingHours) {
    // Spring, UTC+1 to UTC+2: the minutes 02:00..02:59 that the clock leaves out are
    // processed at 03:00.
    Expect("spring", {{1, 59, 0, 60, "1 01:59"},
                      {1, 59, 59, 60, "-"},
                      {3, 0, 0, 120, "61 02:00"},
                      {3, 1, 0, 120, "1 03:01"}});
    // Autumn, UTC+2 to UTC+1: the repeated hour is quiet.
    Expect("autumn",
           {{2, 59, 0, 120, "1 02:59"}, {2, 0, 0, 60, "-"}, {2, 59, 59, 60, "-"}, {3, 0, 0, 60, "1 03:00"}});
    // The computer slept 50 minutes over the spring change.
    Expect("slept over spring", {{1, 30, 0, 60, "1 01:30"}, {3, 20, 0, 120, "110 01:31"}});
}

TEST(MinuteGate, EachGateMakesItsFirstPassAndClearsTheSharedFlag) {
    std::uint8_t firstPassPending = 1;
    MinuteGate alarms(firstPassPending);
    MinuteGate tasks(firstPassPending);
    FakeClock clock;
    clock.setLocal(DateTime{2027, 3, 28, 0, 10, 0, 0});
    EXPECT_EQ(tasks.minutesToProcess(clock).size(), 1U);
    EXPECT_EQ(firstPassPending, 0);
    EXPECT_EQ(alarms.minutesToProcess(clock).size(), 1U);
    EXPECT_TRUE(alarms.minutesToProcess(clock).empty());
    EXPECT_TRUE(tasks.minutesToProcess(clock).empty());
}

} // namespace
} // namespace domora
