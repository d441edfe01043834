#include "core/tasks/TaskPeriods.h"

#include "core/base/OleDate.h"

namespace domora {
namespace {

// Weekdays of the clock: 1 = Sunday ... 7 = Saturday.
constexpr int kSunday = 1;
constexpr int kSaturday = 7;

} // namespace

bool PeriodHolds(std::string_view period, const DateTime& today) {
    const int weekday = WeekdayOf(today.year, today.month, today.day);
    const bool weekend = weekday == kSunday || weekday == kSaturday;
    // Понедельник ... Воскресенье: items 3..9 of the list, Monday = weekday 2.
    for (int i = 0; i < 7; ++i) {
        if (period == kTaskPeriods[static_cast<std::size_t>(3 + i)]) {
            return weekday == (i + 1) % 7 + 1;
        }
    }
    if (period == kTaskPeriods[0]) {
        return true;
    }
    if (period == kTaskPeriods[1]) {
        return weekend;
    }
    if (period == kTaskPeriods[2]) {
        return !weekend;
    }
    if (period == kTaskPeriods[10]) {
        return today.day == 1;
    }
    if (period == kTaskPeriods[11]) {
        return today.day == DaysInMonth(today.year, today.month);
    }
    return false;
}

bool TaskIsForDay(const TaskRecord& record, const DateTime& today) {
    if (!record.UseDate) {
        return PeriodHolds(record.Period, today);
    }
    const auto date = TryOleToDateTime(record.TaskDate);
    return date && date->year == today.year && date->month == today.month && date->day == today.day;
}

} // namespace domora
