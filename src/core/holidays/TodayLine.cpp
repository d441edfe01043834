#include "core/holidays/TodayLine.h"

namespace domora {

std::string TodayLineText(const std::vector<HolidayRecord>& holidays, const DateTime& today) {
    std::string events;
    for (const HolidayRecord& holiday : holidays) {
        if (holiday.Month == today.month && holiday.Day == today.day) {
            events += holiday.Event;
            events += kTodaySeparator;
        }
    }
    if (events.empty()) {
        return std::string(kNoHolidaysToday);
    }
    return std::string(kTodayPrefix) + events;
}

TodayLine RefreshTodayLine(const HolidayStore& store, const DateTime& today) {
    const HolidayList list = store.ReadCelebs();
    if (!list.result) {
        return {false, list.result.message};
    }
    return {true, TodayLineText(list.holidays, today)};
}

} // namespace domora
