#pragma once

#include "core/base/Clock.h"

namespace domora {

// The computer's clock: local time in the process's time zone (TZ), universal time, and a
// millisecond tick count from the monotonic clock.
class SystemClock final : public Clock {
public:
    DateTime localNow() const override;
    DateTime utcNow() const override;
    // Milliseconds of CLOCK_MONOTONIC cut to 32 bits, so it wraps after 49.7 days.
    std::uint32_t tickCount() const override;
    bool daylightInForce() const override;
};

} // namespace domora
