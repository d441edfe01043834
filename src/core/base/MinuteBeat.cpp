#include "core/base/MinuteBeat.h"

#include "core/base/MinuteGate.h"

namespace domora {

namespace {

constexpr std::int64_t kMinuteMs = 60'000;

} // namespace

std::int64_t UtcMilliseconds(const DateTime& utc) {
    return MinuteNumber(utc) * kMinuteMs + utc.second * 1000 + utc.millisecond;
}

std::int64_t NextMinuteBoundary(std::int64_t utcMs) {
    const std::int64_t minute = utcMs >= 0 ? utcMs / kMinuteMs : -((-utcMs + kMinuteMs - 1) / kMinuteMs);
    return (minute + 1) * kMinuteMs;
}

std::int64_t MinuteBeat::arm() {
    const std::int64_t now = UtcMilliseconds(clock_.utcNow());
    const std::int64_t boundary = NextMinuteBoundary(now);
    timerSet_ = timer_.wakeAt(boundary);
    return boundary - now;
}

} // namespace domora
