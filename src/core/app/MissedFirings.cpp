#include "core/app/MissedFirings.h"

#include "core/alarms/AlarmFiring.h"
#include "core/base/Firing.h"
#include "core/base/MinuteGate.h"
#include "core/base/Paths.h"
#include "core/base/Text.h"
#include "core/tasks/TaskFiring.h"
#include "core/tasks/TaskPresets.h"

#include <algorithm>
#include <cstdio>

namespace domora {
namespace {

constexpr std::size_t kWhatChars = 60;
// At most one firing a day of a record with a time; a few more leave room.
constexpr std::size_t kPerRecordLimit = 2 * (kMissedDays + 1);

std::string Two(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string AlarmWhat(const AlarmRecord& alarm, FileStore& files) {
    std::string message;
    if (alarm.TextMessage) {
        if (!TrimmedLower(alarm.TextFile).empty()) {
            const auto bytes = files.readAll(alarm.TextFile);
            if (bytes) {
                const std::string text = DecodeNoteText(*bytes);
                message = std::string(TrimBlanks(text.substr(0, text.find('\n'))));
            } else {
                message = "текст не найден (" + FileNameOf(alarm.TextFile) + ")";
            }
        }
        message = message.empty() ? "без текста" : FirstChars(message, kWhatChars);
    } else {
        message = alarm.PictureFile.empty() ? "без картинки" : "картинка " + FileNameOf(alarm.PictureFile);
    }
    std::string melody;
    if (!alarm.NoSound) {
        // A later choice replaces an earlier one, as when the alarm fires.
        if (alarm.BuiltinSound) {
            melody = alarm.BuiltinName;
        }
        if (alarm.WavSound) {
            melody = FileNameOf(alarm.WavFile);
        }
        if (alarm.Mp3Sound) {
            melody = FileNameOf(alarm.Mp3File);
        }
    }
    return melody.empty() ? message : message + ", " + melody;
}

std::string TaskWhat(const TaskRecord& task) {
    const auto preset = PresetOfStored(task.Preset);
    if (preset && *preset == TaskPreset::Custom) {
        const std::string params(TrimBlanks(task.Params));
        return FirstChars(task.FileName + (params.empty() ? "" : " " + params), kWhatChars);
    }
    return task.Preset;
}

} // namespace

std::string LastPassText(const DateTime& minute) {
    return std::to_string(minute.year) + "-" + Two(minute.month) + "-" + Two(minute.day) + " " +
           Two(minute.hour) + ":" + Two(minute.minute);
}

std::optional<DateTime> ReadLastPass(Registry& registry) {
    try {
        auto key = registry.openKey(RegHive::CurrentUser, kMainKey, false);
        if (!key || !key->valueExists(kLastPassName)) {
            return std::nullopt;
        }
        const std::string text = key->readString(kLastPassName);
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        char end = 0;
        if (text.size() != 16 || std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &year, &month, &day,
                                             &hour, &minute, &end) != 5) {
            return std::nullopt;
        }
        DateTime dt{year, month, day, 1, hour, minute, 0, 0};
        // Normalised and given its weekday; a field out of its range is no minute.
        const DateTime back = DateTimeOfMinute(MinuteNumber(dt));
        if (back.year != year || back.month != month || back.day != day || back.hour != hour ||
            back.minute != minute) {
            return std::nullopt;
        }
        return back;
    } catch (const RegistryError&) {
        return std::nullopt;
    }
}

bool WriteLastPass(Registry& registry, const DateTime& minute) {
    try {
        auto key = registry.openKey(RegHive::CurrentUser, kMainKey, true);
        if (!key) {
            return false;
        }
        key->writeString(kLastPassName, LastPassText(minute));
        key->close();
        return true;
    } catch (const RegistryError&) {
        return false;
    }
}

MissedList MissedBetween(const std::vector<AlarmRecord>& alarms, const std::vector<TaskRecord>& tasks,
                         const DateTime& lastPass, const DateTime& now, bool afterSleep, FileStore& files) {
    MissedList list;
    list.afterSleep = afterSleep;
    const std::int64_t last = MinuteNumber(lastPass);
    const std::int64_t until = MinuteNumber(now) - 1;
    // After a short sleep the minute gate gives the skipped minutes late: nothing is lost.
    if (until <= last || (afterSleep && until - last < MinuteGate::kMaxJumpMinutes)) {
        return list;
    }
    const std::int64_t earliest = until - std::int64_t{kMissedDays} * 1440;
    list.cut = last < earliest;
    const DateTime after = DateTimeOfMinute(std::max(last, earliest));
    const DateTime untilMinute = DateTimeOfMinute(until);
    const std::int64_t today = MinuteNumber(now) / 1440;

    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const AlarmRecord& alarm = alarms[i];
        const bool untimed = alarm.Hour == -1 && alarm.Minute == -1;
        const AlarmFlag flag{i < kMaxAlarms, true};
        for (const DateTime& at : AlarmFiringsBetween(alarm, after, untilMinute, flag, kPerRecordLimit)) {
            if (untimed && !afterSleep && MinuteNumber(at) / 1440 == today) {
                continue;
            }
            list.firings.push_back(
                {MissedFiring::Kind::Alarm, static_cast<int>(i + 1), at, AlarmWhat(alarm, files), {}});
        }
    }
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const TaskFlag flag{i < kMaxTasks, true};
        for (const DateTime& at : TaskFiringsBetween(tasks[i], after, untilMinute, flag, kPerRecordLimit)) {
            list.firings.push_back(
                {MissedFiring::Kind::Task, static_cast<int>(i + 1), at, TaskWhat(tasks[i]), tasks[i]});
        }
    }
    std::stable_sort(
        list.firings.begin(), list.firings.end(),
        [](const MissedFiring& a, const MissedFiring& b) { return MinuteNumber(a.at) < MinuteNumber(b.at); });
    return list;
}

std::string MissedHeading(const MissedList& list) {
    std::string heading = list.afterSleep ? "Пока компьютер был в спящем режиме, пропущено:"
                                          : "Пока компьютер был выключен, пропущено:";
    if (list.cut) {
        heading += "\n(перерыв длиннее " + std::to_string(kMissedDays) + " дней, показаны последние " +
                   std::to_string(kMissedDays) + " дней)";
    }
    return heading;
}

std::string MissedLine(const MissedFiring& firing) {
    const std::string when = FiringMinuteText(firing.at); // "вт 08.12.2026 07:30"
    const std::string time = when.substr(when.size() - 5);
    const std::string day = when.substr(0, when.size() - 6);
    return std::string(firing.kind == MissedFiring::Kind::Alarm ? "будильник " : "задание ") + time + " " +
           day + " — " + firing.what;
}

MissedWatch::MissedWatch(Registry& registry, const Clock& clock, AlarmStore& alarms, TaskStore& tasks,
                         FileStore& files)
    : registry_(registry), clock_(clock), alarms_(alarms), tasks_(tasks), files_(files) {}

DateTime MissedWatch::minuteNow() const {
    return DateTimeOfMinute(MinuteNumber(clock_.localNow()));
}

void MissedWatch::store(const DateTime& minute) {
    lastPass_ = minute;
    if (stored_ && *stored_ == minute) {
        return;
    }
    // A refused write is tried again at the next beat.
    if (WriteLastPass(registry_, minute)) {
        stored_ = minute;
    }
}

std::optional<MissedList> MissedWatch::missedSince(const DateTime& last, bool afterSleep) {
    const DateTime now = minuteNow();
    const AlarmList alarms = alarms_.ReadAlarms();
    const TaskList tasks = tasks_.ReadTasks();
    MissedList list = MissedBetween(alarms.alarms, tasks.tasks, last, now, afterSleep, files_);
    store(now);
    if (list.firings.empty()) {
        return std::nullopt;
    }
    return list;
}

std::optional<MissedList> MissedWatch::start() {
    const std::optional<DateTime> last = ReadLastPass(registry_);
    stored_ = last;
    if (!last) {
        store(minuteNow());
        return std::nullopt;
    }
    return missedSince(*last, false);
}

// The stored minute is moved on only when the next start would otherwise count something
// as missed that was not: on a minute at which something came due since the stored one (an
// alarm, a task, or a record changed into the past since), and at the first pass of a day
// (which gives the alarms without a time). In between it stays behind, and the next start
// looks from it over minutes in which nothing was due. That is a write of the settings file
// a day and one a firing, not one a minute.
void MissedWatch::pass() {
    const DateTime now = minuteNow();
    lastPass_ = now;
    if (!stored_ || MinuteNumber(*stored_) / 1440 != MinuteNumber(now) / 1440 || dueSince(*stored_, now)) {
        store(now);
    }
}

bool MissedWatch::dueSince(const DateTime& after, const DateTime& through) {
    const std::int64_t from =
        std::max(MinuteNumber(after), MinuteNumber(through) - 1440 * std::int64_t{kMissedDays});
    if (from >= MinuteNumber(through)) {
        return false;
    }
    const DateTime start = DateTimeOfMinute(from);
    const AlarmList alarms = alarms_.ReadAlarms();
    for (std::size_t i = 0; i < alarms.alarms.size(); ++i) {
        if (!AlarmFiringsBetween(alarms.alarms[i], start, through, AlarmFlag{i < kMaxAlarms, true}, 1)
                 .empty()) {
            return true;
        }
    }
    const TaskList tasks = tasks_.ReadTasks();
    for (std::size_t i = 0; i < tasks.tasks.size(); ++i) {
        if (!TaskFiringsBetween(tasks.tasks[i], start, through, TaskFlag{i < kMaxTasks, true}, 1).empty()) {
            return true;
        }
    }
    return false;
}

void MissedWatch::suspending() {
    const DateTime now = minuteNow();
    if (!sleptFrom_) {
        sleptFrom_ = now;
    }
    store(now);
}

std::optional<MissedList> MissedWatch::resumed() {
    std::optional<DateTime> from = sleptFrom_ ? sleptFrom_ : lastPass_;
    sleptFrom_.reset();
    if (!from) {
        return std::nullopt;
    }
    return missedSince(*from, true);
}

void MissedWatch::quitting() {
    store(minuteNow());
}

} // namespace domora
