// The holiday reminder handing its note to the note program for real: the store and the
// reminder of core, the Windows launcher and file store, and the test helper copied as
// "Notebox.exe" beside this executable, in an application folder whose name holds a blank
// and Cyrillic letters.
#include "core/holidays/HolidayReminder.h"
#include "Win32TestSupport.h"
#include "core/base/Cp1251.h"
#include "core/base/OleDate.h"
#include "testing/core/FakeClock.h"

namespace domora {
namespace {

using namespace test;

TEST(HolidayReminderWin32, TheNoteProgramGetsTheSoundTheNoteAndTheNumbers) {
    const fs::path root = RunFolder("domora-celeb-");
    const fs::path appDir = root / PathOf("Домора Лайт");
    fs::create_directories(appDir / "Data");
    fs::create_directories(appDir / "sound" / "timer");
    const AppPaths paths = AppPaths::FromAppDir(Utf8Of(appDir));
    Win32FileStore files;
    ASSERT_TRUE(files.writeAtomic(paths.TimerWav, "RIFF"));
    const NoteProgramStandIn note(std::string(HolidayReminder::kNoteProgram), root);

    HolidayStore store(files, paths.CelebPath);
    ASSERT_TRUE(store.ClearCelebs());
    const double feb4 = OleDateOnly(2002, 2, 4);
    for (int i = 1; i <= 7; ++i) {
        const bool due = i == 3 || i == 7;
        ASSERT_TRUE(store.AddCeleb(due ? "Праздник " + std::to_string(i) : "Другой",
                                   due ? "№" + std::to_string(i) : "", i - 1,
                                   due ? feb4 : OleDateOnly(2002, 3, i)));
    }
    FakeClock clock;
    clock.setLocal({2003, 1, 5, 1, 9, 0, 10, 0});
    SharedFlags flags;
    LaunchingStarter starter;
    HolidayReminder reminder(store, files, clock, flags, starter, paths);
    const HolidayReminderResult result = reminder.RemindPass(30);
    EXPECT_EQ(result.reminded, (std::vector<int>{3, 7}));
    ASSERT_EQ(starter.results.size(), 1U);
    EXPECT_GT(starter.results[0], 32);

    note.expectStart(
        appDir, {std::string("1"), PathOf(paths.TimerWav), appDir / "Tmp_Celeb.txt", std::string("3,7")});
    EXPECT_EQ(files.readAll(Utf8Of(appDir / "Tmp_Celeb.txt")),
              Utf8ToCp1251Lossy(
                  "Сообщение о наступлении праздника\r\n"
                  "День: 4\r\nМесяц: 2\r\nНазвание праздника: Праздник 3\r\nКомментарий: №3\r\n\r\n"
                  "День: 4\r\nМесяц: 2\r\nНазвание праздника: Праздник 7\r\nКомментарий: №7\r\n\r\n"));
}

} // namespace
} // namespace domora
