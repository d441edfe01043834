#include "core/alarms/AlarmStore.h"

#include "core/base/Cp1251.h"
#include "core/base/NumberText.h"

#include <algorithm>
#include <utility>

namespace domora {
namespace {

using Records = std::vector<RecordFile::Record>;

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& text, std::size_t count) {
    const std::u32string chars = DecodeUtf8Lossy(text);
    if (chars.size() <= count) {
        return text;
    }
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        AppendUtf8(out, chars[i]);
    }
    return out;
}

AlarmStoreResult Ok() {
    return {};
}

} // namespace

AlarmStore::AlarmStore(FileStore& files, std::string path, const Clock& clock)
    : files_(files), file_(files, std::move(path), kBudilRecordSize, kMaxAlarms), clock_(clock) {}

bool AlarmStore::AlarmFileExists() const {
    return files_.exists(path());
}

AlarmStoreResult AlarmStore::missing() const {
    return {AlarmStoreResult::Status::FileMissing, "Ошибка!\r\nФайл " + path() + " не найден"};
}

AlarmStoreResult AlarmStore::noSuchAlarm(int n) const {
    return {AlarmStoreResult::Status::NoSuchRecord, "Будильника №" + std::to_string(n) + " нет."};
}

std::optional<Records> AlarmStore::readRecords(AlarmStoreResult& result) const {
    auto records = file_.readAll();
    if (!records) {
        result = missing();
    }
    return records;
}

std::optional<Records> AlarmStore::ReadRecords(AlarmStoreResult* result) const {
    AlarmStoreResult status;
    auto records = readRecords(status);
    if (result != nullptr) {
        *result = status;
    }
    return records;
}

AlarmStoreResult AlarmStore::write(const Records& records) {
    RecordFileError error;
    if (!file_.rewrite(records, &error)) {
        return {AlarmStoreResult::Status::IoError, error.message};
    }
    ++revision_;
    if (onListChanged) {
        onListChanged();
    }
    return Ok();
}

template <typename Change> AlarmStoreResult AlarmStore::edit(Change change) {
    AlarmStoreResult result;
    auto records = readRecords(result);
    if (!records) {
        return result;
    }
    result = change(*records);
    if (!result) {
        return result;
    }
    return write(*records);
}

AlarmStoreResult AlarmStore::AddAlarm(const BudilRecord& values) {
    return edit([&](Records& records) {
        if (records.size() >= kMaxAlarms) {
            return AlarmStoreResult{AlarmStoreResult::Status::Full,
                                    "Будильник не добавлен: в файле уже " + std::to_string(kMaxAlarms) +
                                        " будильников, больше в нём не помещается.\r\n"
                                        "Удалите ненужный будильник или измените один из имеющихся."};
        }
        BudilRecord record = values;
        record.Recurrence = FirstChars(record.Recurrence, kAddedRecurrenceChars);
        records.push_back(EncodeBudil(record));
        return Ok();
    });
}

AlarmStoreResult AlarmStore::ChangeAlarm(int n, const BudilRecord& values) {
    return edit([&](Records& records) {
        if (n < 1 || static_cast<std::size_t>(n) > records.size()) {
            return noSuchAlarm(n);
        }
        records[static_cast<std::size_t>(n - 1)] = EncodeBudil(values);
        return Ok();
    });
}

LoadedAlarm AlarmStore::LoadAlarm(int n) const {
    LoadedAlarm loaded;
    const auto records = readRecords(loaded.result);
    if (!records) {
        return loaded;
    }
    if (records->empty()) {
        loaded.record = DecodeBudil(RecordFile::Record(kBudilRecordSize, 0));
        return loaded;
    }
    const std::size_t index =
        std::clamp<std::size_t>(n < 1 ? 1 : static_cast<std::size_t>(n), 1, records->size());
    loaded.record = DecodeBudil(records->at(index - 1));
    return loaded;
}

AlarmStoreResult AlarmStore::DeleteAlarm(int n) {
    return edit([&](Records& records) {
        if (n < 1 || static_cast<std::size_t>(n) > records.size()) {
            return noSuchAlarm(n);
        }
        records.erase(records.begin() + (n - 1));
        return Ok();
    });
}

AlarmStoreResult AlarmStore::ClearAlarms() {
    if (!write({})) {
        return missing();
    }
    return Ok();
}

AlarmStoreResult AlarmStore::ResetAlarm(int n) {
    return edit([&](Records& records) {
        if (n < 1 || static_cast<std::size_t>(n) > records.size()) {
            return noSuchAlarm(n);
        }
        records[static_cast<std::size_t>(n - 1)] = EncodeBudil(DefaultAlarm(clock_.localNow()));
        return Ok();
    });
}

AlarmStoreResult AlarmStore::ResetAllAlarms() {
    return edit([&](Records& records) {
        std::fill(records.begin(), records.end(), EncodeBudil(DefaultAlarm(clock_.localNow())));
        return Ok();
    });
}

AlarmStoreResult AlarmStore::StepRepeat(int n, int delta) {
    AlarmStoreResult result;
    auto records = readRecords(result);
    if (!records) {
        return result;
    }
    if (n < 1 || static_cast<std::size_t>(n) > records->size()) {
        return noSuchAlarm(n);
    }
    auto& bytes = records->at(static_cast<std::size_t>(n - 1));
    BudilRecord record = DecodeBudil(bytes);
    const auto count = ParseInt32(record.Repeat);
    if (!count) {
        return Ok(); // no limit: nothing to count
    }
    if (*count <= 1) {
        // The last firing: the alarm switches itself off and keeps its count.
        record.SwitchedOn = false;
    } else {
        record.Repeat = std::to_string(static_cast<std::int64_t>(*count) + delta);
    }
    bytes = EncodeBudil(record);
    return write(*records);
}

AlarmCount AlarmStore::CountAlarms() const {
    AlarmCount count;
    if (const auto records = readRecords(count.result)) {
        count.count = static_cast<int>(records->size());
    }
    return count;
}

AlarmList AlarmStore::ReadAlarms() const {
    AlarmList list;
    if (const auto records = readRecords(list.result)) {
        list.alarms.reserve(records->size());
        for (const auto& record : *records) {
            list.alarms.push_back(DecodeBudil(record));
        }
    }
    return list;
}

} // namespace domora
