#include "core/timer/TimerBank.h"

#include <algorithm>

namespace domora {

void TimerBank::setInterval(std::size_t timer, std::int32_t ms, std::uint32_t now) {
    Timer& t = timers_.at(timer);
    const std::int32_t wanted = std::max<std::int32_t>(ms, 0);
    if (t.interval == wanted) {
        return;
    }
    t.interval = wanted;
    t.period = static_cast<std::uint32_t>(wanted == 0 ? 0 : std::max(wanted, kShortestPeriod));
    t.start = now;
}

bool TimerBank::takeDue(std::size_t timer, std::uint32_t now) {
    Timer& t = timers_.at(timer);
    // The tick count wraps; the unsigned difference is the time passed all the same.
    if (t.period == 0 || now - t.start < t.period) {
        return false;
    }
    t.start = now;
    return true;
}

std::int64_t TimerBank::msUntilDue(std::uint32_t now) const {
    std::int64_t soonest = -1;
    for (const Timer& t : timers_) {
        if (t.period == 0) {
            continue;
        }
        const std::uint32_t passed = now - t.start;
        const std::int64_t left = passed >= t.period ? 0 : std::int64_t{t.period} - passed;
        soonest = soonest < 0 ? left : std::min(soonest, left);
    }
    return soonest;
}

} // namespace domora
