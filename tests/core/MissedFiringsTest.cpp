#include "core/app/MissedFirings.h"

#include "alarms/AlarmTestSupport.h"
#include "core/app/MemoryRegistry.h"
#include "core/base/MinuteGate.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

constexpr const char* kAlarmPath = "/app/Data/Budil.DMR";
constexpr const char* kTaskPath = "/app/Data/Zadan.DMR";

// An alarm every day of the week.
AlarmRecord Daily(int hour, int minute, const std::string& repeat = "Безконечно") {
    AlarmRecord r = test::Alarm(hour, minute, "Всегда", repeat);
    r.Weekdays.fill(true);
    return r;
}

DateTime At(int day, int hour, int minute) {
    return DateTimeOfMinute(MinuteNumber(DateTime{2026, 12, day, 1, hour, minute, 0, 0}));
}

TaskRecord Task(int hour, int minute, const std::string& file, bool active = true) {
    TaskRecord r;
    r.Hour = hour;
    r.Minute = minute;
    r.Period = "Ежедневно";
    r.Preset = "<Пользовательская>";
    r.FileName = file;
    r.Params = "--all";
    r.Active = active;
    return r;
}

// A program with two stores and a settings store that outlive its runs.
class MissedWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        AlarmRecord wake = Daily(7, 30);
        wake.TextFile = "/app/Temp/File1.txt";
        wake.NoSound = false;
        wake.BuiltinSound = true;
        wake.BuiltinName = "Bip-Bip";
        AlarmRecord off = Daily(8, 0);
        off.SwitchedOn = false;
        const std::vector<AlarmRecord> alarms = {wake, Daily(6, 59),  Daily(8, 59),     Daily(9, 0),
                                                 off,  Daily(-1, -1), Daily(7, 45, "2")};
        const std::vector<TaskRecord> tasks = {Task(8, 0, "backup.sh"), Task(8, 30, "idle", false),
                                               Task(-1, -1, "untimed")};
        std::string taskBytes;
        for (const auto& task : tasks) {
            const auto bytes = EncodeTask(task);
            taskBytes.append(bytes.begin(), bytes.end());
        }
        files_.writeAtomic(kAlarmPath, test::FileOf(alarms));
        files_.writeAtomic(kTaskPath, taskBytes);
        files_.writeAtomic("/app/Temp/File1.txt", "\xCF\xEE\xE4\xFA\xB8\xEC!\r\nвторая строка\r\n");
    }

    // One run of the program: its watch on the shared stores.
    struct Run {
        Run(MissedWatchTest& t)
            : alarms(t.files_, kAlarmPath, t.clock_), tasks(t.files_, kTaskPath),
              watch(t.registry_, t.clock_, alarms, tasks, t.files_) {}
        AlarmStore alarms;
        TaskStore tasks;
        MissedWatch watch;
    };

    std::vector<std::string> Lines(const std::optional<MissedList>& list) {
        std::vector<std::string> lines;
        if (list) {
            lines.push_back(MissedHeading(*list));
            for (const auto& firing : list->firings) {
                lines.push_back(MissedLine(firing));
            }
        }
        return lines;
    }

    FakeClock clock_;
    MemoryRegistry registry_;
    MemoryFileStore files_;
};

TEST_F(MissedWatchTest, AStartAfterTheProgramWasOffTellsTheGapOnce) {
    clock_.setLocal(At(8, 6, 30));
    {
        Run first(*this);
        EXPECT_FALSE(first.watch.start()) << "the first run ever has no gap";
        clock_.setLocal(At(8, 7, 0));
        first.watch.pass();
    }
    const auto before = files_.readAll(kAlarmPath);
    clock_.setLocal(At(8, 9, 0));
    Run second(*this);
    EXPECT_EQ(
        Lines(second.watch.start()),
        (std::vector<std::string>{
            "Пока компьютер был выключен, пропущено:", "будильник 07:30 вт 08.12.2026 — Подъём!, Bip-Bip",
            "будильник 07:45 вт 08.12.2026 — без текста", "задание 08:00 вт 08.12.2026 — backup.sh --all",
            "будильник 08:59 вт 08.12.2026 — без текста"}));
    EXPECT_EQ(files_.readAll(kAlarmPath), before) << "a missed firing counts no repeat down";
    EXPECT_EQ(ReadLastPass(registry_), At(8, 9, 0));

    Run third(*this);
    EXPECT_FALSE(third.watch.start()) << "a start without a gap";
}

// The settings file is written on a minute at which something came due and on a new day,
// not on every minute; a program killed in between still tells exactly what it did not see.
TEST_F(MissedWatchTest, TheLastPassMovesOnOnlyWhenSomethingCameDue) {
    clock_.setLocal(At(8, 7, 1));
    {
        Run run(*this);
        run.watch.start();
        clock_.setLocal(At(8, 7, 29));
        run.watch.pass();
        EXPECT_EQ(ReadLastPass(registry_), At(8, 7, 1)) << "nothing came due";
        clock_.setLocal(At(8, 7, 30));
        run.watch.pass();
        EXPECT_EQ(ReadLastPass(registry_), At(8, 7, 30)) << "the wake-up alarm's minute";
        clock_.setLocal(At(8, 7, 40));
        run.watch.pass();
        EXPECT_EQ(ReadLastPass(registry_), At(8, 7, 30));
    } // killed: no quitting()
    clock_.setLocal(At(8, 8, 1));
    Run next(*this);
    EXPECT_EQ(Lines(next.watch.start()),
              (std::vector<std::string>{
                  "Пока компьютер был выключен, пропущено:", "будильник 07:45 вт 08.12.2026 — без текста",
                  "задание 08:00 вт 08.12.2026 — backup.sh --all"}));
}

TEST_F(MissedWatchTest, AResumeTellsALongSleepAndNotAShortOne) {
    clock_.setLocal(At(8, 6, 0));
    Run run(*this);
    run.watch.start();
    clock_.setLocal(At(8, 7, 0));
    run.watch.pass();
    run.watch.suspending();
    clock_.setLocal(At(8, 9, 0));
    run.watch.pass(); // the beat may come before the resume is heard
    const auto lines = Lines(run.watch.resumed());
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_EQ(lines[0], "Пока компьютер был в спящем режиме, пропущено:");
    EXPECT_EQ(lines[3], "задание 08:00 вт 08.12.2026 — backup.sh --all");

    // Within the minute gate's hour the skipped minutes are passed late: nothing is lost.
    run.watch.suspending();
    clock_.setLocal(At(8, 9, 59));
    EXPECT_FALSE(run.watch.resumed());
}

TEST_F(MissedWatchTest, AGapOfWeeksIsCutToTheLastSevenDays) {
    WriteLastPass(registry_, At(1, 0, 0));
    clock_.setLocal(At(22, 9, 0));
    Run run(*this);
    const auto list = run.watch.start();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->cut);
    EXPECT_NE(MissedHeading(*list).find("показаны последние 7 дней"), std::string::npos);
    int wake = 0, counted = 0, untimed = 0;
    for (const auto& firing : list->firings) {
        EXPECT_GT(MinuteNumber(firing.at), MinuteNumber(At(15, 8, 59)));
        wake += firing.number == 1 && firing.kind == MissedFiring::Kind::Alarm;
        counted += firing.number == 7 && firing.kind == MissedFiring::Kind::Alarm;
        untimed += firing.number == 6 && firing.kind == MissedFiring::Kind::Alarm;
    }
    EXPECT_EQ(wake, 7);
    EXPECT_EQ(counted, 2) << "its two repeats";
    EXPECT_EQ(untimed, 6) << "00:00 of the six days before today; today's is the start-up pass's";
}

TEST(LastPassTest, OnlyAWholeMinuteReadsBack) {
    const struct {
        const char* text;
        bool reads;
    } cases[] = {{"2026-12-08 07:30", true},  {"2026-13-08 07:30", false},  {"2026-02-30 07:30", false},
                 {"2026-12-08 24:00", false}, {"2026-12-08 07:30x", false}, {"вчера", false}};
    for (const auto& c : cases) {
        MemoryRegistry registry;
        OpenKeyOrThrow(registry, kMainKey, true)->writeString(kLastPassName, c.text);
        const auto read = ReadLastPass(registry);
        EXPECT_EQ(read.has_value(), c.reads) << c.text;
        if (read) {
            EXPECT_EQ(LastPassText(*read), c.text);
            EXPECT_EQ(read->weekday, 3) << "a Tuesday";
        }
    }
}

} // namespace
} // namespace domora
