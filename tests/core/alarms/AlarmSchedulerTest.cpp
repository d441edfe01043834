#include "AlarmTestSupport.h"

#include "core/alarms/AlarmScheduler.h"
#include "core/base/OleDate.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/RecordingStarter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

namespace domora {
namespace {

using test::Alarm;
using test::MinuteText;

struct SchedulerTest : ::testing::Test {
    void write(const std::vector<AlarmRecord>& alarms) { files.put(paths.BudilPath, test::FileOf(alarms)); }
    // Ticks once a minute from now until `end` (exclusive).
    void runUntil(const DateTime& end) {
        const std::int64_t last = MinuteNumber(end);
        while (MinuteNumber(clock.localNow()) < last) {
            scheduler.AlarmTick();
            clock.advanceMs(60'000);
        }
    }

    AppPaths paths = AppPaths::FromAppDir("/opt/domora");
    MemoryFileStore files;
    FakeClock clock;
    RecordingStarter starter{clock};
    std::uint8_t firstPassPending = 1;
    MinuteGate gate{firstPassPending};
    SharedFlags flags;
    AlarmStore store{files, paths.BudilPath, clock};
    AlarmScheduler scheduler{store, clock, gate, flags, starter, paths};
};

TEST_F(SchedulerTest, TheNoteProgramsCommandLine) {
    // One alarm, changed step by step.
    AlarmRecord a = Alarm(7, 30); // a silent text
    const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> steps = {
        {[&] { a.TextFile = "C:\\Domora\\Temp\\File3.txt"; },
         {"1", "not", "8.3(C:\\Domora\\Temp\\File3.txt)", "4"}},
        {[&] {
             a.TextFile = "   ";
             a.NoSound = false;
             a.BuiltinSound = true;
             a.BuiltinName = " КУКУШКА ";
         },
         {"1", "8.3(" + paths.KuKuWav + ")", "EMPTY", "4"}},
        {[&] { a.BuiltinName = "Гонг"; }, {"1", "not", "EMPTY", "4"}},
        {[&] {
             a.WavSound = a.Mp3Sound = true;
             a.WavFile = "C:\\a.wav";
             a.Mp3File = "D:\\Музыка\\Утро.mp3";
         },
         {"1", "8.3(D:\\Музыка\\Утро.mp3)", "EMPTY", "4"}},
        {[&] {
             a.WavSound = a.Mp3Sound = a.TextMessage = false;
             a.BuiltinName = "Звонок";
             a.PictureMessage = true;
             a.PictureFile = "C:\\Мои рисунки\\кот.bmp";
         },
         {"0", "8.3(" + paths.JinWav + ")", "8.3(C:\\Мои рисунки\\кот.bmp)", "4"}},
        {[&] {
             a.PictureFile = "";
             a.NoSound = true;
         },
         {"0", "not", "", "4"}},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        starter.starts.clear();
        scheduler.FireAlarm(a, 4);
        ASSERT_EQ(starter.starts.size(), 1U);
        EXPECT_EQ(starter.starts[0].file, "Notebox.exe");
        EXPECT_EQ(starter.starts[0].fields, steps[i].second) << "step " << i + 1;
        EXPECT_EQ(starter.starts[0].directory, paths.AppDir);
    }
}

// 2028: 1 January is a Saturday. The days of the month on which each weekday rule
// fires, January to December, from a calendar.
const std::pair<const char*, std::array<int, 12>> kNthWeekdays2028[] = {
    {"Каждый первый ПН", {3, 7, 6, 3, 1, 5, 3, 7, 4, 2, 6, 4}},
    {"Каждый первый ВТ", {4, 1, 7, 4, 2, 6, 4, 1, 5, 3, 7, 5}},
    {"Каждую первую СР", {5, 2, 1, 5, 3, 7, 5, 2, 6, 4, 1, 6}},
    {"Каждый первый ЧТ", {6, 3, 2, 6, 4, 1, 6, 3, 7, 5, 2, 7}},
    {"Каждую первую ПТ", {7, 4, 3, 7, 5, 2, 7, 4, 1, 6, 3, 1}},
    {"Каждую первую СБ", {1, 5, 4, 1, 6, 3, 1, 5, 2, 7, 4, 2}},
    {"Каждое первое ВС", {2, 6, 5, 2, 7, 4, 2, 6, 3, 1, 5, 3}},
    {"Каждый второй ПН", {10, 14, 13, 10, 8, 12, 10, 14, 11, 9, 13, 11}},
    {"Каждый второй ВТ", {11, 8, 14, 11, 9, 13, 11, 8, 12, 10, 14, 12}},
    {"Каждую вторую СР", {12, 9, 8, 12, 10, 14, 12, 9, 13, 11, 8, 13}},
    {"Каждый второй ЧТ", {13, 10, 9, 13, 11, 8, 13, 10, 14, 12, 9, 14}},
    {"Каждую вторую ПТ", {14, 11, 10, 14, 12, 9, 14, 11, 8, 13, 10, 8}},
    {"Каждую вторую СБ", {8, 12, 11, 8, 13, 10, 8, 12, 9, 14, 11, 9}},
    {"Каждое второе ВС", {9, 13, 12, 9, 14, 11, 9, 13, 10, 8, 12, 10}},
    {"Каждый третий ПН", {17, 21, 20, 17, 15, 19, 17, 21, 18, 16, 20, 18}},
    {"Каждый третий ВТ", {18, 15, 21, 18, 16, 20, 18, 15, 19, 17, 21, 19}},
    {"Каждую третию СР", {19, 16, 15, 19, 17, 21, 19, 16, 20, 18, 15, 20}},
    {"Каждый третий ЧТ", {20, 17, 16, 20, 18, 15, 20, 17, 21, 19, 16, 21}},
    {"Каждую третию ПТ", {21, 18, 17, 21, 19, 16, 21, 18, 15, 20, 17, 15}},
    {"Каждую третию СБ", {15, 19, 18, 15, 20, 17, 15, 19, 16, 21, 18, 16}},
    {"Каждое третье ВС", {16, 20, 19, 16, 21, 18, 16, 20, 17, 15, 19, 17}},
    {"Каждый четвёртый ПН", {24, 28, 27, 24, 22, 26, 24, 28, 25, 23, 27, 25}},
    {"Каждый четвёртый ВТ", {25, 22, 28, 25, 23, 27, 25, 22, 26, 24, 28, 26}},
    {"Каждую четвёртую СР", {26, 23, 22, 26, 24, 28, 26, 23, 27, 25, 22, 27}},
    {"Каждый четвёртый ЧТ", {27, 24, 23, 27, 25, 22, 27, 24, 28, 26, 23, 28}},
    {"Каждую четвёртую ПТ", {28, 25, 24, 28, 26, 23, 28, 25, 22, 27, 24, 22}},
    {"Каждую четвёртую СБ", {22, 26, 25, 22, 27, 24, 22, 26, 23, 28, 25, 23}},
    {"Каждое четвёртое ВС", {23, 27, 26, 23, 28, 25, 23, 27, 24, 22, 26, 24}},
    {"Каждый первый день месяца", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {"Каждый последний день месяца", {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}},
};

// The days of 2028 as "2028-MM-DD", with their day numbers from 0 (1 January, a Saturday;
// day % 7: 0 Saturday, 1 Sunday, 2 Monday, ..., 6 Friday).
std::vector<std::pair<std::string, int>> DaysOf2028() {
    const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::vector<std::pair<std::string, int>> days;
    for (int m = 0; m < 12; ++m) {
        for (int d = 1; d <= lengths[m]; ++d) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "2028-%02d-%02d", m + 1, d);
            days.emplace_back(buffer, static_cast<int>(days.size()));
        }
    }
    return days;
}

TEST_F(SchedulerTest, AYearOfMinutePasses) {
    std::vector<AlarmRecord> alarms;
    std::map<int, std::set<std::string>> expected;
    const auto days = DaysOf2028();
    // The days whose weekday (day % 7, see DaysOf2028) or date is kept, at one time.
    const auto daysWhere = [&](auto keep, const std::string& time) {
        std::set<std::string> out;
        for (const auto& [date, index] : days) {
            if (keep(index % 7, date)) {
                out.insert(date + " " + time);
            }
        }
        return out;
    };
    // Adds an alarm with the minutes it must fire at; gives its number.
    const auto add = [&](const AlarmRecord& alarm, std::set<std::string> dates = {}) {
        alarms.push_back(alarm);
        expected[static_cast<int>(alarms.size())] = std::move(dates);
        return static_cast<int>(alarms.size());
    };
    // Every weekday and month rule at 06:MM.
    for (const auto& [text, monthDays] : kNthWeekdays2028) {
        const int minute = static_cast<int>(alarms.size());
        std::set<std::string> dates;
        for (int m = 0; m < 12; ++m) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "2028-%02d-%02d 06:%02d", m + 1, monthDays[m], minute);
            dates.insert(buffer);
        }
        add(Alarm(6, minute, text), dates);
    }
    const auto working = [](int d, const std::string&) { return d >= 2; };
    add(Alarm(6, 40, "Каждый рабочий день"), daysWhere(working, "06:40"));
    add(Alarm(6, 41, "Каждый вик-энд"), daysWhere([](int d, const std::string&) { return d < 2; }, "06:41"));
    // Tuesdays and Thursdays by their flags; a limited one in the same minute.
    AlarmRecord flagged = Alarm(7, 30, " всегда ");
    flagged.Weekdays = {false, true, false, true, false, false, false};
    add(flagged, daysWhere([](int d, const std::string&) { return d == 3 || d == 5; }, "07:30"));
    const int limited = add(Alarm(7, 30, "Каждый рабочий день", "3"),
                            {"2028-01-03 07:30", "2028-01-04 07:30", "2028-01-05 07:30"});
    // Without a time: the first pass after start-up, then at 00:00 on its days.
    std::set<std::string> untimed = daysWhere(working, "00:00");
    untimed.insert("2027-12-31 10:17");
    add(Alarm(-1, -1, "Каждый рабочий день"), untimed);
    // A dated one (no repeat count applies), one that never matches, one switched off.
    AlarmRecord dated = Alarm(12, 0, "Всегда", "2");
    dated.UseDate = true;
    dated.AlarmDate = OleDateOnly(2028, 2, 29) + 0.75;
    add(dated, {"2028-02-29 12:00"});
    add(Alarm(8, 0, "Каждый рабочий день "));
    AlarmRecord off = Alarm(9, 0, "Всегда");
    off.Weekdays.fill(true);
    off.SwitchedOn = false;
    add(off);
    // Weekend flags with an empty rule, once; and midnight on the first of the month.
    AlarmRecord weekend = Alarm(10, 0, "", "1");
    weekend.Weekdays = {false, false, false, false, false, true, true};
    const int once = add(weekend, {"2028-01-01 10:00"});
    add(Alarm(0, 0, "Каждый первый день месяца"),
        daysWhere([](int, const std::string& date) { return date.ends_with("-01"); }, "00:00"));
    write(alarms);

    flags.CelebReminded.fill(1);
    clock.setLocal(DateTime{2027, 12, 31, 0, 10, 17});
    runUntil(DateTime{2029, 1, 1});

    std::map<int, std::set<std::string>> fired;
    for (const auto& start : starter.starts) {
        ASSERT_TRUE(fired[std::stoi(start.fields.at(3))].insert(MinuteText(start.at)).second)
            << "fired twice in one minute: " << start.fields.at(3);
    }
    for (int n = 1; n <= static_cast<int>(alarms.size()); ++n) {
        EXPECT_EQ(fired[n], expected[n])
            << "alarm " << n << " " << alarms[static_cast<std::size_t>(n - 1)].Recurrence;
    }
    // Same minute: file order.
    std::vector<std::string> at0730;
    for (const auto& start : starter.starts) {
        if (MinuteText(start.at) == "2028-01-04 07:30") {
            at0730.push_back(start.fields[3]);
        }
    }
    EXPECT_EQ(at0730, (std::vector<std::string>{std::to_string(limited - 1), std::to_string(limited)}));

    // Only the counted alarms changed in the file.
    for (const int n : {limited, once}) {
        alarms[static_cast<std::size_t>(n - 1)].Repeat = "1";
        alarms[static_cast<std::size_t>(n - 1)].SwitchedOn = false;
    }
    EXPECT_EQ(files.files().at(paths.BudilPath), test::FileOf(alarms));
    EXPECT_EQ(flags.CelebReminded, decltype(flags.CelebReminded){});
}

TEST_F(SchedulerTest, MissingFilesFailedWritesAndChanges) {
    clock.setLocal(DateTime{2028, 1, 3, 0, 7, 29, 30});
    // No file: the gate is not even asked.
    scheduler.AlarmTick();
    EXPECT_EQ(firstPassPending, 1);

    write({Alarm(7, 30, "Всегда", "5")});
    AlarmRecord alarm = store.LoadAlarm(1).record;
    alarm.Weekdays.fill(true);
    ASSERT_TRUE(store.ChangeAlarm(1, alarm));
    std::vector<std::string> errors;
    scheduler.onStoreError = [&](const AlarmStoreResult& r) { errors.push_back(r.message); };
    scheduler.AlarmTick(); // 07:29
    files.setWritesFail(true);
    clock.advanceMs(60'000);
    scheduler.AlarmTick(); // 07:30: fires, cannot count
    EXPECT_EQ(starter.starts.size(), 1U);
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_NE(errors[0].find("нет места на диске"), std::string::npos);
    files.setWritesFail(false);

    // A change made through the store is seen at the next pass.
    ASSERT_TRUE(store.AddAlarm(Alarm(7, 31, "Каждый рабочий день")));
    clock.advanceMs(60'000);
    scheduler.AlarmTick(); // 07:31
    ASSERT_EQ(starter.starts.size(), 2U);
    EXPECT_EQ(starter.starts[1].fields[3], "2");
    // A file replaced from outside is seen from the next hour on.
    write({Alarm(8, 0, "Каждый рабочий день"), Alarm(7, 45, "Каждый рабочий день")});
    runUntil(DateTime{2028, 1, 3, 0, 8, 1});
    ASSERT_EQ(starter.starts.size(), 3U);
    EXPECT_EQ(MinuteText(starter.starts[2].at), "2028-01-03 08:00");
}

} // namespace
} // namespace domora
