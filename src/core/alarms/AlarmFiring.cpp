#include "core/alarms/AlarmFiring.h"

#include "core/alarms/Recurrence.h"
#include "core/base/MinuteGate.h"
#include "core/base/OleDate.h"

#include <optional>
#include <string>

namespace domora {
namespace {

bool WithoutTime(const AlarmRecord& alarm) {
    return alarm.Hour == -1 && alarm.Minute == -1;
}

// Why the scheduler never fires the alarm from `from` on, as far as its fields tell.
std::optional<std::string> NeverReason(const AlarmRecord& alarm, const DateTime& from, AlarmFlag flag) {
    if (!alarm.SwitchedOn) {
        return std::string("будильник выключен");
    }
    if (auto reason = TimeNeverReason(alarm.Hour, alarm.Minute)) {
        return reason;
    }
    if (WithoutTime(alarm) && !flag.exists) {
        return "будильник без времени стоит в файле после " + std::to_string(kMaxAlarms) +
               "-го и не проверяется";
    }
    if (alarm.UseDate) {
        return DateNeverReason(alarm.AlarmDate, from);
    }
    if (UsesWeekdays(alarm.Recurrence)) {
        for (const bool day : alarm.Weekdays) {
            if (day) {
                return std::nullopt;
            }
        }
        return std::string("не выбран ни один день недели");
    }
    return ListNeverReason(alarm.Recurrence, kRecurrenceTexts, "повторение");
}

} // namespace

AlarmPassAction AlarmAtPass(const AlarmRecord& alarm, const DateTime& minute, bool untimedPending) {
    if (!alarm.SwitchedOn) {
        return AlarmPassAction::Skip;
    }
    const bool atThisMinute = alarm.Hour == minute.hour && alarm.Minute == minute.minute;
    if (!atThisMinute && !(WithoutTime(alarm) && untimedPending)) {
        return AlarmPassAction::Skip;
    }
    return AlarmIsForDay(alarm, minute) ? AlarmPassAction::Fire : AlarmPassAction::Check;
}

bool PassClearsDailyFlags(const DateTime& minute) {
    return minute.hour == 0 && minute.minute == 0;
}

bool AlarmCountsRepeats(const AlarmRecord& alarm) {
    return !alarm.UseDate && alarm.Repeat != kRepeatUnlimited;
}

AlarmRecord AlarmAfterFiring(const AlarmRecord& alarm) {
    AlarmRecord after = alarm;
    if (!AlarmCountsRepeats(alarm)) {
        return after;
    }
    const RepeatStep step = StepOfRepeat(alarm.Repeat, -1);
    if (step.kind == RepeatStep::Kind::SwitchOff) {
        after.SwitchedOn = false;
    } else if (step.kind == RepeatStep::Kind::Count) {
        after.Repeat = step.repeat;
    }
    return after;
}

AlarmFlag AlarmFlagAt(std::size_t index, std::span<const std::uint8_t> fired) {
    AlarmFlag flag;
    flag.exists = index < kMaxAlarms;
    flag.checked = flag.exists && index < fired.size() && fired[index] != 0;
    return flag;
}

std::optional<DateTime> EarliestAlarmFiring(std::span<const AlarmRecord> alarms, const DateTime& from,
                                            std::span<const std::uint8_t> fired) {
    std::optional<DateTime> earliest;
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const Firing firing = NextAlarmFiring(alarms[i], from, AlarmFlagAt(i, fired));
        if (firing.at && (!earliest || MinuteNumber(*firing.at) < MinuteNumber(*earliest))) {
            earliest = firing.at;
        }
    }
    return earliest;
}

std::string AlarmFiringLine(const AlarmRecord& alarm, const DateTime& now, AlarmFlag flag) {
    return FiringText(NextAlarmFiring(alarm, MinuteAfter(now), flag));
}

std::string NextAlarmLine(std::span<const AlarmRecord> alarms, const DateTime& now,
                          std::span<const std::uint8_t> fired) {
    const auto earliest = EarliestAlarmFiring(alarms, MinuteAfter(now), fired);
    return earliest ? "Будильник: " + FiringMinuteText(*earliest) : std::string();
}

std::optional<std::string> NeverFiringQuestion(const AlarmRecord& alarm, const DateTime& now,
                                               AlarmFlag flag) {
    if (!alarm.SwitchedOn) {
        return std::nullopt;
    }
    const Firing firing = NextAlarmFiring(alarm, MinuteAfter(now), flag);
    if (firing.at) {
        return std::nullopt;
    }
    return "Этот будильник не сработает никогда: " + firing.neverReason + ". Сохранить всё равно?";
}

Firing NextAlarmFiring(const AlarmRecord& alarm, const DateTime& from, AlarmFlag flag) {
    if (auto reason = NeverReason(alarm, from, flag)) {
        return Firing::Never(std::move(*reason));
    }
    const bool untimed = WithoutTime(alarm);
    const std::optional<int> minuteOfDay =
        untimed ? std::nullopt : std::optional<int>(alarm.Hour * 60 + alarm.Minute);
    // A dated alarm is for no other day than its date, which NeverReason found valid.
    const DateTime firstDay = alarm.UseDate ? OleToDateTime(alarm.AlarmDate) : from;
    const auto at = FirstFiringMinute(from, minuteOfDay, firstDay, [&](const DateTime& minute, bool isFrom) {
        // Past from's own minute every pass without a time on that day follows one that set
        // the flag; the next 00:00 pass clears it.
        const bool cleared = !isFrom || !flag.checked || PassClearsDailyFlags(minute);
        return AlarmAtPass(alarm, minute, flag.exists && cleared) == AlarmPassAction::Fire;
    });
    if (at) {
        return Firing::At(*at);
    }
    if (alarm.UseDate) {
        // Its date is from's day, and its minute has passed or it was checked.
        return Firing::Never(untimed ? "его день — сегодня, " + DateText(from) + ", и сегодня он уже проверен"
                                     : PassedTodayReason(from, alarm.Hour, alarm.Minute));
    }
    return Firing::Never("в ближайшие десять лет нет ни одного его дня");
}

std::vector<DateTime> AlarmFiringsBetween(AlarmRecord alarm, const DateTime& after, const DateTime& until,
                                          AlarmFlag flag, std::size_t limit) {
    std::vector<DateTime> firings;
    const std::int64_t last = MinuteNumber(until);
    std::int64_t next = MinuteNumber(after) + 1;
    while (firings.size() < limit && next <= last) {
        const Firing firing = NextAlarmFiring(alarm, DateTimeOfMinute(next), flag);
        if (!firing.at || MinuteNumber(*firing.at) > last) {
            break;
        }
        firings.push_back(*firing.at);
        alarm = AlarmAfterFiring(alarm);
        flag.checked = true;
        next = MinuteNumber(*firing.at) + 1;
    }
    return firings;
}

} // namespace domora
