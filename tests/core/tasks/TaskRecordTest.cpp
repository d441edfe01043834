#include "core/tasks/TaskRecord.h"
#include "core/base/OleDate.h"
#include "core/tasks/TaskPeriods.h"
#include "core/tasks/TaskPresets.h"
#include "core/tasks/TaskStore.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <tuple>

namespace domora {
namespace {

std::vector<std::uint8_t> Record(const std::string& file, std::size_t i) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(file.data()) + i * kTaskRecordSize;
    return {first, first + kTaskRecordSize};
}

// Every field of a record on one line, for comparisons that name the field that differs.
std::string Dump(const TaskRecord& r) {
    const auto date = OleToDateTime(r.TaskDate);
    char day[40];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", date.year, date.month, date.day);
    return std::to_string(r.Hour) + ":" + std::to_string(r.Minute) + " [" + r.Period + "] " + day +
           (r.UseDate ? " dated" : " periodic") + " [" + r.Preset + "] [" + r.FileName + "] [" + r.Directory +
           "] [" + r.Params + "]" + (r.Active ? " active" : " off");
}

TEST(TaskRecord, GoldenFileDecodesFieldByFieldAndEncodesByteForByte) {
    // As tests/data/contents.json describes the records.
    const char* expected[] = {
        "10:0 [Ежедневно] 2026-12-06 periodic [<Пользовательская>] [notepad.exe] [C:\\WINDOWS\\] "
        "[C:\\list.txt] active",
        "-1:-1 [По будням] 2026-12-06 periodic [Выключить монитор] [] [] [] active",
        "22:30 [Последний день месяца] 2027-01-15 dated [Приостоновить работу компьют] [] [] [] off",
    };
    const std::string golden = ReadTestData("Zadan.DMR");
    ASSERT_EQ(golden.size(), 3 * kTaskRecordSize);
    for (std::size_t i = 0; i < 3; ++i) {
        const TaskRecord decoded = DecodeTask(Record(golden, i));
        EXPECT_EQ(Dump(decoded), expected[i]) << "record " << i + 1;
        EXPECT_EQ(EncodeTask(decoded), Record(golden, i)) << "record " << i + 1;
    }
    EXPECT_EQ(DecodeTask(Record(golden, 0)).TaskDate, OleDateOnly(2026, 12, 6));
}

TEST(TaskRecord, EncodingCutsTextsAndWritesZerosWhereNothingIsMeant) {
    TaskRecord r;
    r.Hour = r.Minute = -1;
    r.Period = std::string(40, 'p');
    r.Preset = std::string(kTaskPresetCaptions[5]);
    r.FileName = std::string(120, 'f');
    r.Directory = std::string(250, 'd');
    r.Params = std::string(40, 'a');
    const auto bytes = EncodeTask(r);
    EXPECT_EQ(std::vector<int>({bytes[0], bytes[1], bytes[2], bytes[41], bytes[70], bytes[171], bytes[372]}),
              std::vector<int>({255, 255, 28, 28, 100, 200, 40}));
    EXPECT_EQ(DecodeTask(bytes).Preset, "Приостоновить работу компьют");
    // Garbage in the fill bytes and after a text is read past and written back as zeros; a
    // flag byte other than 0 reads as set and is written back as 1.
    auto dirty = bytes;
    dirty[31] = dirty[474] = dirty[479] = 0x55;
    dirty[372 + 1 + 45] = 0x41; // inside Params, after its 40 characters
    dirty[40] = 0x7F;           // UseDate
    const TaskRecord read = DecodeTask(dirty);
    EXPECT_EQ(read.Params, r.Params);
    EXPECT_TRUE(read.UseDate);
    const auto clean = EncodeTask(read);
    EXPECT_EQ(std::vector<int>({clean[31], clean[474], clean[479], clean[418], clean[40]}),
              std::vector<int>({0, 0, 0, 0, 1}));
}

TEST(TaskRecord, DamagedFilesAreReadWithoutACrash) {
    for (const auto& [file, tasks] :
         std::vector<std::pair<std::string, std::size_t>>{{"zadan-cut-short.DMR", 2},
                                                          {"empty.DMR", 0},
                                                          {"zadan-two-and-a-bit.DMR", 2},
                                                          {"zadan-length-255.DMR", 2}}) {
        MemoryFileStore files;
        files.put("Zadan.DMR", ReadTestData("broken/" + file));
        TaskStore store(files, "Zadan.DMR");
        const TaskList list = store.ReadTasks();
        ASSERT_TRUE(list.result.ok()) << file;
        ASSERT_EQ(list.tasks.size(), tasks) << file;
        ASSERT_TRUE(store.LoadTask(99).result.ok());
        // A rewrite keeps the whole records and drops the partial one.
        ASSERT_TRUE(store.AddTask(TaskRecord{}).ok()) << file;
        EXPECT_EQ(files.files().at("Zadan.DMR").size(), (tasks + 1) * kTaskRecordSize) << file;
    }
    // Length bytes of 255 are taken as the sizes of their fields; a record of 0xFF bytes is
    // -1:-1 and active, with every text full.
    const std::string damaged = ReadTestData("broken/zadan-length-255.DMR");
    const TaskRecord first = DecodeTask(Record(damaged, 0));
    EXPECT_TRUE(first.Period.starts_with("Ежедневно"));
    EXPECT_EQ(first.Directory.size(), 200U);
    const TaskRecord ones = DecodeTask(Record(damaged, 1));
    EXPECT_EQ(Dump(ones).substr(0, 5), "-1:-1");
    std::string ya;
    for (int i = 0; i < 28; ++i) {
        ya += "я";
    }
    EXPECT_EQ(ones.Preset, ya);
    EXPECT_TRUE(ones.Active);
}

TEST(TaskRecord, TheEditorsTimeCheck) {
    const std::vector<std::tuple<int, int, const char*>> rows = {
        {0, 0, ""},
        {23, 59, ""},
        {-1, -1, ""},
        {24, 0, "Часы задания должны быть числом от 0 до 23 или -1 (без времени), а не 24."},
        {-2, 0, "Часы задания должны быть числом от 0 до 23 или -1 (без времени), а не -2."},
        {300, 0, "Часы задания должны быть числом от 0 до 23 или -1 (без времени), а не 300."},
        {10, 60, "Минуты задания должны быть числом от 0 до 59 или -1 (без времени), а не 60."},
        {-1, 5, "Часы задания равны -1 (без времени): минуты тогда тоже должны быть -1."},
        {7, -1, "Минуты задания равны -1 (без времени): часы тогда тоже должны быть -1."},
    };
    for (const auto& [hour, minute, message] : rows) {
        EXPECT_EQ(CheckTaskTime(hour, minute).value_or(""), message) << hour << ":" << minute;
    }
}

TEST(TaskRecord, PresetsAsStoredAndAsTyped) {
    const std::vector<std::pair<std::string, std::optional<TaskPreset>>> stored = {
        {"<Пользовательская>", TaskPreset::Custom},
        {"Приостоновить работу компьют", TaskPreset::Suspend},
        // The scheduler compares exactly.
        {"Приостоновить работу компьютора", std::nullopt},
        {" <Пользовательская>", std::nullopt},
        {"выключить монитор", std::nullopt},
    };
    for (const auto& [text, preset] : stored) {
        EXPECT_EQ(PresetOfStored(text), preset) << text;
    }
    for (const char* custom : {"  <ПОЛЬЗОВАТЕЛЬСКАЯ> ", "<пользовательская>", "\t<Пользовательская>"}) {
        EXPECT_TRUE(IsCustomPresetText(custom)) << custom;
    }
    for (const char* other : {"Пользовательская", "< Пользовательская>", "Проверка дисков", ""}) {
        EXPECT_FALSE(IsCustomPresetText(other)) << other;
    }
    // What the editor stores: a preset however it was typed, so that the scheduler finds it.
    const std::vector<std::pair<std::string, std::string>> typed = {
        {"  <ПОЛЬЗОВАТЕЛЬСКАЯ> ", "<Пользовательская>"},
        {"Приостоновить работу компьютора", "Приостоновить работу компьют"},
        {" выключить монитор", "Выключить монитор"},
        {"Мой скрипт", "Мой скрипт"},
    };
    for (const auto& [text, kept] : typed) {
        EXPECT_EQ(PresetTextToStore(text), kept) << text;
    }
}

TEST(TaskRecord, TheLastDayOfTheMonthAndDates) {
    const std::vector<std::tuple<DateTime, bool>> rows = {
        {{2003, 4, 30}, true},  {{2003, 5, 31}, true},  {{2003, 5, 30}, false}, {{2004, 2, 29}, true},
        {{2004, 2, 28}, false}, {{2003, 2, 28}, true},  {{2100, 2, 28}, true},  {{2000, 2, 29}, true},
        {{2000, 2, 28}, false}, {{2028, 12, 31}, true}, {{2028, 11, 30}, true},
    };
    for (const auto& [day, last] : rows) {
        EXPECT_EQ(PeriodHolds("Последний день месяца", day), last)
            << day.year << "-" << day.month << "-" << day.day;
    }
    EXPECT_FALSE(PeriodHolds("Ежедневно ", DateTime{2028, 1, 1}));
    EXPECT_FALSE(PeriodHolds("", DateTime{2028, 1, 1}));
    // A dated task: the calendar day of its date, whatever its time of day or period.
    TaskRecord dated;
    dated.UseDate = true;
    dated.Period = "Ежедневно";
    dated.TaskDate = OleDateOnly(2028, 2, 29) + 0.99;
    EXPECT_TRUE(TaskIsForDay(dated, DateTime{2028, 2, 29, 3, 23, 59}));
    EXPECT_FALSE(TaskIsForDay(dated, DateTime{2028, 3, 1}));
    dated.TaskDate = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(TaskIsForDay(dated, DateTime{2028, 2, 29}));
}

} // namespace
} // namespace domora
