#pragma once

#include "core/base/DateTime.h"

#include <cstdint>

namespace domora {

// The one way logic reads time. Nothing else asks the system for the date or the time.
class Clock {
public:
    virtual ~Clock() = default;

    // The computer's local date and time.
    virtual DateTime localNow() const = 0;
    // Universal time.
    virtual DateTime utcNow() const = 0;
    // Milliseconds since start, a 32-bit count that wraps like the Windows tick counter.
    virtual std::uint32_t tickCount() const = 0;
    // Whether the computer's own time zone is on daylight saving time now.
    virtual bool daylightInForce() const = 0;
};

} // namespace domora
