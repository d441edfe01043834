#pragma once

#include "core/base/Clock.h"
#include "core/base/DateTime.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace domora {

// The time map ("Карта времени"): a world map of kMapWidth x kMapHeight pixels on which
// pointing at a city shows its time, with a pulsing circle on the city.
inline constexpr int kMapWidth = 707;
inline constexpr int kMapHeight = 329;

// A city of the map: the text shown after its time, the hours its zone is ahead of
// universal time, the rectangle the mouse selects it in (bounds inclusive, in pixels of
// the map) and the point the marker pulses around.
struct MapCity {
    std::string_view text;
    std::int8_t offset;
    int left, right;
    int top, bottom;
    int pointX, pointY;

    bool contains(int x, int y) const { return left <= x && x <= right && top <= y && y <= bottom; }
};

// The 39 cities, in the order the hit test tries them.
extern const std::array<MapCity, 39> kMapCities;

// The city selected when the map window is made: Kyiv, offset +2, marker at (373, 112).
inline constexpr std::size_t kStartCity = 26;

// The city under the point (x, y): the last row whose rectangle holds it, as the rows are
// tried in order and a later one overrides an earlier one (Sevastopol over Odessa). A point
// outside every rectangle (the sea) keeps `current`.
std::size_t CityAt(int x, int y, std::size_t current);

// The map window's line: the city's time ("hh:mm:ss", FormatZoneTime of the universal time
// with the city's offset, so the daylight hour included), " - " and the city's text.
std::string MapCityLine(const DateTime& utc, const MapCity& city, const Clock& clock);

// The pulsing circle around a city. It is drawn in window coordinates, where the map
// starts 16 pixels below the top (the strip above the map); `left`, `top` and `size` are
// the circle's bounding square there.
struct MapMarker {
    static constexpr int kStripHeight = 16;
    static constexpr int kLargest = 24;

    int left = 0;
    int top = 0;
    int size = 0;
    bool growing = true;

    // One step of the animation (every 20 ms): at the largest size it turns to shrinking,
    // at nothing to growing; growing widens the square by one pixel on every side,
    // shrinking narrows it. One pulse 0 -> 24 -> 0 takes 24 steps.
    void step();

    friend bool operator==(const MapMarker&, const MapMarker&) = default;
};

// The marker put on the map point (x, y): a square of size 0 at (x, y + 16), growing.
MapMarker PlaceMarker(int x, int y);

} // namespace domora
