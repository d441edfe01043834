#pragma once

#include "core/base/DateTime.h"
#include "core/tasks/TaskRecord.h"

#include <array>
#include <string_view>

namespace domora {

// The editor's period list, in its order. The scheduler compares a stored period with these
// character for character; any other text is never due.
inline constexpr std::array<std::string_view, 12> kTaskPeriods = {
    "Ежедневно",
    "По выходным",
    "По будням",
    "Понедельник",
    "Вторник",
    "Среда",
    "Четверг",
    "Пятница",
    "Суббота",
    "Воскресенье",
    "Первый день месяца",
    "Последний день месяца",
};
inline constexpr std::string_view kEveryDay = "Ежедневно";

// Whether the rule named by `period` holds on `today` (its date and weekday count).
bool PeriodHolds(std::string_view period, const DateTime& today);

// Whether the task is for `today`, leaving its time and its switch aside: on its date when
// it has one (only the calendar day of TaskDate counts), else by its period rule.
bool TaskIsForDay(const TaskRecord& record, const DateTime& today);

} // namespace domora
