#pragma once

#include "platform/ClockSetter.h"

namespace domora {

// The clock on Linux. A process that may set the clock itself (the superuser's) sets it
// with clock_settime; any other asks systemd-timedated on the system bus (SetTime), which
// may have polkit ask the user, and which refuses while the system's own synchronisation
// (NTP) is on. Each refusal comes back in Russian with its cause.
class TimedatedClockSetter final : public ClockSetter {
public:
    // `direct`: set the clock with clock_settime instead of asking the service.
    explicit TimedatedClockSetter(bool direct);

    ActionResult setUtc(const DateTime& utc) override;
    ActionResult shiftBy(std::int64_t microseconds) override;

private:
    ActionResult askService(std::int64_t usec, bool relative);
    ActionResult setDirectly(std::int64_t usecSinceEpoch);

    bool direct_;
};

} // namespace domora
