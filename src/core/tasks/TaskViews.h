#pragma once

#include "core/tasks/TaskRecord.h"

#include <array>
#include <string>

namespace domora {

// The task list's columns: number, time, date, period, task, switch.
using TaskRow = std::array<std::string, 6>;

// The texts of task `number`'s row: the time as the signed numbers it holds ("9:5", "-1:-1"
// for a task without a time), the date as a short date for every task (empty when the stored
// value is no date), the period, the preset or, for a custom task, its file name, and
// "Актив" for a task that is switched on.
TaskRow TaskRowTexts(int number, const TaskRecord& record);

} // namespace domora
