#pragma once

#include "core/base/Clock.h"
#include "core/base/DateTime.h"
#include "core/base/WallTimer.h"

#include <cstdint>

namespace domora {

// The once-a-minute beat of the schedulers: one wall-clock timer, set each time to the next
// boundary of a minute, so the program wakes once a minute, at the boundary. Every offset
// of a time zone is a whole number of minutes, so the boundary of a universal minute is
// the boundary of the local one as well, and neither a change of the time zone nor of
// daylight saving time moves it. After the clock was set (or the computer woke up) the
// timer wakes at once and the beat is set again from the new reading; the minute gates
// then give the minutes that were skipped, and never one twice.
class MinuteBeat {
public:
    MinuteBeat(const Clock& clock, WallTimer& timer) : clock_(clock), timer_(timer) {}

    // Sets the timer to the next boundary; called at the start and after every wake (a
    // wake, due or not, is a beat: the schedulers make their passes). Returns the
    // milliseconds until the boundary, for a caller that waits the span itself.
    std::int64_t arm();

    // Whether the timer took the last setting.
    bool timerSet() const { return timerSet_; }

private:
    const Clock& clock_;
    WallTimer& timer_;
    bool timerSet_ = false;
};

// Milliseconds since 1970-01-01 00:00 of a reading of universal time.
std::int64_t UtcMilliseconds(const DateTime& utc);
// The first boundary of a minute strictly after `utcMs`.
std::int64_t NextMinuteBoundary(std::int64_t utcMs);

} // namespace domora
