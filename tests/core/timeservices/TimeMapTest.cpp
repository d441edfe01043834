#include "core/timeservices/TimeMap.h"
#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

namespace domora {
namespace {

std::size_t Row(std::string_view prefix) {
    for (std::size_t i = 0; i < kMapCities.size(); ++i) {
        if (kMapCities[i].text.starts_with(prefix)) {
            return i;
        }
    }
    ADD_FAILURE() << "no row " << prefix;
    return 0;
}

TEST(TimeMap, EveryCityIsFoundAtItsCentreCornersAndPoint) {
    // The two places where a later rectangle overlaps an earlier one.
    const std::map<std::pair<int, int>, std::size_t> overlaps = {
        {{162, 135}, Row("Вашингтон")},
        {{371, 123}, Row("Севастополь")},
    };
    const std::size_t sea = kMapCities.size(); // a "current" no row has
    for (std::size_t i = 0; i < kMapCities.size(); ++i) {
        const MapCity& c = kMapCities[i];
        const std::pair<int, int> points[] = {{(c.left + c.right) / 2, (c.top + c.bottom) / 2},
                                              {c.left, c.top},
                                              {c.right, c.top},
                                              {c.left, c.bottom},
                                              {c.right, c.bottom},
                                              {c.pointX, c.pointY}};
        for (const auto& [x, y] : points) {
            const auto overlap = overlaps.find({x, y});
            const std::size_t expected = overlap == overlaps.end() ? i : overlap->second;
            EXPECT_EQ(CityAt(x, y, sea), expected) << c.text << " at " << x << "," << y;
        }
        // One pixel outside the left edge is another city or the sea, never this one.
        EXPECT_NE(CityAt(c.left - 1, c.pointY, sea), i) << c.text;
    }
}

TEST(TimeMap, TheSeaKeepsTheLastCity) {
    const std::pair<int, int> sea[] = {{0, 0}, {250, 200}, {706, 328}, {-5, 400}, {372, 118}};
    for (const std::size_t current : {kStartCity, Row("Токио"), Row("Оттава")}) {
        for (const auto& [x, y] : sea) {
            EXPECT_EQ(CityAt(x, y, current), current) << x << "," << y;
        }
    }
}

// Warsaw and Budapest are on central European time: their time is not an hour late.
TEST(TimeMap, CentralEuropeanCapitalsKeepTheirZone) {
    EXPECT_EQ(kMapCities[Row("Варшава")].offset, 1);
    EXPECT_EQ(kMapCities[Row("Будапешт")].offset, 1);
}

TEST(TimeMap, MarkerPulsesAroundThePointBelowTheStrip) {
    const int x = 373, y = 112;
    MapMarker m = PlaceMarker(x, y);
    EXPECT_EQ(m, (MapMarker{373, 128, 0, true}));
    const MapMarker placed = m;
    int largest = 0;
    for (int i = 1; i <= 24; ++i) {
        m.step();
        const int expectedSize = i <= 12 ? 2 * i : 2 * (24 - i);
        ASSERT_EQ(m.size, expectedSize) << "step " << i;
        // Centred on the point, 16 pixels down in the window.
        EXPECT_EQ(2 * m.left + m.size, 2 * x) << "step " << i;
        EXPECT_EQ(2 * m.top + m.size, 2 * (y + 16)) << "step " << i;
        largest = std::max(largest, m.size);
    }
    EXPECT_EQ(largest, 24);
    EXPECT_EQ(m.left, placed.left);
    EXPECT_EQ(m.top, placed.top);
    EXPECT_EQ(m.size, 0);
    m.step(); // and the next pulse begins
    EXPECT_EQ(m, (MapMarker{372, 127, 2, true}));

    // Placed on another city in the middle of a shrink, it starts again from nothing.
    m = PlaceMarker(0, 0);
    EXPECT_EQ(m, (MapMarker{0, 16, 0, true}));
}

TEST(TimeMap, CityLine) {
    struct Case {
        int hour, minute, second;
        const char* city;
        bool daylight;
        const char* expected;
    };
    const Case cases[] = {
        {22, 30, 15, "Киев", false, "00:30:15 - Киев (Украина, Европа)"},
        {22, 30, 15, "Киев", true, "01:30:15 - Киев (Украина, Европа)"},
        {1, 15, 0, "Нью Йорк", false, "20:15:00 - Нью Йорк (США, Северная Америка)"},
        {1, 15, 0, "Нью Йорк", true, "21:15:00 - Нью Йорк (США, Северная Америка)"},
        {12, 0, 59, "Уэллингтон", false, "00:00:59 - Уэллингтон (Новая Зеландия )"},
        {9, 5, 0, "Лондон", false, "09:05:00 - Лондон(Великобритания, Европа)"},
    };
    FakeClock clock;
    for (const Case& c : cases) {
        clock.setDaylight(c.daylight);
        const DateTime utc{2003, 3, 1, 7, c.hour, c.minute, c.second, 500};
        EXPECT_EQ(MapCityLine(utc, kMapCities[Row(c.city)], clock), c.expected) << c.city;
    }
}

} // namespace
} // namespace domora
