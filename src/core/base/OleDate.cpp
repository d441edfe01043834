#include "core/base/OleDate.h"

#include <chrono>
#include <cmath>

namespace domora {
namespace {

using namespace std::chrono;

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr sys_days kOleEpoch = sys_days{year{1899} / December / 30};

// The day of a date whose month and day may be out of range: months carry into years,
// days count on from the first of the month.
sys_days DayOf(int y, int m, int d) {
    const int monthIndex = m - 1;
    const int yearShift = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    const int month0 = monthIndex - yearShift * 12;
    const year_month_day first{year{y + yearShift}, month{static_cast<unsigned>(month0 + 1)}, day{1}};
    return sys_days{first} + days{d - 1};
}

std::int64_t MsOfDay(int h, int mi, int s, int ms) {
    return ((static_cast<std::int64_t>(h) * 60 + mi) * 60 + s) * 1000 + ms;
}

sys_time<milliseconds> TimePoint(const DateTime& dt) {
    return sys_time<milliseconds>{DayOf(dt.year, dt.month, dt.day)} +
           milliseconds{MsOfDay(dt.hour, dt.minute, dt.second, dt.millisecond)};
}

DateTime FromTimePoint(sys_time<milliseconds> tp) {
    const sys_days day = floor<days>(tp);
    const year_month_day ymd{day};
    const hh_mm_ss<milliseconds> tod{tp - day};
    DateTime dt;
    dt.year = static_cast<int>(ymd.year());
    dt.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    dt.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    dt.weekday = static_cast<int>(weekday{day}.c_encoding()) + 1;
    dt.hour = static_cast<int>(tod.hours().count());
    dt.minute = static_cast<int>(tod.minutes().count());
    dt.second = static_cast<int>(tod.seconds().count());
    dt.millisecond = static_cast<int>(tod.subseconds().count());
    return dt;
}

} // namespace

std::optional<DateTime> TryOleToDateTime(double ole) {
    if (!std::isfinite(ole) || ole < kOleMinDate - 1 || ole > kOleMaxDate + 1) {
        return std::nullopt;
    }
    // The integer part names the calendar day, the fraction's magnitude the time of it.
    const double whole = std::trunc(ole);
    const auto msOfDay = std::llround(std::fabs(ole - whole) * static_cast<double>(kMsPerDay));
    const auto tp =
        sys_time<milliseconds>{kOleEpoch + days{static_cast<std::int64_t>(whole)}} + milliseconds{msOfDay};
    const DateTime dt = FromTimePoint(tp);
    if (dt.year < 100 || dt.year > 9999) {
        return std::nullopt;
    }
    return dt;
}

DateTime OleToDateTime(double ole) {
    return TryOleToDateTime(ole).value_or(DateTime{});
}

double DateTimeToOle(const DateTime& dt) {
    const auto tp = TimePoint(dt);
    const sys_days day = floor<days>(tp);
    const auto dayNumber = (day - kOleEpoch).count();
    const double fraction = static_cast<double>((tp - day).count()) / static_cast<double>(kMsPerDay);
    return dayNumber >= 0 ? static_cast<double>(dayNumber) + fraction
                          : static_cast<double>(dayNumber) - fraction;
}

double OleTimeOfDay(int hour, int minute, int second, int millisecond) {
    return static_cast<double>(MsOfDay(hour, minute, second, millisecond)) / static_cast<double>(kMsPerDay);
}

double OleDateOnly(int year, int month, int day) {
    return static_cast<double>((DayOf(year, month, day) - kOleEpoch).count());
}

int WeekdayOf(int year, int month, int day) {
    return static_cast<int>(weekday{DayOf(year, month, day)}.c_encoding()) + 1;
}

bool IsValidDate(int y, int m, int d) {
    if (m < 1 || m > 12 || d < 1) {
        return false;
    }
    return year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}.ok();
}

bool IsLeapYear(int y) {
    return year{y}.is_leap();
}

int DaysInMonth(int y, int m) {
    if (m < 1 || m > 12) {
        return 0;
    }
    const year_month_day_last last{year{y}, month_day_last{month{static_cast<unsigned>(m)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

DateTime AddMilliseconds(const DateTime& dt, std::int64_t ms) {
    return FromTimePoint(TimePoint(dt) + milliseconds{ms});
}

DateTime Normalised(const DateTime& dt) {
    return FromTimePoint(TimePoint(dt));
}

} // namespace domora
