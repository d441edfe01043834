#include "platform/posix/TimerFdWallTimer.h"

#include <sys/timerfd.h>

#include <cerrno>
#include <cstdint>
#include <unistd.h>

namespace domora {

TimerFdWallTimer::TimerFdWallTimer() : fd_(::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {}

TimerFdWallTimer::~TimerFdWallTimer() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool TimerFdWallTimer::wakeAt(std::int64_t utcMs) {
    if (fd_ < 0) {
        return false;
    }
    // An instant at or before 1970 would disarm the timer: wake at once instead.
    const std::int64_t ms = utcMs > 0 ? utcMs : 1;
    itimerspec setting{};
    setting.it_value.tv_sec = static_cast<time_t>(ms / 1000);
    setting.it_value.tv_nsec = static_cast<long>(ms % 1000) * 1'000'000L;
    return ::timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &setting, nullptr) == 0;
}

WallTimer::Wake TimerFdWallTimer::takeWake() {
    if (fd_ < 0) {
        return Wake::None;
    }
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(fd_, &expirations, sizeof expirations);
    if (got == static_cast<ssize_t>(sizeof expirations)) {
        return Wake::Due;
    }
    // A clock set cancels the timer; the read reports it once.
    return got < 0 && errno == ECANCELED ? Wake::ClockSet : Wake::None;
}

} // namespace domora
