#include "testing/core/FakeClock.h"

#include "core/base/OleDate.h"

namespace domora {

// The weekday is recomputed from the date, so a test cannot set an impossible one.
void FakeClock::setLocal(const DateTime& local, int utcOffsetMinutes) {
    local_ = Normalised(local);
    offsetMinutes_ = utcOffsetMinutes;
}

// A negative step moves the tick count back as well (it wraps like the real counter).
void FakeClock::advanceMs(std::int64_t ms) {
    local_ = AddMilliseconds(local_, ms);
    ticks_ += static_cast<std::uint32_t>(ms);
}

DateTime FakeClock::utcNow() const {
    return AddMilliseconds(local_, -static_cast<std::int64_t>(offsetMinutes_) * 60'000);
}

} // namespace domora
