#include "platform/posix/SystemClock.h"

#include <ctime>

namespace domora {
namespace {

DateTime FromTm(const std::tm& tm, long nanoseconds) {
    DateTime value;
    value.year = tm.tm_year + 1900;
    value.month = tm.tm_mon + 1;
    value.day = tm.tm_mday;
    value.weekday = tm.tm_wday + 1; // 1 = Sunday
    value.hour = tm.tm_hour;
    value.minute = tm.tm_min;
    value.second = tm.tm_sec > 59 ? 59 : tm.tm_sec; // a leap second stays in its minute
    value.millisecond = static_cast<int>(nanoseconds / 1000000);
    return value;
}

timespec RealNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

} // namespace

// The zone is looked up again on each reading (a look at the zone file's date when it has
// not changed), so that a change of the computer's time zone is seen at once.
DateTime SystemClock::localNow() const {
    const timespec now = RealNow();
    std::tm tm{};
    ::tzset();
    ::localtime_r(&now.tv_sec, &tm);
    return FromTm(tm, now.tv_nsec);
}

DateTime SystemClock::utcNow() const {
    const timespec now = RealNow();
    std::tm tm{};
    ::gmtime_r(&now.tv_sec, &tm);
    return FromTm(tm, now.tv_nsec);
}

std::uint32_t SystemClock::tickCount() const {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms =
        static_cast<std::uint64_t>(now.tv_sec) * 1000U + static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
    return static_cast<std::uint32_t>(ms);
}

bool SystemClock::daylightInForce() const {
    const timespec now = RealNow();
    std::tm tm{};
    ::tzset();
    ::localtime_r(&now.tv_sec, &tm);
    return tm.tm_isdst > 0;
}

} // namespace domora
