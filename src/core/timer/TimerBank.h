#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace domora {

// Window timers run on a clock's millisecond count. A timer with interval 0 is silent; one
// with an interval fires once that many milliseconds have passed since it was started or last
// fired. Setting the interval a timer already has does not start its count again; setting
// another one does. A check that comes late fires a timer once, however many intervals it
// missed, and an interval under 10 ms is counted as 10 ms, as window timers do.
class TimerBank {
public:
    static constexpr std::int32_t kShortestPeriod = 10;

    explicit TimerBank(std::size_t count) : timers_(count) {}

    std::size_t size() const { return timers_.size(); }
    std::int32_t interval(std::size_t timer) const { return timers_.at(timer).interval; }
    void setInterval(std::size_t timer, std::int32_t ms, std::uint32_t now);
    // Whether the timer is due at `now`; a due timer starts its next count at `now`.
    bool takeDue(std::size_t timer, std::uint32_t now);
    // Milliseconds from `now` until the first timer is due (0 when one is due already), or
    // -1 when every timer is silent.
    std::int64_t msUntilDue(std::uint32_t now) const;

private:
    struct Timer {
        std::int32_t interval = 0; // as set
        std::uint32_t period = 0;  // as counted
        std::uint32_t start = 0;
    };
    std::vector<Timer> timers_;
};

} // namespace domora
