#include "core/tasks/TaskStore.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

constexpr const char* kPath = "/app/Data/Zadan.DMR";

// A custom task told apart by its file name "t<n>".
TaskRecord Task(int n) {
    TaskRecord r;
    r.Hour = 10;
    r.Minute = n;
    r.Period = "Ежедневно";
    r.Preset = "<Пользовательская>";
    r.FileName = "t" + std::to_string(n);
    r.Active = true;
    return r;
}

std::string FileOf(std::initializer_list<int> numbers) {
    std::string bytes;
    for (const int n : numbers) {
        const auto record = EncodeTask(Task(n));
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

struct TaskStoreTest : ::testing::Test {
    TaskStoreTest() {
        store.addListener([this] { ++refills; });
    }
    const std::string& file() const { return files.files().at(kPath); }

    MemoryFileStore files;
    TaskStore store{files, kPath};
    int refills = 0;
};

TEST_F(TaskStoreTest, EditsKeepTheOtherTasksAndTheirOrder) {
    files.put(kPath, FileOf({1, 2, 3}));
    ASSERT_TRUE(store.DeleteTask(1));
    EXPECT_EQ(file(), FileOf({2, 3}));
    ASSERT_TRUE(store.AddTask(Task(4)));
    ASSERT_TRUE(store.ChangeTask(2, Task(5)));
    EXPECT_EQ(file(), FileOf({2, 5, 4}));
    EXPECT_EQ(store.CountTasks().count, 3);
    EXPECT_EQ(store.LoadTask(0).record, Task(2));
    EXPECT_EQ(store.LoadTask(99).record, Task(4));

    // Switching task 2 of 3 off changes its Active byte and nothing else, even where another
    // program left bytes after a text.
    std::string dirty = FileOf({1, 2, 3});
    dirty[kTaskRecordSize + 100] = 'x';
    files.put(kPath, dirty);
    ASSERT_TRUE(store.DeactivateTask(2));
    std::string expected = dirty;
    expected[kTaskRecordSize + kTaskActiveOffset] = 0;
    EXPECT_EQ(file(), expected);
    EXPECT_FALSE(store.ReadTasks().tasks[1].Active);

    ASSERT_TRUE(store.ClearTasks());
    EXPECT_EQ(file(), "");
    EXPECT_EQ(store.LoadTask(1).record, DecodeTask(std::vector<std::uint8_t>(kTaskRecordSize, 0)));
    EXPECT_EQ(refills, 5);
}

TEST_F(TaskStoreTest, TheFiftyFirstTaskIsRefusedAndTheFileStaysAsItWas) {
    files.put(kPath, "");
    for (int n = 1; n <= 50; ++n) {
        ASSERT_TRUE(store.AddTask(Task(n))) << n;
    }
    const std::string full = file();
    EXPECT_EQ(store.CanAddTask().status, StoreResult::Status::Full);
    const TaskStoreResult refused = store.AddTask(Task(51));
    EXPECT_EQ(refused.status, StoreResult::Status::Full);
    EXPECT_EQ(refused.message, "Задание не добавлено: в файле уже 50 заданий, больше в нём не помещается.\r\n"
                               "Удалите ненужное задание или измените одно из имеющихся.");
    EXPECT_EQ(file(), full);
    EXPECT_EQ(refills, 50);
}

TEST_F(TaskStoreTest, RefusalsAndTheirMessages) {
    // The file missing: the list, the count, additions and changes name the file as the
    // program ships it; deletions, switching off and loading name its full path.
    const std::string shortName = "Ошибка!\r\nФайл \"Data\\Zadan.dmr\" не найден";
    const std::string fullPath = "Ошибка!\r\nФайл /app/Data/Zadan.DMR не найден";
    const std::vector<std::pair<TaskStoreResult, std::string>> missing = {
        {store.CountTasks().result, shortName}, {store.ReadTasks().result, shortName},
        {store.AddTask(Task(1)), shortName},    {store.ChangeTask(1, Task(1)), shortName},
        {store.DeleteTask(1), fullPath},        {store.DeactivateTask(1), fullPath},
        {store.LoadTask(1).result, fullPath},   {store.CanAddTask(), shortName},
    };
    for (const auto& [result, message] : missing) {
        EXPECT_EQ(result.status, StoreResult::Status::FileMissing);
        EXPECT_EQ(result.message, message);
    }
    EXPECT_FALSE(files.exists(kPath));

    files.put(kPath, FileOf({1, 2}));
    for (const TaskStoreResult& result :
         {store.ChangeTask(3, Task(9)), store.DeleteTask(0), store.DeactivateTask(3)}) {
        EXPECT_EQ(result.status, StoreResult::Status::NoSuchRecord);
        EXPECT_NE(result.message.find("нет."), std::string::npos) << result.message;
    }
    files.setWritesFail(true);
    EXPECT_EQ(store.AddTask(Task(3)).status, StoreResult::Status::IoError);
    EXPECT_EQ(file(), FileOf({1, 2}));
    EXPECT_EQ(refills, 0);
}

} // namespace
} // namespace domora
