#pragma once

#include "core/base/DateTime.h"
#include "core/holidays/HolidayStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace domora {

inline constexpr std::string_view kTodayPrefix = "Сегодня: ";
inline constexpr std::string_view kTodaySeparator = " | ";
inline constexpr std::string_view kNoHolidaysToday = "Сегодня нет праздников";

// The event line of the main window.
struct TodayLine {
    bool ok = true; // false: the file could not be read; `text` is then the error box's text
    std::string
        text; // "Сегодня: " + every event of today, each followed by " | ", or "Сегодня нет праздников"
};

// The line for `holidays` (in file order) on `today`.
std::string TodayLineText(const std::vector<HolidayRecord>& holidays, const DateTime& today);

// The line read from the file.
TodayLine RefreshTodayLine(const HolidayStore& store, const DateTime& today);

} // namespace domora
