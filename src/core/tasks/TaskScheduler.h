#pragma once

#include "core/base/Clock.h"
#include "core/base/DateTime.h"
#include "core/base/MinuteGate.h"
#include "core/tasks/TaskRecord.h"
#include "core/tasks/TaskRunner.h"
#include "core/tasks/TaskStore.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace domora {

// Decides once a minute which tasks are due and performs them through the task runner.
// Driven by the main window's minute beat (TaskTick); it reads the time only from the clock
// and the tasks only through the store, anew for every pass.
//
// A pass for minute H:M of a day, in file order, for task n:
// - skipped when not active;
// - due by time when its time is H:M; a task without a time (-1:-1) is due until it has
//   run once in this run of the program (TaskFired);
// - it runs when the day is its date (a dated task) or its period rule holds;
// - a task with a time that ran is switched off in the file (DeactivateTask), also when its
//   program could not be started; one whose day it is not stays active and waits for a day
//   on which its date or rule holds. A task without a time stays active.
class TaskScheduler {
public:
    // `gate` is the task scheduler's own gate on the start flag shared with the alarms.
    TaskScheduler(TaskStore& store, const Clock& clock, MinuteGate& gate, TaskRunner& runner);

    // The timer's tick: nothing while the task file is missing (the gate is not asked then);
    // otherwise one pass for each minute the gate gives. A tick that arrives while a pass is
    // running (from a message box's loop) does nothing.
    void TaskTick();
    // The minutes to make a pass for now.
    std::vector<DateTime> NewMinuteForTasks();
    // One pass over the tasks for one minute (its date is "today").
    void RunPass(const DateTime& minute);
    // Performs a task now: its program for "<Пользовательская>", else the service action its
    // stored preset names. Only Preset, FileName, Directory and Params are read. A preset
    // text that names no action performs nothing and says so. Passes always perform a preset
    // without forcing; the editor's trial forces ending the session when the user asked to.
    TaskRunResult PerformTask(const TaskRecord& record, bool forced = false);

    // One flag per position of the task file: its task without a time has run in this run
    // of the program. Never cleared while the program runs.
    std::array<std::uint8_t, kMaxTasks> TaskFired{};

    // Told, with the task's number and the Russian text to show, when a task could not be
    // performed (once per attempt: the task is switched off or marked as run, so it does not
    // retry every minute).
    std::function<void(int, const std::string&)> onRunFailure;
    // Told when the store could not switch a task off (its result holds the message).
    std::function<void(const TaskStoreResult&)> onStoreError;

private:
    TaskStore& store_;
    const Clock& clock_;
    MinuteGate& gate_;
    TaskRunner& runner_;
    bool busy_ = false;
    // The last reading of the file and its tasks.
    TaskStore::Records records_;
    std::vector<TaskRecord> tasks_;
};

// TaskScheduler::PerformTask on a runner alone, for a task performed outside the passes (a
// missed task run from the list of what was missed); it changes nothing in the task file.
TaskRunResult PerformTaskWith(TaskRunner& runner, const TaskRecord& record, bool forced = false);

} // namespace domora
