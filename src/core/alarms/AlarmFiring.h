#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/base/DateTime.h"
#include "core/base/Firing.h"

#include <cstddef>
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

// The first minute at or after `from` at which the scheduler fires the alarm, within ten
// years, or never and why. From's own minute counts: the answer is for a scheduler that has
// not made the pass for `from` yet (ask from the next minute once it has). `flag` is the
// flag as it stands before that pass; the default is the state at start-up.
Firing NextAlarmFiring(const AlarmRecord& alarm, const DateTime& from, AlarmFlag flag = {});

// The firings in (after, until], at most `limit`, with the repeats counted down and the flag
// set after each one as the scheduler does. `flag` is the flag before the pass for the minute
// after `after`.
std::vector<DateTime> AlarmFiringsBetween(AlarmRecord alarm, const DateTime& after, const DateTime& until,
                                          AlarmFlag flag, std::size_t limit);

} // namespace domora
