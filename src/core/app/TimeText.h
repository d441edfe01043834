#pragma once

#include "core/base/Clock.h"
#include "core/base/DateTime.h"

#include <cstdint>
#include <string>

namespace domora {

// "7" gives "07"; any text that is not exactly one character long is returned as it is.
std::string AddZero(const std::string& text);

// The time of day "hh:mm:ss" of a universal time shifted by `offset` hours, plus one hour
// while the computer's zone is on daylight time (asked of the clock). One correction by
// 24 either way; the date does not roll over; milliseconds are ignored.
std::string FormatZoneTime(const DateTime& utc, std::int8_t offset, const Clock& clock);

struct SplitTime {
    std::string hours;
    std::string minutes;
    std::string seconds;
};

// Hours, minutes and seconds of a count of milliseconds, each at least two digits; hours
// are never cut. Zero or a negative count gives 00, 00, 00.
SplitTime SplitMs(std::int32_t ms);

// "Воскресенье" for 1 ... "Суббота" for 7; any other number gives "Воскресенье".
std::string WeekdayName(int weekday);

// Russian short date "dd.MM.yyyy" and long time "HH:mm:ss", whatever the system locale.
std::string FormatShortDate(const DateTime& dt);
std::string FormatLongTime(const DateTime& dt);

} // namespace domora
