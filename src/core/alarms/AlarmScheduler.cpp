#include "core/alarms/AlarmScheduler.h"

#include "core/alarms/AlarmFiring.h"
#include "core/alarms/AlarmViews.h"
#include "core/alarms/Recurrence.h"
#include "core/base/BusyScope.h"

#include <utility>

namespace domora {
namespace {

bool IsBlank(const std::string& text) {
    return TrimmedLower(text).empty();
}

} // namespace

AlarmScheduler::AlarmScheduler(AlarmStore& store, const Clock& clock, MinuteGate& gate, SharedFlags& flags,
                               ProgramStarter& starter, AppPaths paths)
    : store_(store), clock_(clock), gate_(gate), flags_(flags), starter_(starter), paths_(std::move(paths)) {}

void AlarmScheduler::AlarmTick() {
    if (busy_) {
        return;
    }
    if (!store_.AlarmFileExists()) {
        haveReading_ = false;
        return;
    }
    BusyScope busy(busy_);
    for (const DateTime& minute : NewMinute()) {
        RunPass(minute);
    }
}

std::vector<DateTime> AlarmScheduler::NewMinute() {
    return gate_.minutesToProcess(clock_);
}

bool AlarmScheduler::refresh(const DateTime& minute) {
    const std::int64_t hour = MinuteNumber(minute) / 60;
    if (haveReading_ && readingRevision_ == store_.revision() && readingHour_ == hour) {
        return true;
    }
    auto records = store_.ReadRecords();
    if (!records) {
        haveReading_ = false;
        return false;
    }
    if (!haveReading_ || *records != records_) {
        records_ = std::move(*records);
        alarms_.clear();
        alarms_.reserve(records_.size());
        for (const auto& record : records_) {
            alarms_.push_back(DecodeAlarm(record));
        }
    }
    haveReading_ = true;
    readingRevision_ = store_.revision();
    readingHour_ = hour;
    return true;
}

void AlarmScheduler::RunPass(const DateTime& minute) {
    if (!refresh(minute)) {
        return;
    }
    if (PassClearsDailyFlags(minute)) {
        flags_.CelebReminded.fill(0);
        flags_.AlarmFired.fill(0);
    }
    // Counting a repeat down rewrites the file, but the pass goes on with its own reading
    // (the store keeps the number and order of the records).
    for (std::size_t i = 0; i < alarms_.size(); ++i) {
        const AlarmRecord& alarm = alarms_[i];
        const int n = static_cast<int>(i + 1);
        // Only the first 100 alarms have a flag; a file written elsewhere may hold more.
        const bool hasFlag = i < flags_.AlarmFired.size();
        const AlarmPassAction action = AlarmAtPass(alarm, minute, hasFlag && flags_.AlarmFired[i] == 0);
        if (action == AlarmPassAction::Skip) {
            continue;
        }
        if (action == AlarmPassAction::Fire) {
            FireAlarm(alarm, n);
            if (AlarmCountsRepeats(alarm)) {
                const AlarmStoreResult stepped = store_.StepRepeat(n, -1);
                if (!stepped && onStoreError) {
                    onStoreError(stepped);
                }
            }
        }
        if (hasFlag) {
            flags_.AlarmFired[i] = 1;
        }
    }
}

std::vector<std::string> AlarmScheduler::NoteFields(const AlarmRecord& alarm, int n) {
    std::string sound;
    if (!alarm.NoSound) {
        // A later choice replaces an earlier one.
        if (alarm.BuiltinSound) {
            sound = MelodyFile(paths_, alarm.BuiltinName);
        }
        if (alarm.WavSound) {
            sound = alarm.WavFile;
        }
        if (alarm.Mp3Sound) {
            sound = alarm.Mp3File;
        }
    }
    if (!sound.empty()) {
        sound = starter_.shortPathOf(sound);
    }
    if (IsBlank(sound)) {
        sound = "not";
    }
    const std::string number = std::to_string(n);
    if (alarm.TextMessage) {
        const std::string message = IsBlank(alarm.TextFile) ? "EMPTY" : starter_.shortPathOf(alarm.TextFile);
        return {"1", sound, message, number};
    }
    const std::string picture =
        alarm.PictureFile.empty() ? std::string() : starter_.shortPathOf(alarm.PictureFile);
    return {"0", sound, picture, number};
}

void AlarmScheduler::FireAlarm(const AlarmRecord& alarm, int n) {
    // Whether the note program started is not examined.
    starter_.startProgram(std::string(kNoteProgram), NoteFields(alarm, n), paths_.AppDir);
}

} // namespace domora
