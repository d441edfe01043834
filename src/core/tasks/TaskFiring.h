#pragma once

#include "core/base/DateTime.h"
#include "core/base/Firing.h"
#include "core/tasks/TaskRecord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace domora {

// Whether the pass for `minute` runs the task. The scheduler acts on it and NextTaskFiring
// looks ahead with it, so both go by the same rules. `untimedPending`: the task has a flag
// (TaskFired) and the flag is clear.
bool TaskRunsAtPass(const TaskRecord& task, const DateTime& minute, bool untimedPending);

// Whether a run switches the task off in the file: a task with a time runs once.
bool TaskDeactivatesAfterRun(const TaskRecord& task);

// The scheduler's flag of a task, besides its record.
struct TaskFlag {
    // The task is among the first kMaxTasks of its file and so has a flag.
    bool exists = true;
    // TaskFired: a task without a time has run in this run of the program.
    bool ran = false;
};

// The flag of the task at `index` (from 0) of its file, from the scheduler's TaskFired; with
// the flags not at hand (`fired` empty), as it stands at start-up.
TaskFlag TaskFlagAt(std::size_t index, std::span<const std::uint8_t> fired = {});

// The first minute at or after `from` at which the scheduler runs the task, within ten
// years, or never and why. From's own minute counts: the answer is for a scheduler that has
// not made the pass for `from` yet. `flag` is the flag as it stands before that pass.
Firing NextTaskFiring(const TaskRecord& task, const DateTime& from, TaskFlag flag = {});

// What the windows say of a task: its next run from the minute after `now` (see MinuteAfter),
// as FiringText.
std::string TaskFiringLine(const TaskRecord& task, const DateTime& now, TaskFlag flag);

// The runs in (after, until], at most `limit`: at most one, for a task runs once (a task with
// a time is switched off, one without a time is marked as run).
std::vector<DateTime> TaskFiringsBetween(const TaskRecord& task, const DateTime& after, const DateTime& until,
                                         TaskFlag flag, std::size_t limit);

} // namespace domora
