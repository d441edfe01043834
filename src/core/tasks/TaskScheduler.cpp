#include "core/tasks/TaskScheduler.h"

#include "core/base/BusyScope.h"
#include "core/tasks/TaskFiring.h"

namespace domora {

TaskScheduler::TaskScheduler(TaskStore& store, const Clock& clock, MinuteGate& gate, TaskRunner& runner)
    : store_(store), clock_(clock), gate_(gate), runner_(runner) {}

void TaskScheduler::TaskTick() {
    if (busy_ || !store_.TaskFileExists()) {
        return;
    }
    BusyScope busy(busy_);
    for (const DateTime& minute : NewMinuteForTasks()) {
        RunPass(minute);
    }
}

std::vector<DateTime> TaskScheduler::NewMinuteForTasks() {
    return gate_.minutesToProcess(clock_);
}

void TaskScheduler::RunPass(const DateTime& minute) {
    TaskStoreResult read;
    const auto records = store_.ReadRecords(&read);
    if (!records) {
        if (onStoreError) {
            onStoreError(read);
        }
        return;
    }
    // The records are decoded again only when their bytes changed.
    if (*records != records_) {
        records_ = *records;
        tasks_.clear();
        for (const auto& record : records_) {
            tasks_.push_back(DecodeTask(record));
        }
    }
    // Switching a task off rewrites the file with the same records in the same order, so the
    // pass goes on with its own reading.
    const std::vector<TaskRecord>& tasks = tasks_;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const TaskRecord& task = tasks[i];
        // Only the first 50 tasks have a flag; a file written elsewhere may hold more.
        const bool hasFlag = i < TaskFired.size();
        if (!TaskRunsAtPass(task, minute, hasFlag && TaskFired[i] == 0)) {
            continue;
        }
        const TaskRunResult run = PerformTask(task);
        if (!run.started && onRunFailure) {
            onRunFailure(static_cast<int>(i + 1), run.failure);
        }
        if (hasFlag) {
            TaskFired[i] = 1;
        }
        if (TaskDeactivatesAfterRun(task)) {
            const TaskStoreResult off = store_.DeactivateTask(static_cast<int>(i + 1));
            if (!off && onStoreError) {
                onStoreError(off);
            }
        }
    }
}

TaskRunResult TaskScheduler::PerformTask(const TaskRecord& record, bool forced) {
    return PerformTaskWith(runner_, record, forced);
}

TaskRunResult PerformTaskWith(TaskRunner& runner, const TaskRecord& record, bool forced) {
    const auto preset = PresetOfStored(record.Preset);
    if (!preset) {
        return TaskRunResult::failed("Задание не выполнено: действие «" + record.Preset + "» неизвестно.");
    }
    if (*preset == TaskPreset::Custom) {
        return runner.runProgram(record.Directory, record.FileName, record.Params);
    }
    return runner.runPreset(*preset, forced);
}

} // namespace domora
