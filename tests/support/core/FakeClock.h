#pragma once

#include "core/base/Clock.h"

#include <cstdint>

namespace domora {

// A clock for tests: it stands still until told to move.
class FakeClock final : public Clock {
public:
    // Sets the local time; universal time is local time minus utcOffsetMinutes.
    void setLocal(const DateTime& local, int utcOffsetMinutes = 0);
    void setDaylight(bool inForce) { daylight_ = inForce; }
    void setTickCount(std::uint32_t ticks) { ticks_ = ticks; }
    // Moves local time, universal time and the tick count on together.
    void advanceMs(std::int64_t ms);

    DateTime localNow() const override { return local_; }
    DateTime utcNow() const override;
    std::uint32_t tickCount() const override { return ticks_; }
    bool daylightInForce() const override { return daylight_; }

private:
    DateTime local_{2003, 1, 1, 4, 0, 0, 0, 0};
    int offsetMinutes_ = 0;
    bool daylight_ = false;
    std::uint32_t ticks_ = 0;
};

} // namespace domora
