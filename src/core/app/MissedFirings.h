#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/alarms/AlarmStore.h"
#include "core/app/Registry.h"
#include "core/app/Settings.h"
#include "core/base/Clock.h"
#include "core/base/DateTime.h"
#include "core/base/FileStore.h"
#include "core/tasks/TaskRecord.h"
#include "core/tasks/TaskStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace domora {

// The local minute of the program's last minute pass, "2026-12-08 07:30", under the main
// key. It is written on a minute pass at which something came due and on the first pass of
// a day, before the computer goes to sleep and when the program ends, so that the next start
// knows what it did not see.
inline constexpr char kLastPassName[] = "LastPass";

// The stored minute, or nothing when there is none or it is not a "ГГГГ-ММ-ДД чч:мм" text.
std::optional<DateTime> ReadLastPass(Registry& registry);
// Stores the minute; false when the store refused.
bool WriteLastPass(Registry& registry, const DateTime& minute);
std::string LastPassText(const DateTime& minute);

// A gap is looked at for at most the last seven days.
inline constexpr int kMissedDays = 7;

struct MissedFiring {
    enum class Kind { Alarm, Task };
    Kind kind = Kind::Alarm;
    int number = 0; // in its file, from 1
    DateTime at;
    // The alarm's message (the first line of its text, its picture) and melody; the task's
    // program with its parameters, or its service action.
    std::string what;
    // A task's record as it was listed: it is performed only while the file still holds it.
    TaskRecord task;
};

struct MissedList {
    bool afterSleep = false;           // the gap was a sleep, not the program being off
    bool cut = false;                  // the gap was longer than kMissedDays; only its end was looked at
    std::vector<MissedFiring> firings; // in the order of time, alarms before tasks
};

// What the schedulers would have done in the minutes after `lastPass` up to and not
// including `now`'s minute (the pass for `now` is made as usual), looking back at most
// kMissedDays. The records are not changed: repeats are counted down and flags set only in
// the reckoning. A record without a time is left out on now's day at start-up, for the
// start-up pass gives it; a task without a time is not missed (it runs once per run, and
// the run before the gap made it). After a sleep shorter than the minute gate's hour nothing
// is missed: the gate gives those minutes late. `files` reads the alarms' typed texts.
MissedList MissedBetween(const std::vector<AlarmRecord>& alarms, const std::vector<TaskRecord>& tasks,
                         const DateTime& lastPass, const DateTime& now, bool afterSleep, FileStore& files);

// "Пока компьютер был выключен, пропущено:" or the sleep's heading, with the cut said.
std::string MissedHeading(const MissedList& list);
// "будильник 07:30 вт 08.12.2026 — Подъём, Bip-Bip"
std::string MissedLine(const MissedFiring& firing);

// Keeps the last pass in the settings store and tells, at start-up and after a sleep, what
// was missed. Driven by the main window: start() before the schedulers' first pass,
// pass() on every minute beat, suspending() and resumed() from the system's sleep watch,
// quitting() when the program ends. It never writes the alarm or the task file.
class MissedWatch {
public:
    MissedWatch(Registry& registry, const Clock& clock, AlarmStore& alarms, TaskStore& tasks,
                FileStore& files);

    // What was missed since the stored last pass; nothing when there is no stored pass (the
    // first run) or nothing was due. Stores the current minute.
    std::optional<MissedList> start();
    // Stores the current minute when something came due since the stored one or a day
    // began. The minute the sleep began at is kept apart, so a beat that comes before the
    // resume is heard loses nothing.
    void pass();
    void suspending();
    // What was missed since suspending() (or the last pass when the going to sleep was not
    // heard); nothing when nothing was due. Stores the current minute.
    std::optional<MissedList> resumed();
    void quitting();

private:
    DateTime minuteNow() const;
    void store(const DateTime& minute);
    std::optional<MissedList> missedSince(const DateTime& last, bool afterSleep);
    // Whether an alarm or a task of the files comes due in (after, through].
    bool dueSince(const DateTime& after, const DateTime& through);

    Registry& registry_;
    const Clock& clock_;
    AlarmStore& alarms_;
    TaskStore& tasks_;
    FileStore& files_;
    std::optional<DateTime> stored_;    // the minute last stored
    std::optional<DateTime> lastPass_;  // the minute of the last beat
    std::optional<DateTime> sleptFrom_; // set by suspending()
};

} // namespace domora
