#include "core/alarms/AlarmStore.h"

#include "core/base/Text.h"
#include "core/base/TextField.h"

#include <algorithm>
#include <utility>

namespace domora {
namespace {

AlarmStoreResult Full() {
    return {AlarmStoreResult::Status::Full, "Будильник не добавлен: в файле уже " +
                                                std::to_string(kMaxAlarms) +
                                                " будильников, больше в нём не помещается.\r\n"
                                                "Удалите ненужный будильник или измените один из имеющихся."};
}

} // namespace

AlarmStore::AlarmStore(FileStore& files, std::string path, const Clock& clock)
    : RecordStore(files, std::move(path), kAlarmRecordSize, kMaxAlarms), clock_(clock) {}

AlarmStoreResult AlarmStore::missing() const {
    return {AlarmStoreResult::Status::FileMissing, "Ошибка!\r\nФайл " + path() + " не найден"};
}

AlarmStoreResult AlarmStore::noSuchAlarm(int n) const {
    return {AlarmStoreResult::Status::NoSuchRecord, "Будильника №" + std::to_string(n) + " нет."};
}

template <typename Change> AlarmStoreResult AlarmStore::editAlarm(int n, Change change) {
    return edit(missing(), [&](Records& records) {
        if (!holds(records, n)) {
            return noSuchAlarm(n);
        }
        return change(records[static_cast<std::size_t>(n - 1)]);
    });
}

std::optional<RecordStore::Records> AlarmStore::ReadRecords(AlarmStoreResult* result) const {
    AlarmStoreResult status;
    auto records = read(status, missing());
    if (result != nullptr) {
        *result = status;
    }
    return records;
}

AlarmStoreResult AlarmStore::CanAddAlarm() const {
    return room(Full(), missing());
}

AlarmStoreResult AlarmStore::AddAlarm(const AlarmRecord& values) {
    return edit(missing(), [&](Records& records) {
        if (records.size() >= kMaxAlarms) {
            return Full();
        }
        AlarmRecord record = values;
        record.Recurrence = FirstChars(record.Recurrence, kAddedRecurrenceChars);
        records.push_back(EncodeAlarm(record));
        return AlarmStoreResult{};
    });
}

AlarmStoreResult AlarmStore::ChangeAlarm(int n, const AlarmRecord& values) {
    return editAlarm(n, [&](RecordFile::Record& record) {
        record = EncodeAlarm(values);
        return AlarmStoreResult{};
    });
}

LoadedAlarm AlarmStore::LoadAlarm(int n) const {
    LoadedAlarm loaded;
    const auto records = read(loaded.result, missing());
    if (!records) {
        return loaded;
    }
    if (records->empty()) {
        loaded.record = DecodeAlarm(RecordFile::Record(kAlarmRecordSize, 0));
        return loaded;
    }
    const std::size_t index =
        std::clamp<std::size_t>(n < 1 ? 1 : static_cast<std::size_t>(n), 1, records->size());
    loaded.record = DecodeAlarm(records->at(index - 1));
    return loaded;
}

AlarmStoreResult AlarmStore::DeleteAlarm(int n) {
    return edit(missing(), [&](Records& records) {
        if (!holds(records, n)) {
            return noSuchAlarm(n);
        }
        records.erase(records.begin() + (n - 1));
        return AlarmStoreResult{};
    });
}

AlarmStoreResult AlarmStore::ClearAlarms() {
    return clear(missing());
}

AlarmStoreResult AlarmStore::ResetAlarm(int n) {
    return editAlarm(n, [&](RecordFile::Record& record) {
        record = EncodeAlarm(DefaultAlarm(clock_.localNow()));
        return AlarmStoreResult{};
    });
}

AlarmStoreResult AlarmStore::ResetAllAlarms() {
    return edit(missing(), [&](Records& records) {
        std::fill(records.begin(), records.end(), EncodeAlarm(DefaultAlarm(clock_.localNow())));
        return AlarmStoreResult{};
    });
}

AlarmStoreResult AlarmStore::StepRepeat(int n, int delta) {
    AlarmStoreResult result;
    auto records = read(result, missing());
    if (!records) {
        return result;
    }
    if (!holds(*records, n)) {
        return noSuchAlarm(n);
    }
    // Only the count or the switch changes: the alarm's other bytes (its texts, what another
    // program wrote in the fill bytes and after the texts) stay as they are.
    auto& bytes = records->at(static_cast<std::size_t>(n - 1));
    const RepeatStep step = StepOfRepeat(DecodeAlarm(bytes).Repeat, delta);
    switch (step.kind) {
    case RepeatStep::Kind::Unlimited:
        return {}; // no limit: nothing to count
    case RepeatStep::Kind::SwitchOff:
        // The last firing: the alarm switches itself off and keeps its count.
        bytes[kAlarmSwitchedOnOffset] = 0;
        break;
    case RepeatStep::Kind::Count:
        WriteTextField(bytes, kAlarmRepeatOffset, kRepeatChars, step.repeat);
        break;
    }
    return write(*records);
}

AlarmCount AlarmStore::CountAlarms() const {
    AlarmCount count;
    if (const auto records = read(count.result, missing())) {
        count.count = static_cast<int>(records->size());
    }
    return count;
}

AlarmList AlarmStore::ReadAlarms() const {
    AlarmList list;
    if (const auto records = read(list.result, missing())) {
        list.alarms.reserve(records->size());
        for (const auto& record : *records) {
            list.alarms.push_back(DecodeAlarm(record));
        }
    }
    return list;
}

} // namespace domora
