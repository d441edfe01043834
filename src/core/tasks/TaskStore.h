#pragma once

#include "core/base/FileStore.h"
#include "core/base/RecordStore.h"
#include "core/base/StoreResult.h"
#include "core/tasks/TaskRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace domora {

using TaskStoreResult = StoreResult;

struct LoadedTask {
    TaskStoreResult result;
    TaskRecord record;
};

struct TaskList {
    TaskStoreResult result;
    std::vector<TaskRecord> tasks;
};

struct TaskCount {
    TaskStoreResult result;
    int count = 0;
};

// The task file: tasks numbered from 1 in the order they were added, at most 50. Every
// operation reads the file anew; every change rewrites it whole and atomically (the old
// file or the new one survives a crash) and then tells the listeners.
class TaskStore : public RecordStore {
public:
    TaskStore(FileStore& files, std::string path);

    bool TaskFileExists() const { return fileExists(); }

    // Ok when AddTask would take one more task; otherwise its refusal (a full file) or the
    // missing file.
    TaskStoreResult CanAddTask() const;
    // Appends a task, its texts cut to their fields. Refused when the file holds 50 tasks.
    TaskStoreResult AddTask(const TaskRecord& values);
    // Replaces task n with all ten values.
    TaskStoreResult ChangeTask(int n, const TaskRecord& values);
    // Removes task n; the tasks after it move up by one.
    TaskStoreResult DeleteTask(int n);
    // Empties the file, creating it when it is missing.
    TaskStoreResult ClearTasks();
    // Switches task n off; every other byte of the file stays as it was.
    TaskStoreResult DeactivateTask(int n);

    // Task n for the editor: a number past the end gives the last task, 0 the first, and an
    // empty file a record of zeros.
    LoadedTask LoadTask(int n) const;
    TaskCount CountTasks() const;
    TaskList ReadTasks() const;
    // The file's whole records as they are stored, undecoded.
    std::optional<Records> ReadRecords(TaskStoreResult* result = nullptr) const;

private:
    // The file missing, as the list, the count, additions and changes report it.
    TaskStoreResult missing() const;
    // The same with the file's full path, as deletions and the editor's loading report it.
    TaskStoreResult missingAt() const;
    TaskStoreResult noSuchTask(int n) const;
};

} // namespace domora
