#include "alarms/AlarmTestSupport.h"

#include "core/alarms/AlarmFiring.h"
#include "core/alarms/AlarmScheduler.h"
#include "core/alarms/Recurrence.h"
#include "core/base/OleDate.h"
#include "core/tasks/TaskFiring.h"
#include "core/tasks/TaskPeriods.h"
#include "core/tasks/TaskScheduler.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/RecordingStarter.h"
#include "testing/core/RecordingTaskRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace domora {
namespace {

// A year from a Tuesday, 29 February 2028 inside, starting at 10:17 as a program would.
const DateTime kStart{2027, 6, 15, 3, 10, 17};
const std::int64_t kFirst = MinuteNumber(kStart);
const std::int64_t kEnd = kFirst + 366 * 1440;

std::string Describe(const Firing& f) {
    return f.at ? test::MinuteText(*f.at) : "never";
}

// Holds every record to its predictions: all the predictions made since a record last fired
// must name the minute it fires next, or never when it does not fire again within the year.
class Predictions {
public:
    // `describe` tells record i's fields for a failure.
    Predictions(std::size_t count, std::function<std::string(std::size_t)> describe)
        : open_(count), describe_(std::move(describe)) {}

    void predicted(std::size_t i, const DateTime& minute, const Firing& f) {
        EXPECT_TRUE(f.at ? MinuteNumber(*f.at) >= MinuteNumber(minute) : !f.neverReason.empty())
            << test::MinuteText(minute) << " " << FiringText(f) << " " << describe_(i);
        // A reason may change with the day ("дата уже прошла"); never stays never.
        if (open_[i] && open_[i]->at != f.at) {
            ADD_FAILURE() << "record " << i + 1 << " at " << test::MinuteText(minute) << ": " << FiringText(f)
                          << ", earlier " << Describe(*open_[i]) << "\n"
                          << describe_(i);
        }
        open_[i] = f;
    }
    void fired(std::size_t i, const DateTime& minute) {
        const std::string expected = open_[i] ? Describe(*open_[i]) : "no prediction";
        EXPECT_EQ(expected, test::MinuteText(minute)) << "record " << i + 1 << "\n" << describe_(i);
        open_[i].reset();
    }
    // Whatever is still predicted lies after the year.
    void ended() {
        for (std::size_t i = 0; i < open_.size(); ++i) {
            if (open_[i] && open_[i]->at) {
                EXPECT_GE(MinuteNumber(*open_[i]->at), kEnd) << "record " << i + 1 << " did not fire";
            }
        }
    }

private:
    std::vector<std::optional<Firing>> open_;
    std::function<std::string(std::size_t)> describe_;
};

// Whether to predict record i at minute m: always after it fired or changed, around its own
// minute and midnight, and at scattered minutes between.
bool Probe(std::int64_t m, std::size_t i, int hour, int minute, char fresh) {
    const std::int64_t ofDay = m % 1440;
    return fresh != 0 || ofDay <= 1 || ofDay == 1439 || m % 211 == static_cast<std::int64_t>(i % 211) ||
           std::abs(ofDay - (hour * 60 + minute)) <= 1 || m == kFirst || m == kEnd;
}

// Record fields drawn at random, with every case the schedulers tell apart.
struct Draw {
    std::mt19937 random{20270615};
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    template <typename List> auto pickOf(const List& list) {
        return list[static_cast<std::size_t>(pick(static_cast<int>(std::size(list))))];
    }
    // Hour and minute of record i: none for every fifth, else a time, midnight, the last
    // minute, or one no clock shows.
    std::pair<int, int> time(std::size_t i) {
        static const std::pair<int, int> kOdd[] = {{0, 0}, {23, 59}, {-1, 30}, {24, 0}, {7, -1}, {12, 60}};
        if (i % 5 == 2) {
            return {-1, -1};
        }
        return pick(3) == 0 ? pickOf(kOdd) : std::pair{pick(24), pick(60)};
    }
    // A date or none: past, today, within the year, after it, no date at all.
    std::pair<bool, double> date() {
        const double today = OleDateOnly(kStart.year, kStart.month, kStart.day);
        switch (pick(8)) {
        case 0:
            return {true, today - 1 - pick(400)};
        case 1:
            return {true, today + 0.75};
        case 2:
            return {true, today + 1 + pick(365)};
        case 3:
            return {true, pick(2) ? today + 500 : std::numeric_limits<double>::quiet_NaN()};
        default:
            return {false, today - 30};
        }
    }
};

struct AlarmYear : ::testing::Test {
    AppPaths paths = AppPaths::FromAppDir("/opt/domora");
    MemoryFileStore files;
    FakeClock clock;
    RecordingStarter starter;
    std::uint8_t firstPassPending = 1;
    MinuteGate gate{firstPassPending};
    SharedFlags flags;
    AlarmStore store{files, paths.BudilPath, clock};
    AlarmScheduler scheduler{store, clock, gate, flags, starter, paths};
};

TEST_F(AlarmYear, EveryFiringIsTheOnePredicted) {
    Draw draw;
    const std::string_view kOddTexts[] = {" всегда ", "каждый рабочий день", "Каждый вик-энд ", "Ежедневно"};
    const std::string_view kRepeats[] = {"Безконечно", "1", "2", "3", "0", "5 раз"};
    std::vector<AlarmRecord> alarms;
    for (std::size_t i = 0; i < kMaxAlarms; ++i) {
        const auto [hour, minute] = draw.time(i);
        const std::string_view text =
            i < kRecurrenceTexts.size()
                ? kRecurrenceTexts[i]
                : (draw.pick(5) ? draw.pickOf(kRecurrenceTexts) : draw.pickOf(kOddTexts));
        AlarmRecord a = test::Alarm(hour, minute, std::string(text), std::string(draw.pickOf(kRepeats)));
        const int days = i % 9 == 0 ? 0 : i % 9 == 1 ? 127 : draw.pick(128);
        for (std::size_t d = 0; d < 7; ++d) {
            a.Weekdays[d] = (days >> d) & 1;
        }
        std::tie(a.UseDate, a.AlarmDate) = draw.date();
        a.SwitchedOn = draw.pick(12) != 0;
        alarms.push_back(a);
    }
    files.put(paths.BudilPath, test::FileOf(alarms));

    std::vector<std::vector<std::string>> fired(alarms.size());
    std::vector<AlarmRecord> current = alarms;
    std::uint64_t revision = store.revision();
    std::vector<char> fresh(alarms.size(), 0);
    Predictions predictions(alarms.size(), [&](std::size_t i) { return test::Dump(current[i]); });
    for (std::int64_t m = kFirst; m <= kEnd && !HasFailure(); ++m) {
        const DateTime minute = DateTimeOfMinute(m);
        for (std::size_t i = 0; i < current.size(); ++i) {
            const AlarmRecord& a = current[i];
            if (Probe(m, i, a.Hour, a.Minute, fresh[i])) {
                predictions.predicted(i, minute,
                                      NextAlarmFiring(a, minute, {true, flags.AlarmFired[i] != 0}));
                fresh[i] = 0;
            }
        }
        if (m == kEnd) {
            break;
        }
        const std::size_t before = starter.starts.size();
        scheduler.RunPass(minute);
        for (std::size_t k = before; k < starter.starts.size(); ++k) {
            const auto i = static_cast<std::size_t>(std::stoi(starter.starts[k].fields.at(3)) - 1);
            predictions.fired(i, minute);
            fired[i].push_back(test::MinuteText(minute));
            fresh[i] = 1;
        }
        if (store.revision() != revision) {
            current = store.ReadAlarms().alarms;
            revision = store.revision();
        }
    }
    predictions.ended();

    // The same year told at once, repeats counted down as they go.
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        std::vector<std::string> listed;
        for (const DateTime& at : AlarmFiringsBetween(alarms[i], DateTimeOfMinute(kFirst - 1),
                                                      DateTimeOfMinute(kEnd - 1), {}, 1000)) {
            listed.push_back(test::MinuteText(at));
        }
        EXPECT_EQ(listed, fired[i]) << "alarm " << i + 1 << "\n" << test::Dump(alarms[i]);
    }
}

struct TaskYear : ::testing::Test {
    MemoryFileStore files;
    RecordingTaskRunner runner;
    FakeClock clock;
    std::uint8_t firstPassPending = 1;
    MinuteGate gate{firstPassPending};
    TaskStore store{files, "/app/Data/Zadan.DMR"};
    TaskScheduler scheduler{store, clock, gate, runner};
};

std::string DumpTask(const TaskRecord& t) {
    return std::to_string(t.Hour) + ":" + std::to_string(t.Minute) + " [" + t.Period + "] date " +
           std::to_string(t.UseDate) + " " + std::to_string(t.TaskDate) + " active " +
           std::to_string(t.Active);
}

// Tasks run once; the user switches a task with a time on again after it ran.
TEST_F(TaskYear, EveryRunIsTheOnePredicted) {
    Draw draw;
    const std::string_view kOddPeriods[] = {"ежедневно", " По будням", "Каждый день", ""};
    std::vector<TaskRecord> tasks;
    std::string bytes;
    // Half a file: the scheduler reads the whole file for every pass.
    for (std::size_t i = 0; i < kMaxTasks / 2; ++i) {
        TaskRecord t;
        std::tie(t.Hour, t.Minute) = draw.time(i);
        t.Period = i < kTaskPeriods.size()
                       ? kTaskPeriods[i]
                       : (draw.pick(5) ? draw.pickOf(kTaskPeriods) : draw.pickOf(kOddPeriods));
        std::tie(t.UseDate, t.TaskDate) = draw.date();
        t.Preset = "<Пользовательская>";
        t.FileName = std::to_string(i);
        t.Active = draw.pick(12) != 0;
        tasks.push_back(t);
        const auto record = EncodeTask(t);
        bytes.append(record.begin(), record.end());
    }
    files.put("/app/Data/Zadan.DMR", bytes);

    std::vector<std::optional<DateTime>> firstRun(tasks.size());
    std::vector<TaskRecord> current = tasks;
    std::vector<char> fresh(tasks.size(), 0);
    Predictions predictions(tasks.size(), [&](std::size_t i) { return DumpTask(current[i]); });
    for (std::int64_t m = kFirst; m <= kEnd && !HasFailure(); ++m) {
        const DateTime minute = DateTimeOfMinute(m);
        for (std::size_t i = 0; i < current.size(); ++i) {
            const TaskRecord& t = current[i];
            if (Probe(m, i, t.Hour, t.Minute, fresh[i])) {
                predictions.predicted(i, minute,
                                      NextTaskFiring(t, minute, {true, scheduler.TaskFired[i] != 0}));
                fresh[i] = 0;
            }
        }
        if (m == kEnd) {
            break;
        }
        const std::size_t before = runner.runs.size();
        scheduler.RunPass(minute);
        for (std::size_t k = before; k < runner.runs.size(); ++k) {
            const auto i = static_cast<std::size_t>(std::stoi(runner.runs[k].fileName));
            predictions.fired(i, minute);
            firstRun[i] = firstRun[i].value_or(minute);
            fresh[i] = 1;
            current[i] = store.ReadTasks().tasks.at(i);
            if (!current[i].Active) {
                current[i].Active = true;
                ASSERT_TRUE(store.ChangeTask(static_cast<int>(i + 1), current[i]));
            }
        }
    }
    predictions.ended();

    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const auto listed =
            TaskFiringsBetween(tasks[i], DateTimeOfMinute(kFirst - 1), DateTimeOfMinute(kEnd - 1), {}, 5);
        EXPECT_EQ(listed.empty() ? "" : test::MinuteText(listed[0]),
                  firstRun[i] ? test::MinuteText(*firstRun[i]) : "")
            << "task " << i + 1 << " " << DumpTask(tasks[i]);
    }
}

// Asked on Tuesday 8 December 2026 at 10:00.
TEST(NextFiring, TellsWhenAndWhyNot) {
    const DateTime from{2026, 12, 8, 3, 10, 0};
    const double today = OleDateOnly(2026, 12, 8);
    AlarmRecord tuesdays = test::Alarm(7, 30, "Всегда");
    tuesdays.Weekdays[1] = true;
    const auto alarm = [&](auto change, AlarmFlag flag = {}) {
        AlarmRecord a = tuesdays;
        change(a);
        return FiringText(NextAlarmFiring(a, from, flag));
    };
    const std::pair<std::string, std::string> cases[] = {
        {alarm([](AlarmRecord&) {}), "Следующий раз: вт 15.12.2026 07:30"},
        {alarm([](AlarmRecord& a) { a.Hour = a.Minute = -1; }, {true, true}),
         "Следующий раз: вт 15.12.2026 00:00"},
        {alarm([](AlarmRecord& a) { a.SwitchedOn = false; }), "Не сработает никогда: будильник выключен"},
        {alarm([](AlarmRecord& a) { a.Hour = -1; }), "Не сработает никогда: заданы минуты без часа"},
        {alarm([](AlarmRecord& a) { a.Hour = 24; }),
         "Не сработает никогда: времени 24:30 не бывает в сутках"},
        {alarm([](AlarmRecord& a) { a.Hour = a.Minute = -1; }, {false, false}),
         "Не сработает никогда: будильник без времени стоит в файле после 100-го и не проверяется"},
        {alarm([](AlarmRecord& a) { a.Weekdays[1] = false; }),
         "Не сработает никогда: не выбран ни один день недели"},
        {alarm([](AlarmRecord& a) { a.Recurrence = "каждый рабочий день"; }),
         "Не сработает никогда: повторение «каждый рабочий день» отличается от «Каждый рабочий день» "
         "регистром букв или пробелами и потому не распознаётся"},
        {alarm([](AlarmRecord& a) { a.Recurrence = "Ежедневно"; }),
         "Не сработает никогда: повторение «Ежедневно» не из списка"},
        {alarm([&](AlarmRecord& a) { a.UseDate = true, a.AlarmDate = today - 7; }),
         "Не сработает никогда: дата 01.12.2026 уже прошла"},
        {alarm([&](AlarmRecord& a) { a.UseDate = true, a.AlarmDate = today + 0.9; }),
         "Не сработает никогда: его день — сегодня, 08.12.2026, а время 07:30 уже прошло"},
        {alarm([&](AlarmRecord& a) { a.UseDate = true, a.AlarmDate = OleDateOnly(2036, 12, 9); }),
         "Не сработает никогда: дата 09.12.2036 дальше десяти лет"},
        {alarm([&](AlarmRecord& a) { a.UseDate = true, a.AlarmDate = std::nan(""); }),
         "Не сработает никогда: дата испорчена"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(text, expected);
    }

    TaskRecord task;
    task.Hour = task.Minute = -1;
    task.Period = "Понедельник";
    task.Active = true;
    EXPECT_EQ(FiringText(NextTaskFiring(task, from)), "Следующий раз: пн 14.12.2026 00:00");
    EXPECT_EQ(FiringText(NextTaskFiring(task, from, {true, true})),
              "Не сработает никогда: задание без времени уже выполнено в этом запуске программы");
    task.Period = "Понедельник ";
    EXPECT_EQ(FiringText(NextTaskFiring(task, from)),
              "Не сработает никогда: период «Понедельник » отличается от «Понедельник» регистром букв или "
              "пробелами и потому не распознаётся");
}

// What the windows say, asked at Tuesday 8 December 2026 07:30:20, after that minute's pass.
TEST(NextFiring, WhatTheWindowsSay) {
    EXPECT_EQ(MinuteAfter(DateTime{2026, 12, 31, 5, 23, 59, 30, 0}), (DateTime{2027, 1, 1, 6, 0, 0, 0, 0}));
    const std::uint8_t fired[kMaxAlarms] = {0, 0, 1};
    const auto flag = [](AlarmFlag f) { return std::pair(f.exists, f.checked); };
    EXPECT_EQ(flag(AlarmFlagAt(2, fired)), std::pair(true, true));
    EXPECT_EQ(flag(AlarmFlagAt(2)), std::pair(true, false)); // no flags at hand: as at start-up
    EXPECT_EQ(flag(AlarmFlagAt(kMaxAlarms, fired)), std::pair(false, false));

    const DateTime now{2026, 12, 8, 3, 7, 30, 20};
    AlarmRecord tuesdays = test::Alarm(7, 30);
    tuesdays.Weekdays[1] = true;
    AlarmRecord laterOff = tuesdays;
    laterOff.Minute = 45;
    laterOff.SwitchedOn = false;
    AlarmRecord wednesdays = test::Alarm(8, 0);
    wednesdays.Weekdays[2] = true;
    const std::vector<AlarmRecord> alarms{laterOff, tuesdays, wednesdays};
    EXPECT_EQ(NextAlarmLine(alarms, now, {}), "Будильник: ср 09.12.2026 08:00");
    EXPECT_EQ(NextAlarmLine({}, now, {}), "");
    EXPECT_EQ(AlarmFiringLine(tuesdays, now, {}), "Следующий раз: вт 15.12.2026 07:30");

    // Saving is asked about only for an alarm that is on and never fires.
    EXPECT_EQ(NeverFiringQuestion(tuesdays, now, {}), std::nullopt);
    EXPECT_EQ(NeverFiringQuestion(laterOff, now, {}), std::nullopt);
    tuesdays.Weekdays[1] = false;
    EXPECT_EQ(NeverFiringQuestion(tuesdays, now, {}),
              "Этот будильник не сработает никогда: не выбран ни один день недели. Сохранить всё равно?");
}

} // namespace
} // namespace domora
