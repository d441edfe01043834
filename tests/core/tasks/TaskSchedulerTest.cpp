#include "core/tasks/TaskScheduler.h"
#include "core/base/OleDate.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/RecordingTaskRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

namespace domora {
namespace {

constexpr const char* kPath = "/app/Data/Zadan.DMR";

// A custom task whose program is "t<n>".
TaskRecord Task(int n, int hour, int minute, const std::string& period) {
    TaskRecord r;
    r.Hour = hour;
    r.Minute = minute;
    r.Period = period;
    r.Preset = "<Пользовательская>";
    r.FileName = "t" + std::to_string(n);
    r.Active = true;
    return r;
}

std::string FileOf(const std::vector<TaskRecord>& tasks) {
    std::string bytes;
    for (const auto& task : tasks) {
        const auto record = EncodeTask(task);
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

std::string DayText(const DateTime& dt) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", dt.year, dt.month, dt.day);
    return buffer;
}

struct TaskSchedulerTest : ::testing::Test {
    MemoryFileStore files;
    FakeClock clock;
    RecordingTaskRunner runner{clock};
    std::uint8_t firstPassPending = 1;
    MinuteGate gate{firstPassPending};
    TaskStore store{files, kPath};
    TaskScheduler scheduler{store, clock, gate, runner};
};

// From 31 December 2027 (a Friday) through 2028: the days as "YYYY-MM-DD" with their
// weekday, 0 Saturday, 1 Sunday, 2 Monday ... 6 Friday, from a calendar.
std::vector<std::pair<std::string, int>> Days() {
    std::vector<std::pair<std::string, int>> days = {{"2027-12-31", 6}};
    const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int index = 0; // 1 January 2028 is a Saturday
    for (int m = 0; m < 12; ++m) {
        for (int d = 1; d <= lengths[m]; ++d) {
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "2028-%02d-%02d", m + 1, d);
            days.emplace_back(buffer, index++ % 7);
        }
    }
    return days;
}

// Central European time: UTC+1, UTC+2 from 26 March 2028 01:00 UTC to 29 October 2028
// 01:00 UTC.
int BerlinOffset(std::int64_t utcMinute) {
    const std::int64_t summer = MinuteNumber(DateTime{2028, 3, 26, 1, 1, 0});
    const std::int64_t winter = MinuteNumber(DateTime{2028, 10, 29, 1, 1, 0});
    return utcMinute >= summer && utcMinute < winter ? 120 : 60;
}

TEST_F(TaskSchedulerTest, AYearOfMinutePassesInAEuropeanZone) {
    const auto days = Days();
    const auto daysWhere = [&](auto keep) {
        std::set<std::string> out;
        for (const auto& [date, weekday] : days) {
            if (keep(weekday, date)) {
                out.insert(date);
            }
        }
        return out;
    };
    const auto from2028 = [](const std::string& date) { return date.starts_with("2028"); };
    std::vector<TaskRecord> tasks;
    std::vector<std::set<std::string>> expected;
    const auto add = [&](int hour, int minute, const std::string& period, std::set<std::string> dates) {
        tasks.push_back(Task(static_cast<int>(tasks.size()) + 1, hour, minute, period));
        expected.push_back(std::move(dates));
    };
    // Three at 06:00, the first minute of the day's clock reading in which several are due.
    add(6, 0, "Ежедневно", daysWhere([&](int, const std::string& d) { return from2028(d); }));
    add(6, 0, "По выходным", daysWhere([&](int w, const std::string& d) { return w < 2 && from2028(d); }));
    add(6, 0, "По будням", daysWhere([&](int w, const std::string& d) { return w >= 2 && from2028(d); }));
    // The weekdays at 02:30, in the hour that the spring change leaves out and the autumn
    // change repeats (both on Sundays): each is reached first on another day and waits.
    const char* weekdays[] = {"Понедельник", "Вторник", "Среда",      "Четверг",
                              "Пятница",     "Суббота", "Воскресенье"};
    for (int i = 0; i < 7; ++i) {
        const int weekday = (i + 2) % 7;
        add(2, 30, weekdays[i],
            daysWhere([&](int w, const std::string& d) { return w == weekday && from2028(d); }));
    }
    add(0, 0, "Первый день месяца", daysWhere([&](int, const std::string& d) { return d.ends_with("-01"); }));
    add(23, 59, "Последний день месяца",
        {"2027-12-31", "2028-01-31", "2028-02-29", "2028-03-31", "2028-04-30", "2028-05-31", "2028-06-30",
         "2028-07-31", "2028-08-31", "2028-09-30", "2028-10-31", "2028-11-30", "2028-12-31"});
    // A dated task (its period plays no part) is reached every day at its minute and waits.
    TaskRecord dated = Task(13, 12, 0, "Понедельник");
    dated.UseDate = true;
    dated.TaskDate = OleDateOnly(2028, 2, 29) + 0.75;
    tasks.push_back(dated);
    expected.push_back({"2028-02-29"});
    // Without a time: once in this run, on the first day its rule holds.
    add(-1, -1, "По выходным", {"2028-01-01"});
    add(7, 0, "Ежедневно", {});
    tasks.back().Active = false;
    const std::string original = FileOf(tasks);
    files.put(kPath, original);

    // Every rewrite of the scheduler switches one task off that has just run and changes no
    // other byte; the test then switches it on again, as the user would.
    std::string before = original;
    std::vector<std::size_t> switchedOff;
    store.addListener([&] {
        const std::string& after = files.files().at(kPath);
        ASSERT_EQ(after.size(), before.size());
        std::size_t changed = 0;
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (after[i] != before[i]) {
                ASSERT_EQ(i % kTaskRecordSize, kTaskActiveOffset);
                ASSERT_EQ(after[i], 0);
                switchedOff.push_back(i / kTaskRecordSize);
                ++changed;
            }
        }
        ASSERT_EQ(changed, 1U);
        before = after;
    });

    std::map<std::size_t, std::vector<std::string>> ran;
    const std::int64_t end = MinuteNumber(DateTime{2029, 1, 1, 0, 0, 0});
    for (std::int64_t utc = MinuteNumber(DateTime{2027, 12, 31, 0, 9, 17});; ++utc) {
        const int offset = BerlinOffset(utc);
        if (utc + offset >= end) {
            break;
        }
        clock.setLocal(DateTimeOfMinute(utc + offset), offset);
        const std::size_t runsBefore = runner.runs.size();
        scheduler.TaskTick();
        if (runner.runs.size() == runsBefore) {
            ASSERT_TRUE(switchedOff.empty());
            continue;
        }
        // Tasks due in one minute run in file order in one pass.
        std::vector<std::size_t> order;
        for (std::size_t r = runsBefore; r < runner.runs.size(); ++r) {
            const std::size_t n = std::stoul(runner.runs[r].fileName.substr(1));
            ASSERT_TRUE(order.empty() || order.back() < n) << DayText(clock.localNow());
            order.push_back(n);
            ran[n].push_back(DayText(runner.runs[r].at));
            if (tasks[n - 1].hasTime()) {
                ASSERT_NE(std::find(switchedOff.begin(), switchedOff.end(), n - 1), switchedOff.end());
            }
        }
        ASSERT_EQ(switchedOff.size(),
                  static_cast<std::size_t>(std::count_if(
                      order.begin(), order.end(), [&](std::size_t n) { return tasks[n - 1].hasTime(); })));
        switchedOff.clear();
        files.put(kPath, original);
        before = original;
    }
    for (std::size_t n = 1; n <= tasks.size(); ++n) {
        const auto& dates = ran[n];
        EXPECT_EQ(std::set<std::string>(dates.begin(), dates.end()), expected[n - 1])
            << "task " << n << " " << tasks[n - 1].Period;
        EXPECT_EQ(dates.size(), expected[n - 1].size()) << "task " << n << " ran twice on a day";
    }
    // Across the changes of daylight saving time: the Sunday task of the left-out hour runs
    // when the clock jumps to 03:00, the one of the repeated hour once.
    for (const auto& run : runner.runs) {
        if (run.fileName == "t10" && (DayText(run.at) == "2028-03-26" || DayText(run.at) == "2028-10-29")) {
            EXPECT_EQ(run.at.hour * 100 + run.at.minute, DayText(run.at) == "2028-03-26" ? 300 : 230);
        }
    }
}

TEST_F(TaskSchedulerTest, ATaskWithoutTimeRunsOncePerRunOfTheProgram) {
    files.put(kPath, FileOf({Task(1, -1, -1, "Ежедневно"), Task(2, 10, 0, "Ежедневно")}));
    clock.setLocal(DateTime{2028, 1, 3, 0, 9, 59});
    // The alarm scheduler's gate passed first and cleared the shared start flag: this gate
    // still makes its own first pass.
    firstPassPending = 0;
    for (int i = 0; i < 3; ++i) {
        scheduler.TaskTick();
        clock.advanceMs(60'000);
    }
    ASSERT_EQ(runner.runs.size(), 2U);
    EXPECT_EQ(runner.runs[0].fileName + " " + runner.runs[1].fileName, "t1 t2");
    EXPECT_EQ(scheduler.TaskFired[0], 1);
    EXPECT_TRUE(store.ReadTasks().tasks[0].Active);
    EXPECT_FALSE(store.ReadTasks().tasks[1].Active);

    // The next run of the program starts with its flags clear.
    MinuteGate nextGate{firstPassPending};
    TaskScheduler next{store, clock, nextGate, runner};
    next.TaskTick();
    next.TaskTick();
    ASSERT_EQ(runner.runs.size(), 3U);
    EXPECT_EQ(runner.runs[2].fileName, "t1");

    // No file: the gate is not asked.
    files.remove(kPath);
    std::uint8_t pending = 1;
    MinuteGate idleGate{pending};
    TaskScheduler idle{store, clock, idleGate, runner};
    idle.TaskTick();
    EXPECT_FALSE(idleGate.started());
}

TEST_F(TaskSchedulerTest, PresetsAndFailuresToRun) {
    // Each stored preset calls its action; the program of a custom task gets its folder,
    // file name and parameters.
    TaskRecord custom = Task(1, 10, 0, "Ежедневно");
    custom.Directory = "/home/u/Мои программы/";
    custom.Params = "\"a b\" $HOME;rm -rf x";
    ASSERT_TRUE(scheduler.PerformTask(custom).started);
    std::vector<std::string> performed = {runner.runs[0].directory + "|" + runner.runs[0].fileName + "|" +
                                          runner.runs[0].params};
    for (std::size_t i = 1; i < kTaskPresetCaptions.size(); ++i) {
        TaskRecord preset = custom;
        preset.Preset = StoredPresetName(static_cast<TaskPreset>(i));
        ASSERT_TRUE(scheduler.PerformTask(preset).started);
        performed.push_back(runner.runs.back().fileName);
    }
    EXPECT_EQ(performed,
              (std::vector<std::string>{"/home/u/Мои программы/|t1|\"a b\" $HOME;rm -rf x",
                                        "Дифрагментация дисков", "Проверка дисков", "Выключение компьютера",
                                        "Перегрузка компьютера", "Приостоновить работу компьютора",
                                        "Выключить монитор", "Запустить хранитель экрана"}));

    // A program that cannot start, and a preset that names no action, are told once; both
    // tasks are switched off all the same.
    TaskRecord unknown = Task(2, 10, 0, "Ежедневно");
    unknown.Preset = "Выключить монитор ";
    files.put(kPath, FileOf({Task(1, 10, 0, "Ежедневно"), unknown}));
    runner.result = TaskRunResult::failed("Программа t1 не найдена.");
    std::vector<std::string> told;
    scheduler.onRunFailure = [&](int n, const std::string& text) {
        told.push_back(std::to_string(n) + " " + text);
    };
    clock.setLocal(DateTime{2028, 1, 3, 0, 10, 0});
    scheduler.TaskTick();
    clock.advanceMs(60'000);
    scheduler.TaskTick();
    EXPECT_EQ(told, (std::vector<std::string>{
                        "1 Программа t1 не найдена.",
                        "2 Задание не выполнено: действие «Выключить монитор » неизвестно."}));
    EXPECT_EQ(store.CountTasks().count, 2);
    for (const auto& task : store.ReadTasks().tasks) {
        EXPECT_FALSE(task.Active);
    }
}

} // namespace
} // namespace domora
