#pragma once

#include "core/base/WallTimer.h"

namespace domora {

// A timerfd on the real-time clock, set to an absolute instant and cancelled by the kernel
// when the clock is set: it wakes at the instant whatever happened to the clock, on
// resume from suspend, and at once when the clock is set.
class TimerFdWallTimer final : public WallTimer {
public:
    TimerFdWallTimer();
    ~TimerFdWallTimer() override;
    TimerFdWallTimer(const TimerFdWallTimer&) = delete;
    TimerFdWallTimer& operator=(const TimerFdWallTimer&) = delete;

    bool wakeAt(std::int64_t utcMs) override;
    int descriptor() const override { return fd_; }
    Wake takeWake() override;

private:
    int fd_ = -1;
};

} // namespace domora
