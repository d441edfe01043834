#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/alarms/AlarmStore.h"
#include "core/app/AppPaths.h"
#include "core/app/ProgramStarter.h"
#include "core/base/Clock.h"
#include "core/base/DateTime.h"
#include "core/base/MinuteGate.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

// Decides once a minute which alarms are due and fires them by starting the note program.
// Driven by the main window's minute beat (AlarmTick); it reads the time only from
// the clock and the alarms only through the store.
//
// A pass for minute H:M, in file order, for alarm n:
// - skipped when switched off;
// - due by time when its time is H:M, or when it has no time (-1:-1) and has not been
//   checked since start-up or since the last 00:00 pass (AlarmFired);
// - a dated alarm fires on its date; the others on their weekdays or by their rule, and
//   then count their repeats down (StepRepeat) unless they are "Безконечно";
// - AlarmFired[n] is set whether or not it fired.
// The 00:00 pass first clears AlarmFired and the holiday reminder's CelebReminded.
//
// The scheduler keeps its reading of the file between passes. It reads the file again
// after every change made through the store, at the first pass of every hour (which also
// catches a file replaced from outside the program) and whenever the file was missing.
class AlarmScheduler {
public:
    static constexpr std::string_view kNoteProgram = "Notebox.exe";

    AlarmScheduler(AlarmStore& store, const Clock& clock, MinuteGate& gate, SharedFlags& flags,
                   ProgramStarter& starter, AppPaths paths);

    // The timer's tick: nothing while the alarm file is missing (the gate is not asked
    // then); otherwise one pass for each minute the gate gives. A tick that arrives while a
    // pass is running (from a message box's loop) does nothing.
    void AlarmTick();
    // The minutes to make a pass for now.
    std::vector<DateTime> NewMinute();
    // One pass over the alarms for one minute (its date is "today").
    void RunPass(const DateTime& minute);
    // Starts the note program for alarm n; nothing waits for it.
    void FireAlarm(const AlarmRecord& record, int n);
    // The note program's command line for alarm n: flag ("1" text, "0" picture), the sound's
    // short path or "not", the text file's short path or "EMPTY" (or the picture's short
    // path), and the number.
    std::vector<std::string> NoteFields(const AlarmRecord& record, int n);

    // Told when the store could not count a repeat down (its result holds the message).
    std::function<void(const AlarmStoreResult&)> onStoreError;

private:
    // Brings the reading of the file up to date; false when the file cannot be read.
    bool refresh(const DateTime& minute);

    AlarmStore& store_;
    const Clock& clock_;
    MinuteGate& gate_;
    SharedFlags& flags_;
    ProgramStarter& starter_;
    AppPaths paths_;

    bool busy_ = false;
    bool haveReading_ = false;
    std::uint64_t readingRevision_ = 0;
    std::int64_t readingHour_ = 0;
    std::vector<RecordFile::Record> records_;
    std::vector<AlarmRecord> alarms_;
};

} // namespace domora
