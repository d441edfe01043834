#include "core/tasks/TaskStore.h"

#include <algorithm>
#include <utility>

namespace domora {
namespace {

TaskStoreResult Full() {
    return {TaskStoreResult::Status::Full, "Задание не добавлено: в файле уже " + std::to_string(kMaxTasks) +
                                               " заданий, больше в нём не помещается.\r\n"
                                               "Удалите ненужное задание или измените одно из имеющихся."};
}

} // namespace

TaskStore::TaskStore(FileStore& files, std::string path)
    : RecordStore(files, std::move(path), kTaskRecordSize, kMaxTasks) {}

TaskStoreResult TaskStore::missing() const {
    return {TaskStoreResult::Status::FileMissing, "Ошибка!\r\nФайл \"Data\\Zadan.dmr\" не найден"};
}

TaskStoreResult TaskStore::missingAt() const {
    return {TaskStoreResult::Status::FileMissing, "Ошибка!\r\nФайл " + path() + " не найден"};
}

TaskStoreResult TaskStore::noSuchTask(int n) const {
    return {TaskStoreResult::Status::NoSuchRecord, "Задания №" + std::to_string(n) + " нет."};
}

std::optional<RecordStore::Records> TaskStore::ReadRecords(TaskStoreResult* result) const {
    TaskStoreResult status;
    auto records = read(status, missing());
    if (result != nullptr) {
        *result = status;
    }
    return records;
}

TaskStoreResult TaskStore::CanAddTask() const {
    return room(Full(), missing());
}

TaskStoreResult TaskStore::AddTask(const TaskRecord& values) {
    return edit(missing(), [&](Records& records) {
        if (records.size() >= kMaxTasks) {
            return Full();
        }
        records.push_back(EncodeTask(values));
        return TaskStoreResult{};
    });
}

TaskStoreResult TaskStore::ChangeTask(int n, const TaskRecord& values) {
    return edit(missing(), [&](Records& records) {
        if (!holds(records, n)) {
            return noSuchTask(n);
        }
        records[static_cast<std::size_t>(n - 1)] = EncodeTask(values);
        return TaskStoreResult{};
    });
}

TaskStoreResult TaskStore::DeleteTask(int n) {
    return edit(missingAt(), [&](Records& records) {
        if (!holds(records, n)) {
            return noSuchTask(n);
        }
        records.erase(records.begin() + (n - 1));
        return TaskStoreResult{};
    });
}

TaskStoreResult TaskStore::ClearTasks() {
    return clear(missingAt());
}

TaskStoreResult TaskStore::DeactivateTask(int n) {
    return edit(missingAt(), [&](Records& records) {
        if (!holds(records, n)) {
            return noSuchTask(n);
        }
        // Only the switch's byte changes: what another program wrote in the fill bytes and
        // after the texts stays as it is.
        records[static_cast<std::size_t>(n - 1)][kTaskActiveOffset] = 0;
        return TaskStoreResult{};
    });
}

LoadedTask TaskStore::LoadTask(int n) const {
    LoadedTask loaded;
    const auto records = read(loaded.result, missingAt());
    if (!records) {
        return loaded;
    }
    if (records->empty()) {
        loaded.record = DecodeTask(RecordFile::Record(kTaskRecordSize, 0));
        return loaded;
    }
    const std::size_t index =
        std::clamp<std::size_t>(n < 1 ? 1 : static_cast<std::size_t>(n), 1, records->size());
    loaded.record = DecodeTask(records->at(index - 1));
    return loaded;
}

TaskCount TaskStore::CountTasks() const {
    TaskCount count;
    if (const auto records = read(count.result, missing())) {
        count.count = static_cast<int>(records->size());
    }
    return count;
}

TaskList TaskStore::ReadTasks() const {
    TaskList list;
    if (const auto records = read(list.result, missing())) {
        list.tasks.reserve(records->size());
        for (const auto& record : *records) {
            list.tasks.push_back(DecodeTask(record));
        }
    }
    return list;
}

} // namespace domora
