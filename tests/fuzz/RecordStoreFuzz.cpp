// libFuzzer target: the alarm, holiday and task stores over files in memory. The input picks
// the store, gives the file's bytes (any bytes: records cut short, too many records, no file
// at all) and a few operations on it (additions, changes, deletions, resets, switching a
// task off, counting an alarm's repeats, clearing, reads), some of them with writes failing
// like a full disk.
//
// After each operation: a change that was written leaves a file of whole records that reads
// again, the records it did not touch byte for byte as they were, and a copy of a damaged
// file beside it; a change refused or not written leaves every file as it was.

#include "FuzzCheck.h"
#include "core/alarms/AlarmStore.h"
#include "core/holidays/HolidayStore.h"
#include "core/tasks/TaskStore.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace domora;
using fuzz::Require;
using Records = RecordStore::Records;

constexpr const char* kPath = "/app/Data/file.DMR";

// What a change may do to the records, as its description promises.
enum class Effect {
    None,        // a read: nothing is written
    Added,       // one record more, the others as they were
    Replaced,    // record n replaced, the others as they were
    Removed,     // record n gone, the others as they were
    Deactivated, // record n's switch byte 0, every other byte as it was
    Counted,     // record n's repeat text or switch changed, every other byte as it was
    Emptied,     // no records
    SameCount,   // as many records as before
};

struct Operation {
    StoreResult result;
    Effect effect = Effect::None;
    int n = 0;
    bool mayKeepFile = false; // ok without writing (an alarm without a repeat limit)
};

Records WholeRecords(const std::string& bytes, std::size_t size) {
    Records records;
    for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
        records.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                             bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    return records;
}

std::vector<std::uint8_t> RecordBytes(FuzzedDataProvider& in, std::size_t size) {
    std::vector<std::uint8_t> bytes =
        in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, size));
    bytes.resize(size, 0);
    return bytes;
}

double SomeDate(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return std::numeric_limits<double>::quiet_NaN();
    case 1:
        return in.ConsumeFloatingPoint<double>();
    default:
        return in.ConsumeIntegralInRange(-700000, 3000000) + in.ConsumeProbability<double>();
    }
}

int SomeNumber(FuzzedDataProvider& in, std::size_t count) {
    return in.ConsumeIntegralInRange<int>(-1, static_cast<int>(count) + 2);
}

Operation OnAlarms(AlarmStore& store, FuzzedDataProvider& in, std::size_t count) {
    const int n = SomeNumber(in, count);
    const auto values = [&] {
        AlarmRecord record = DecodeAlarm(RecordBytes(in, kAlarmRecordSize));
        if (in.ConsumeBool()) {
            record.Recurrence = in.ConsumeRandomLengthString(300);
        }
        return record;
    };
    switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0:
        return {store.AddAlarm(values()), Effect::Added};
    case 1:
        return {store.ChangeAlarm(n, values()), Effect::Replaced, n};
    case 2:
        return {store.ChangeAlarm(n, store.LoadAlarm(n).record), Effect::Replaced, n};
    case 3:
        return {store.DeleteAlarm(n), Effect::Removed, n};
    case 4:
        return {store.ResetAlarm(n), Effect::Replaced, n};
    case 5:
        return {store.ResetAllAlarms(), Effect::SameCount};
    case 6:
        return {store.StepRepeat(n, in.ConsumeIntegral<int>()), Effect::Counted, n, true};
    case 7:
        return {store.ClearAlarms(), Effect::Emptied};
    case 8: {
        const AlarmList list = store.ReadAlarms();
        Require(list.result.ok() == store.ReadRecords().has_value(), "the alarms read when the records do");
        return {store.CanAddAlarm()};
    }
    default:
        return {store.LoadAlarm(n).result};
    }
}

Operation OnHolidays(HolidayStore& store, FuzzedDataProvider& in, std::size_t count) {
    const int n = SomeNumber(in, count);
    const std::string event = in.ConsumeRandomLengthString(300);
    const std::string comment = in.ConsumeRandomLengthString(300);
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
        return {store.AddCeleb(event, comment, n, SomeDate(in)), Effect::Added};
    case 1:
        return {store.ChangeCeleb(n, event, comment, SomeDate(in)), Effect::Replaced, n};
    case 2:
        return {store.DeleteCeleb(n), Effect::Removed, n};
    case 3:
        return {store.ClearCelebs(), Effect::Emptied};
    default: {
        const HolidayList list = store.ReadCelebs();
        Require(!list.result.ok() || list.holidays.size() == count, "every whole holiday is read");
        return {store.CountCelebs().result};
    }
    }
}

Operation OnTasks(TaskStore& store, FuzzedDataProvider& in, std::size_t count) {
    const int n = SomeNumber(in, count);
    switch (in.ConsumeIntegralInRange(0, 6)) {
    case 0:
        return {store.AddTask(DecodeTask(RecordBytes(in, kTaskRecordSize))), Effect::Added};
    case 1:
        return {store.ChangeTask(n, DecodeTask(RecordBytes(in, kTaskRecordSize))), Effect::Replaced, n};
    case 2:
        return {store.ChangeTask(n, store.LoadTask(n).record), Effect::Replaced, n};
    case 3:
        return {store.DeleteTask(n), Effect::Removed, n};
    case 4:
        return {store.DeactivateTask(n), Effect::Deactivated, n};
    case 5:
        return {store.ClearTasks(), Effect::Emptied};
    default: {
        const TaskList list = store.ReadTasks();
        Require(!list.result.ok() || list.tasks.size() == count, "every whole task is read");
        return {store.CanAddTask()};
    }
    }
}

// Whether `after` is `before` with the bytes of record n changed only inside [from, to).
bool OnlyBytesOf(const Records& before, const Records& after, int n, std::size_t from, std::size_t to) {
    if (before.size() != after.size()) {
        return false;
    }
    for (std::size_t r = 0; r < before.size(); ++r) {
        for (std::size_t i = 0; i < before[r].size(); ++i) {
            const bool free = r == static_cast<std::size_t>(n - 1) && i >= from && i < to;
            if (!free && before[r][i] != after[r][i]) {
                return false;
            }
        }
    }
    return true;
}

void CheckEffect(const Operation& op, const Records& before, const Records& after, std::size_t size) {
    const auto at = static_cast<std::size_t>(op.n - 1);
    switch (op.effect) {
    case Effect::None:
        break;
    case Effect::Added: {
        Require(after.size() == before.size() + 1, "an addition adds one record");
        const auto where = std::mismatch(before.begin(), before.end(), after.begin()).second;
        Records without = after;
        without.erase(without.begin() + (where - after.begin()));
        Require(without == before, "an addition keeps the other records");
        break;
    }
    case Effect::Replaced:
        Require(OnlyBytesOf(before, after, op.n, 0, size), "a change keeps the other records");
        break;
    case Effect::Removed: {
        Records without = before;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(at));
        Require(after == without, "a deletion removes its record and keeps the others");
        break;
    }
    case Effect::Deactivated:
        Require(OnlyBytesOf(before, after, op.n, kTaskActiveOffset, kTaskActiveOffset + 1) &&
                    after[at][kTaskActiveOffset] == 0,
                "switching a task off changes its switch byte alone");
        break;
    case Effect::Counted:
        Require(OnlyBytesOf(before, after, op.n, kAlarmRepeatOffset, kAlarmRepeatOffset + kRepeatChars + 1) ||
                    OnlyBytesOf(before, after, op.n, kAlarmSwitchedOnOffset, kAlarmSwitchedOnOffset + 1),
                "counting repeats changes the count or the switch alone");
        break;
    case Effect::Emptied:
        Require(after.empty(), "clearing leaves no record");
        break;
    case Effect::SameCount:
        Require(after.size() == before.size(), "a reset of every record keeps their number");
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int kind = in.ConsumeIntegralInRange(0, 2);
    const bool fileThere = in.ConsumeIntegralInRange(0, 15) != 0;
    const int operations = in.ConsumeIntegralInRange(1, 6);
    const auto fileSize = in.ConsumeIntegralInRange<std::size_t>(0, in.remaining_bytes());

    MemoryFileStore files;
    if (fileThere) {
        files.put(kPath, in.ConsumeBytesAsString(fileSize));
    }
    FakeClock clock;
    AlarmStore alarms(files, kPath, clock);
    HolidayStore holidays(files, kPath);
    TaskStore tasks(files, kPath);
    RecordStore& store = kind == 0   ? static_cast<RecordStore&>(alarms)
                         : kind == 1 ? static_cast<RecordStore&>(holidays)
                                     : static_cast<RecordStore&>(tasks);
    const std::size_t recordSize = kind == 0   ? kAlarmRecordSize
                                   : kind == 1 ? kHolidayRecordSize
                                               : kTaskRecordSize;
    int heard = 0;
    store.addListener([&] { ++heard; });

    for (int i = 0; i < operations; ++i) {
        files.setWritesFail(in.ConsumeIntegralInRange(0, 7) == 0);
        const std::map<std::string, std::string> before = files.files();
        const auto old = before.find(kPath);
        const Records oldRecords = old == before.end() ? Records{} : WholeRecords(old->second, recordSize);
        const std::uint64_t revision = store.revision();

        const Operation op = kind == 0   ? OnAlarms(alarms, in, oldRecords.size())
                             : kind == 1 ? OnHolidays(holidays, in, oldRecords.size())
                                         : OnTasks(tasks, in, oldRecords.size());
        const bool written = store.revision() != revision;
        Require(heard == static_cast<int>(store.revision()), "the listeners hear every change written");
        Require(op.result.ok() || !op.result.message.empty(), "a failure says why");
        const std::string notice = store.takeNotice();
        if (!written) {
            Require(files.files() == before, "an operation that wrote nothing changed no file");
            Require(op.effect == Effect::None || !op.result.ok() || op.mayKeepFile,
                    "a change reported done was written");
            continue;
        }
        Require(op.result.ok() && op.effect != Effect::None, "only a change reported done writes");
        const std::string& now = files.files().at(kPath);
        Require(now.size() % recordSize == 0, "a file written holds whole records");
        CheckEffect(op, oldRecords, WholeRecords(now, recordSize), recordSize);
        if (old != before.end() && old->second.size() % recordSize != 0) {
            // The damaged file is kept beside it, byte for byte, under a new name.
            bool kept = false;
            for (const auto& [path, bytes] : files.files()) {
                kept = kept || (before.count(path) == 0 && bytes == old->second);
            }
            Require(kept && !notice.empty(), "a damaged file is copied aside before a rewrite");
        }
    }
    // What was saved loads again.
    if (kind == 0) {
        const AlarmList list = alarms.ReadAlarms();
        Require(list.result.ok() == files.exists(kPath), "the alarm file loads again");
    } else if (kind == 1) {
        Require(holidays.ReadCelebs().result.ok() == files.exists(kPath), "the holiday file loads again");
    } else {
        Require(tasks.ReadTasks().result.ok() == files.exists(kPath), "the task file loads again");
    }
    return 0;
}
