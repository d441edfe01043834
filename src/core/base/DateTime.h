#pragma once

#include <cstdint>

namespace domora {

// A calendar date and time of day as the clock reports it. The weekday counts
// 1 = Sunday ... 7 = Saturday, as the alarms, the tasks and the status line use it.
struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int weekday = 7;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

} // namespace domora
