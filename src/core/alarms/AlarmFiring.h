#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/base/DateTime.h"
#include "core/base/Firing.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace domora {

// What the pass for one minute does with one alarm. The scheduler acts on it and
// NextAlarmFiring looks ahead with it, so both go by the same rules.
enum class AlarmPassAction {
    Skip,  // not due: switched off, not its minute, or without a time and checked already
    Check, // due by time but not for the day: only its flag is set
    Fire,  // fires; then its repeats are counted down (AlarmCountsRepeats) and its flag set
};

// `untimedPending`: the alarm has a flag and the flag is clear (as the pass sees it, after
// a 00:00 pass cleared the flags).
AlarmPassAction AlarmAtPass(const AlarmRecord& alarm, const DateTime& minute, bool untimedPending);

// Whether the pass for `minute` first clears the daily flags (AlarmFired, CelebReminded).
bool PassClearsDailyFlags(const DateTime& minute);

// Whether a firing counts the alarm's repeats down in the file: not for a dated alarm, not
// for "Безконечно".
bool AlarmCountsRepeats(const AlarmRecord& alarm);

// The alarm as the file holds it after it fired (see AlarmStore::StepRepeat).
AlarmRecord AlarmAfterFiring(const AlarmRecord& alarm);

// The scheduler's flag of an alarm, besides its record.
struct AlarmFlag {
    // The alarm is among the first kMaxAlarms of its file and so has a flag.
    bool exists = true;
    // AlarmFired: an alarm without a time was checked since start-up or the last 00:00 pass.
    bool checked = false;
};

// The flag of the alarm at `index` (from 0) of its file, from the scheduler's AlarmFired;
// with the flags not at hand (`fired` empty), as it stands at start-up.
AlarmFlag AlarmFlagAt(std::size_t index, std::span<const std::uint8_t> fired = {});

// The first minute at or after `from` at which the scheduler fires the alarm, within ten
// years, or never and why. From's own minute counts: the answer is for a scheduler that has
// not made the pass for `from` yet (ask from the next minute once it has). `flag` is the
// flag as it stands before that pass; the default is the state at start-up.
Firing NextAlarmFiring(const AlarmRecord& alarm, const DateTime& from, AlarmFlag flag = {});

// The earliest firing of any of the alarms (in file order, with their flags from `fired` as
// AlarmFlagAt reads them) at or after `from`; nothing when none of them will fire.
std::optional<DateTime> EarliestAlarmFiring(std::span<const AlarmRecord> alarms, const DateTime& from,
                                            std::span<const std::uint8_t> fired);

// What the windows say of an alarm, from the minute after `now` (see MinuteAfter):
// - its next firing, FiringText ("Следующий раз: ...", "Не сработает никогда: ...");
std::string AlarmFiringLine(const AlarmRecord& alarm, const DateTime& now, AlarmFlag flag);
// - the tray tip's line of the earliest next alarm, "Будильник: вт 08.12.2026 07:30", empty
//   when none will fire;
std::string NextAlarmLine(std::span<const AlarmRecord> alarms, const DateTime& now,
                          std::span<const std::uint8_t> fired);
// - the question before saving an alarm that is switched on and yet never fires, with the
//   reason; nothing for one that fires, or that the user switched off on purpose.
std::optional<std::string> NeverFiringQuestion(const AlarmRecord& alarm, const DateTime& now, AlarmFlag flag);

// The firings in (after, until], at most `limit`, with the repeats counted down and the flag
// set after each one as the scheduler does. `flag` is the flag before the pass for the minute
// after `after`.
std::vector<DateTime> AlarmFiringsBetween(AlarmRecord alarm, const DateTime& after, const DateTime& until,
                                          AlarmFlag flag, std::size_t limit);

} // namespace domora
