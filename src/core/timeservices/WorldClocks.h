#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace domora {

// A clock of the page "Время в мире": the objectName of its display, its caption, the
// hours its zone is ahead of universal time, and its place on the page: column 0 is the
// column beside the map (rows 0..11), column 1 is below the map (rows 0 and 1), and the
// central European clock, with its longer caption, has column 2 below the map.
struct WorldClock {
    std::string_view display;
    std::string_view caption;
    std::int8_t offset;
    int column;
    int row;
};

// The fourteen clocks with one-line captions, in page order.
extern const std::array<WorldClock, 14> kWorldClocks;
// The central European clock, with its longer caption.
extern const WorldClock kCentralEuropeanClock;

// The order in which the clock tick fills the fifteen displays (by objectName).
extern const std::array<std::string_view, 15> kWorldClockTickOrder;

} // namespace domora
