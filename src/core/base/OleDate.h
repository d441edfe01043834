#pragma once

#include "core/base/DateTime.h"

#include <cstdint>
#include <optional>

namespace domora {

// OLE Automation dates: the days since 30 December 1899 plus the time of day as a
// fraction. Dates before that day are negative and, as OLE has it, their fraction still
// counts forward from midnight: -1.25 is 29 December 1899, 06:00. Conversions round to
// the nearest millisecond. The supported range is 1 January 100 to 31 December 9999.

inline constexpr double kOleMinDate = -657434.0;        // 0100-01-01
inline constexpr double kOleMaxDate = 2958465.99999999; // 9999-12-31 23:59:59.999

// The date and time of an OLE date; nothing for NaN, infinity or a value outside the range.
std::optional<DateTime> TryOleToDateTime(double ole);
// The same, with the day 0 (30 December 1899, 00:00) for a value that is not a date.
DateTime OleToDateTime(double ole);

// The OLE date of a date and time. Fields outside their ranges carry over (32 January is
// 1 February, hour 24 the next day), so any field values give a date.
double DateTimeToOle(const DateTime& dt);

// The fraction of a day of a time (fields carry over as above).
double OleTimeOfDay(int hour, int minute, int second, int millisecond = 0);
// The whole OLE day of a date (fields carry over as above).
double OleDateOnly(int year, int month, int day);

// The weekday of a date, 1 = Sunday ... 7 = Saturday.
int WeekdayOf(int year, int month, int day);
bool IsValidDate(int year, int month, int day);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The date and time `ms` milliseconds later (earlier when negative), weekday included.
DateTime AddMilliseconds(const DateTime& dt, std::int64_t ms);

// The date and time with fields out of their ranges carried over and the weekday set.
DateTime Normalised(const DateTime& dt);

} // namespace domora
