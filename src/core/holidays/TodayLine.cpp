#include "core/holidays/TodayLine.h"

namespace domora {

std::string TodayLineText(const std::vector<CelebRecord>& celebs, const DateTime& today) {
    std::string events;
    for (const CelebRecord& celeb : celebs) {
        if (celeb.Month == today.month && celeb.Day == today.day) {
            events += celeb.Event;
            events += kTodaySeparator;
        }
    }
    if (events.empty()) {
        return std::string(kNoHolidaysToday);
    }
    return std::string(kTodayPrefix) + events;
}

TodayLine RefreshTodayLine(const CelebStore& store, const DateTime& today) {
    const CelebList list = store.ReadCelebs();
    if (!list.result) {
        return {false, list.result.message};
    }
    return {true, TodayLineText(list.celebs, today)};
}

} // namespace domora
