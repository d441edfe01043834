#pragma once

#include "core/base/DateTime.h"
#include "platform/SystemActions.h"

#include <cstdint>
#include <memory>

namespace domora {

// Sets the computer's clock. Each call says whether the clock was set, or in Russian why
// not: no rights, the system's own automatic synchronisation is on, the user declined.
// Tests use the recording fake: the real clock is never set in a test.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;

    // Sets the clock to a universal time (the fields of the system's time record; the
    // weekday is not used).
    virtual ActionResult setUtc(const DateTime& utc) = 0;
    // Moves the clock by `microseconds` (negative: back), as the time synchronisation
    // corrects it by the offset it measured.
    virtual ActionResult shiftBy(std::int64_t microseconds) = 0;
};

// The system's clock setter: on Linux systemd-timedated over D-Bus (polkit may ask the
// user), or the clock itself when this process may set it; on Windows SetSystemTime with
// the system-time privilege.
std::unique_ptr<ClockSetter> CreateSystemClockSetter();

} // namespace domora
