#include "HolidayTestSupport.h"

#include "core/base/Cp1251.h"
#include "core/holidays/HolidayReminder.h"
#include "core/holidays/TodayLine.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/RecordingStarter.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

struct ReminderTest : ::testing::Test {
    ReminderTest() { clock.setLocal(DateTime{2003, 1, 5, 1, 9, 0, 10}); }
    void put(const std::vector<HolidayRecord>& holidays) {
        files.put(paths.CelebPath, test::HolidayFileOf(holidays));
    }

    AppPaths paths = AppPaths::FromAppDir("/app");
    MemoryFileStore files;
    FakeClock clock;
    SharedFlags flags;
    RecordingStarter starter;
    HolidayStore store{files, paths.CelebPath};
    HolidayReminder reminder{store, files, clock, flags, starter, paths};
};

TEST_F(ReminderTest, TodaysHolidayIsRemindedAtTheFirstTickAndNotAgainThatDay) {
    put({{1, 6, "Сочельник", ""}, {1, 5, "Сегодня", "c"}});
    EXPECT_EQ(reminder.RemindPass(0).reminded, std::vector<int>{2});
    clock.advanceMs(10'000);
    EXPECT_TRUE(reminder.RemindPass(0).reminded.empty());
    EXPECT_EQ(starter.starts.size(), 1U);
    // After the 00:00 clearing the next day's holiday comes, and the old flag stays clear.
    clock.advanceMs(86'400'000);
    flags.CelebReminded.fill(0);
    EXPECT_EQ(reminder.RemindPass(0).reminded, std::vector<int>{1});
}

TEST_F(ReminderTest, TwoDueHolidaysGiveOneNoteAndOneStart) {
    std::vector<HolidayRecord> holidays(8, HolidayRecord{3, 1, "x", ""});
    holidays[2] = {2, 4, "День А", "первый"};
    holidays[6] = {2, 4, "День Б", ""};
    put(holidays);
    // 30 days after 5 January is 4 February.
    EXPECT_EQ(HolidayTargetDate(clock.localNow(), 30).day, 4);
    const HolidayReminderResult result = reminder.RemindPass(30);
    EXPECT_EQ(result.reminded, (std::vector<int>{3, 7}));
    ASSERT_TRUE(result.started);
    const std::string expected = Utf8ToCp1251Lossy("Сообщение о наступлении праздника\r\n"
                                                   "День: 4\r\nМесяц: 2\r\nНазвание праздника: День А\r\n"
                                                   "Комментарий: первый\r\n\r\n"
                                                   "День: 4\r\nМесяц: 2\r\nНазвание праздника: День Б\r\n"
                                                   "Комментарий: \r\n\r\n");
    EXPECT_EQ(files.files().at(reminder.NoteFilePath()), expected);
    ASSERT_EQ(starter.starts.size(), 1U);
    EXPECT_EQ(starter.starts[0].file, "Notebox.exe");
    EXPECT_EQ(starter.starts[0].fields,
              (std::vector<std::string>{"1", "8.3(" + paths.TimerWav + ")",
                                        "8.3(" + reminder.NoteFilePath() + ")", "3,7"}));
    EXPECT_EQ(starter.starts[0].directory, paths.AppDir);
}

TEST_F(ReminderTest, EveryPositionOfAFullFileHasAFlag) {
    std::vector<HolidayRecord> holidays(1000, HolidayRecord{1, 5, "x", ""});
    put(holidays);
    EXPECT_EQ(reminder.RemindPass(0).reminded.size(), 1000U);
    EXPECT_TRUE(reminder.RemindPass(0).reminded.empty());
    EXPECT_EQ(starter.starts.size(), 1U);
}

TEST_F(ReminderTest, NothingWithoutTheFileOrWhenTheNoteCannotBeWritten) {
    EXPECT_TRUE(reminder.RemindPass(0).reminded.empty());
    EXPECT_EQ(files.files().count(reminder.NoteFilePath()), 0U);
    put({{1, 5, "x", ""}});
    files.setWritesFail(true);
    const HolidayReminderResult failed = reminder.RemindPass(0);
    EXPECT_FALSE(failed.started);
    EXPECT_FALSE(failed.error.empty());
    EXPECT_TRUE(starter.starts.empty());
}

TEST_F(ReminderTest, TodayLine) {
    put({{1, 5, "Первый", ""}, {1, 6, "Завтра", ""}, {1, 5, "Второй", "c"}});
    EXPECT_EQ(RefreshTodayLine(store, clock.localNow()).text, "Сегодня: Первый | Второй | ");
    EXPECT_EQ(RefreshTodayLine(store, DateTime{2003, 1, 7}).text, "Сегодня нет праздников");
    files.remove(paths.CelebPath);
    const TodayLine missing = RefreshTodayLine(store, clock.localNow());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.text, "Ошибка!\r\nФайл \"Data\\Celeb.dmr\" не найден");
}

} // namespace
} // namespace domora
