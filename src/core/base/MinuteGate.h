#pragma once

#include "core/base/Clock.h"
#include "core/base/DateTime.h"

#include <cstdint>
#include <vector>

namespace domora {

// The once-a-minute gate of a scheduler (the alarms' and the tasks'), asked on every tick of
// its timer. It answers with the wall-clock minutes to process now, in order; the scheduler
// makes one pass for each.
//
// - The first time it is asked it gives the current minute: the pass right after start-up.
// - Minutes skipped by a forward jump of up to 60 minutes (a busy or briefly sleeping
//   computer, the clock set forward, the hour that daylight saving time leaves out) are
//   given at once, in order, each as a minute of its own.
// - A minute already given is not given again: after the clock was set back by up to 60
//   minutes, or in the hour that repeats when daylight saving time ends, the gate waits
//   until the clock passes the last minute it gave.
// - A larger jump either way starts afresh from the current minute.
//
// Jumps are told from the change of universal time between two consecutive readings, so
// that a change of daylight saving time (local time moves, universal time does not) is not
// taken for a jump of the clock.
//
// The schedulers share one start flag, `FirstPassPending`: 1 at start-up, cleared by the
// first gate that passes. A gate makes its own first pass whether or not another gate has
// cleared the flag, so no scheduler loses the minute the program starts in.
class MinuteGate {
public:
    static constexpr std::int64_t kMaxJumpMinutes = 60;

    explicit MinuteGate(std::uint8_t& firstPassPending) : firstPassPending_(firstPassPending) {}

    // The minutes to process now (second and millisecond 0, weekday set); empty when the
    // current minute has been processed already.
    std::vector<DateTime> minutesToProcess(const DateTime& localNow, const DateTime& utcNow);
    std::vector<DateTime> minutesToProcess(const Clock& clock);

    // Whether the gate has made its first pass.
    bool started() const { return started_; }

private:
    std::uint8_t& firstPassPending_;
    bool started_ = false;
    std::int64_t lastLocal_ = 0; // minute numbers of the previous reading
    std::int64_t lastUtc_ = 0;
    std::int64_t processed_ = 0; // the last local minute given
};

// Minutes since 1 January 1970 of a date and time, seconds ignored (fields out of their
// ranges carry over), and back.
std::int64_t MinuteNumber(const DateTime& dt);
DateTime DateTimeOfMinute(std::int64_t minuteNumber);

} // namespace domora
