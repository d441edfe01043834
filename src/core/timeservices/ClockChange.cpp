#include "core/timeservices/ClockChange.h"

#include "core/base/OleDate.h"
#include "core/base/Text.h"

#include <cmath>

namespace domora {

ClockMode ClockModeOf(std::string_view mode) {
    return FoldCase(mode) == "time" ? ClockMode::Time : ClockMode::Date;
}

DateTime WantedUtc(ClockMode mode, const DateTime& chosen, const DateTime& localNow, const DateTime& utcNow) {
    DateTime wanted = localNow;
    if (mode == ClockMode::Time) {
        wanted.hour = chosen.hour;
        wanted.minute = chosen.minute;
        wanted.second = chosen.second;
        wanted.millisecond = 0;
    } else {
        wanted.year = chosen.year;
        wanted.month = chosen.month;
        wanted.day = chosen.day;
    }
    const double biasMinutes = std::round((DateTimeToOle(utcNow) - DateTimeToOle(localNow)) * 1440.0);
    return OleToDateTime(DateTimeToOle(wanted) + biasMinutes / 1440.0);
}

} // namespace domora
