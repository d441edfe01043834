#include "core/tasks/TaskFiring.h"

#include "core/base/MinuteGate.h"
#include "core/base/OleDate.h"
#include "core/tasks/TaskPeriods.h"

#include <optional>
#include <string>

namespace domora {
namespace {

// Why the scheduler never runs the task from `from` on, as far as its fields tell.
std::optional<std::string> NeverReason(const TaskRecord& task, const DateTime& from, TaskFlag flag) {
    if (!task.Active) {
        return std::string("задание выключено");
    }
    if (auto reason = TimeNeverReason(task.Hour, task.Minute)) {
        return reason;
    }
    if (task.withoutTime() && !flag.exists) {
        return "задание без времени стоит в файле после " + std::to_string(kMaxTasks) +
               "-го и не выполняется";
    }
    if (task.withoutTime() && flag.ran) {
        return std::string("задание без времени уже выполнено в этом запуске программы");
    }
    if (task.UseDate) {
        return DateNeverReason(task.TaskDate, from);
    }
    return ListNeverReason(task.Period, kTaskPeriods, "период");
}

} // namespace

bool TaskRunsAtPass(const TaskRecord& task, const DateTime& minute, bool untimedPending) {
    if (!task.Active) {
        return false;
    }
    const bool atThisMinute = task.Hour == minute.hour && task.Minute == minute.minute;
    const bool untimedDue = task.withoutTime() && untimedPending;
    return (atThisMinute || untimedDue) && TaskIsForDay(task, minute);
}

bool TaskDeactivatesAfterRun(const TaskRecord& task) {
    return task.hasTime();
}

TaskFlag TaskFlagAt(std::size_t index, std::span<const std::uint8_t> fired) {
    TaskFlag flag;
    flag.exists = index < kMaxTasks;
    flag.ran = flag.exists && index < fired.size() && fired[index] != 0;
    return flag;
}

std::string TaskFiringLine(const TaskRecord& task, const DateTime& now, TaskFlag flag) {
    return FiringText(NextTaskFiring(task, MinuteAfter(now), flag));
}

Firing NextTaskFiring(const TaskRecord& task, const DateTime& from, TaskFlag flag) {
    if (auto reason = NeverReason(task, from, flag)) {
        return Firing::Never(std::move(*reason));
    }
    const std::optional<int> minuteOfDay =
        task.withoutTime() ? std::nullopt : std::optional<int>(task.Hour * 60 + task.Minute);
    // A dated task is for no other day than its date, which NeverReason found valid.
    const DateTime firstDay = task.UseDate ? OleToDateTime(task.TaskDate) : from;
    // The flag changes only when the task runs.
    const bool pending = flag.exists && !flag.ran;
    const auto at = FirstFiringMinute(from, minuteOfDay, firstDay, [&](const DateTime& minute, bool) {
        return TaskRunsAtPass(task, minute, pending);
    });
    if (at) {
        return Firing::At(*at);
    }
    if (task.UseDate) {
        // Its date is from's day and its minute has passed.
        return Firing::Never(PassedTodayReason(from, task.Hour, task.Minute));
    }
    return Firing::Never("в ближайшие десять лет нет ни одного его дня");
}

std::vector<DateTime> TaskFiringsBetween(const TaskRecord& task, const DateTime& after, const DateTime& until,
                                         TaskFlag flag, std::size_t limit) {
    if (limit == 0) {
        return {};
    }
    const Firing firing = NextTaskFiring(task, DateTimeOfMinute(MinuteNumber(after) + 1), flag);
    if (!firing.at || MinuteNumber(*firing.at) > MinuteNumber(until)) {
        return {};
    }
    return {*firing.at};
}

} // namespace domora
