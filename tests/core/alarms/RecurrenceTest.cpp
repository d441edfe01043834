#include "core/alarms/Recurrence.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

// The year of minute passes (AlarmSchedulerTest) checks every rule over 2028; these are the
// edges that year does not reach.
TEST(Recurrence, EdgesOfTheRules) {
    struct Case {
        const char* text;
        int year, month, day;
        bool fires;
    };
    const Case cases[] = {
        // The last day of February follows the Gregorian calendar.
        {"Каждый последний день месяца", 2023, 2, 28, true},
        {"Каждый последний день месяца", 2100, 2, 28, true},
        {"Каждый последний день месяца", 2000, 2, 28, false},
        {"Каждый последний день месяца", 2000, 2, 29, true},
        {"Каждое четвёртое ВС", 2027, 2, 28, true},  // the 28th can still be a fourth
        {"Каждый четвёртый ПН", 2027, 3, 29, false}, // a fifth Monday belongs to no rule
        // Texts are compared exactly.
        {"Каждый рабочий день ", 2027, 1, 1, false},
        {"каждый рабочий день", 2027, 1, 1, false},
        {"Каждую третью СР", 2027, 1, 20, false}, // the list spells it "третию" (the year checks that)
        {"Всегда", 2027, 1, 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckRecurrence(c.text, DateTime{c.year, c.month, c.day}), c.fires)
            << c.text << " " << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(Recurrence, WeekdayFlags) {
    for (const char* text : {"", "  ВСЕГДА ", "всегда"}) {
        EXPECT_TRUE(UsesWeekdays(text)) << text;
    }
    for (const char* text : {"Всегда!", "Каждый вик-энд"}) {
        EXPECT_FALSE(UsesWeekdays(text)) << text;
    }
    AlarmRecord r; // some days: AlarmRowTexts
    r.Weekdays.fill(true);
    EXPECT_EQ(WeekdayList(r), "ПН,ВТ,СР,ЧТ,ПТ,СБ,ВС");
    r.Weekdays.fill(false);
    EXPECT_EQ(WeekdayList(r), "");
}

} // namespace
} // namespace domora
