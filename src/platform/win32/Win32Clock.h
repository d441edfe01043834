#pragma once

#include "core/base/Clock.h"

namespace domora {

// The Windows clock: GetLocalTime, GetSystemTime, GetTickCount and
// GetTimeZoneInformation.
class Win32Clock final : public Clock {
public:
    DateTime localNow() const override;
    DateTime utcNow() const override;
    std::uint32_t tickCount() const override;
    // GetTimeZoneInformation returns 2 (TIME_ZONE_ID_DAYLIGHT).
    bool daylightInForce() const override;
};

} // namespace domora
