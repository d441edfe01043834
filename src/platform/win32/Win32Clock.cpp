#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace domora {
namespace {

DateTime FromSystemTime(const SYSTEMTIME& time) {
    DateTime value;
    value.year = time.wYear;
    value.month = time.wMonth;
    value.day = time.wDay;
    value.weekday = time.wDayOfWeek + 1; // 1 = Sunday
    value.hour = time.wHour;
    value.minute = time.wMinute;
    value.second = time.wSecond;
    value.millisecond = time.wMilliseconds;
    return value;
}

} // namespace

DateTime Win32Clock::localNow() const {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return FromSystemTime(time);
}

DateTime Win32Clock::utcNow() const {
    SYSTEMTIME time{};
    GetSystemTime(&time);
    return FromSystemTime(time);
}

std::uint32_t Win32Clock::tickCount() const {
    return GetTickCount();
}

bool Win32Clock::daylightInForce() const {
    TIME_ZONE_INFORMATION zone{};
    return GetTimeZoneInformation(&zone) == TIME_ZONE_ID_DAYLIGHT;
}

} // namespace domora
