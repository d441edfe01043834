#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/base/Clock.h"
#include "core/base/FileStore.h"
#include "core/base/RecordStore.h"

#include <optional>
#include <string>
#include <vector>

namespace domora {

using AlarmStoreResult = StoreResult;

struct LoadedAlarm {
    AlarmStoreResult result;
    AlarmRecord record;
};

struct AlarmList {
    AlarmStoreResult result;
    std::vector<AlarmRecord> alarms;
};

struct AlarmCount {
    AlarmStoreResult result;
    int count = 0;
};

// The alarm file: alarms numbered from 1 in the order they were added, at most 100. Every
// operation reads the file anew; every change rewrites it whole and atomically (the old
// file or the new one survives a crash) and then tells the listeners.
class AlarmStore : public RecordStore {
public:
    // `clock` gives today's date to the records that reset writes.
    AlarmStore(FileStore& files, std::string path, const Clock& clock);

    bool AlarmFileExists() const { return fileExists(); }

    // Ok when AddAlarm would take one more alarm; otherwise its refusal (a full file) or the
    // missing file.
    AlarmStoreResult CanAddAlarm() const;
    // Appends an alarm; the recurrence text is cut to 28 characters, the other texts to their
    // fields. Refused when the file holds 100 alarms.
    AlarmStoreResult AddAlarm(const AlarmRecord& values);
    // Replaces alarm n (texts cut to their fields, the recurrence to 200 characters).
    AlarmStoreResult ChangeAlarm(int n, const AlarmRecord& values);
    // Alarm n for the editor: 0 means 1, a number past the end the last alarm, and an
    // empty file gives a record of zeros.
    LoadedAlarm LoadAlarm(int n) const;
    // Removes alarm n; the alarms after it move up by one.
    AlarmStoreResult DeleteAlarm(int n);
    // Empties the file, creating it when it is missing.
    AlarmStoreResult ClearAlarms();
    // Replaces alarm n / every alarm by DefaultAlarm of today, keeping the count.
    AlarmStoreResult ResetAlarm(int n);
    AlarmStoreResult ResetAllAlarms();
    // Counts alarm n's repeats: a count of 1 or less switches the alarm off and keeps the
    // text; a larger count becomes count + delta. A repeat text that is not a whole number
    // ("Безконечно" or anything typed) leaves the alarm as it is.
    AlarmStoreResult StepRepeat(int n, int delta);

    AlarmCount CountAlarms() const;
    AlarmList ReadAlarms() const;
    // The file's whole records as they are stored, undecoded.
    std::optional<Records> ReadRecords(AlarmStoreResult* result = nullptr) const;

private:
    AlarmStoreResult missing() const;
    AlarmStoreResult noSuchAlarm(int n) const;
    // Edits alarm n (refused when there is none).
    template <typename Change> AlarmStoreResult editAlarm(int n, Change change);

    const Clock& clock_;
};

} // namespace domora
