#include "core/base/OleDate.h"
#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace domora {
namespace {

TEST(OleDate, Table) {
    struct Case {
        double ole;
        DateTime dt;
    };
    const Case cases[] = {
        {0.0, {1899, 12, 30, 7, 0, 0, 0, 0}},    {2.0, {1900, 1, 1, 2, 0, 0, 0, 0}},
        {36526.5, {2000, 1, 1, 7, 12, 0, 0, 0}}, {36585.0, {2000, 2, 29, 3, 0, 0, 0, 0}},
        {36586.0, {2000, 3, 1, 4, 0, 0, 0, 0}},  {73109.0, {2100, 2, 28, 1, 0, 0, 0, 0}},
        {73110.0, {2100, 3, 1, 2, 0, 0, 0, 0}},  // 2100 is not a leap year
        {-1.25, {1899, 12, 29, 6, 6, 0, 0, 0}}}; // before day 0 the fraction still counts forward
    for (const Case& c : cases) {
        EXPECT_EQ(OleToDateTime(c.ole), c.dt) << c.ole;
        EXPECT_DOUBLE_EQ(DateTimeToOle(c.dt), c.ole) << c.ole;
        EXPECT_EQ(WeekdayOf(c.dt.year, c.dt.month, c.dt.day), c.dt.weekday) << c.ole;
    }
}

TEST(OleDate, RoundsToTheNearestMillisecond) {
    const DateTime last = OleToDateTime(36526.0 + 86'399'999.4 / 86'400'000.0);
    EXPECT_EQ(last, (DateTime{2000, 1, 1, 7, 23, 59, 59, 999}));
    // Half a millisecond before midnight rounds into the next day.
    const DateTime next = OleToDateTime(36526.0 + 86'399'999.6 / 86'400'000.0);
    EXPECT_EQ(next, (DateTime{2000, 1, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(OleToDateTime(OleTimeOfDay(13, 45, 30, 250)), (DateTime{1899, 12, 30, 7, 13, 45, 30, 250}));
}

TEST(OleDate, ValuesThatAreNoDates) {
    for (const double v : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -1e300, 3e6, -7e5}) {
        EXPECT_FALSE(TryOleToDateTime(v).has_value()) << v;
        EXPECT_EQ(OleToDateTime(v), DateTime{}) << v;
    }
    EXPECT_TRUE(TryOleToDateTime(2958465.5).has_value()); // 9999-12-31
}

TEST(OleDate, FieldsOutOfRangeCarryOver) {
    EXPECT_FALSE(IsValidDate(2100, 2, 29));
    EXPECT_EQ(OleDateOnly(2100, 2, 29), OleDateOnly(2100, 3, 1));
    EXPECT_EQ(OleDateOnly(2003, 0, 1), OleDateOnly(2002, 12, 1));
    EXPECT_EQ(OleDateOnly(2003, -12, 1), OleDateOnly(2001, 12, 1));
    EXPECT_EQ(OleDateOnly(2003, 14, 1), OleDateOnly(2004, 2, 1));
    EXPECT_EQ(DateTimeToOle({2003, 1, 31, 0, 24, 0, 0, 0}), OleDateOnly(2003, 2, 1));
}

TEST(OleDate, AddMillisecondsAndFakeClock) {
    const DateTime leap{2000, 2, 28, 2, 23, 59, 59, 500};
    EXPECT_EQ(AddMilliseconds(leap, 500), (DateTime{2000, 2, 29, 3, 0, 0, 0, 0}));
    EXPECT_EQ(AddMilliseconds(leap, 86'400'500), (DateTime{2000, 3, 1, 4, 0, 0, 0, 0}));
    EXPECT_EQ(AddMilliseconds(DateTime{2004, 1, 1, 5, 0, 0, 0, 0}, -1),
              (DateTime{2003, 12, 31, 4, 23, 59, 59, 999}));

    FakeClock clock;
    clock.setLocal({2003, 12, 31, 1, 23, 30, 0, 0}, 120); // weekday corrected to Wednesday
    EXPECT_EQ(clock.localNow().weekday, 4);
    EXPECT_EQ(clock.utcNow(), (DateTime{2003, 12, 31, 4, 21, 30, 0, 0}));
    clock.setTickCount(0xFFFF'FFF0U);
    clock.advanceMs(45 * 60'000);
    EXPECT_EQ(clock.localNow(), (DateTime{2004, 1, 1, 5, 0, 15, 0, 0}));
    EXPECT_EQ(clock.utcNow(), (DateTime{2003, 12, 31, 4, 22, 15, 0, 0}));
    EXPECT_EQ(clock.tickCount(), 45U * 60'000U - 16U);
}

} // namespace
} // namespace domora
