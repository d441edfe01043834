#include "core/base/MinuteGate.h"

#include <algorithm>
#include <chrono>

namespace domora {
namespace {

using namespace std::chrono;

std::int64_t Abs(std::int64_t v) {
    return v < 0 ? -v : v;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

std::int64_t MinuteNumber(const DateTime& dt) {
    const year_month first = year_month{year{dt.year}, January} + months{dt.month - 1};
    const sys_days day = sys_days{first / 1} + days{dt.day - 1};
    return static_cast<std::int64_t>(day.time_since_epoch().count()) * 1440 + dt.hour * 60 + dt.minute;
}

DateTime DateTimeOfMinute(std::int64_t minuteNumber) {
    const std::int64_t dayNumber = FloorDiv(minuteNumber, 1440);
    const auto minuteOfDay = static_cast<int>(minuteNumber - dayNumber * 1440);
    const sys_days day{days{dayNumber}};
    const year_month_day ymd{day};
    DateTime dt;
    dt.year = static_cast<int>(ymd.year());
    dt.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    dt.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    dt.weekday = static_cast<int>(weekday{day}.c_encoding()) + 1;
    dt.hour = minuteOfDay / 60;
    dt.minute = minuteOfDay % 60;
    return dt;
}

std::vector<DateTime> MinuteGate::minutesToProcess(const Clock& clock) {
    return minutesToProcess(clock.localNow(), clock.utcNow());
}

std::vector<DateTime> MinuteGate::minutesToProcess(const DateTime& localNow, const DateTime& utcNow) {
    const std::int64_t local = MinuteNumber(localNow);
    const std::int64_t utc = MinuteNumber(utcNow);
    const std::int64_t clockStep = utc - lastUtc_;
    const std::int64_t offsetStep = (local - utc) - (lastLocal_ - lastUtc_);
    lastLocal_ = local;
    lastUtc_ = utc;

    const bool afresh = !started_ || Abs(clockStep) > kMaxJumpMinutes || Abs(offsetStep) > kMaxJumpMinutes ||
                        local < processed_ - kMaxJumpMinutes;
    if (afresh) {
        started_ = true;
        firstPassPending_ = 0;
        processed_ = local;
        return {DateTimeOfMinute(local)};
    }
    std::vector<DateTime> minutes;
    for (std::int64_t m = processed_ + 1; m <= local; ++m) {
        minutes.push_back(DateTimeOfMinute(m));
    }
    processed_ = std::max(processed_, local);
    return minutes;
}

} // namespace domora
