// The alarm scheduler firing the note program for real: the scheduler and the store of core,
// the Windows launcher and file store, and the test helper copied as "Notebox.exe" beside
// this executable, where the launcher finds a bare program name.
#include "Win32TestSupport.h"
#include "core/alarms/AlarmScheduler.h"
#include "core/alarms/AlarmStore.h"
#include "testing/core/FakeClock.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace domora {
namespace {

using namespace test;

class AlarmFiringTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = RunFolder("domora-fire-");
        appDir = root / PathOf("Домора Лайт");
        const fs::path alarmDir = root / PathOf("Мои будильники");
        fs::create_directories(appDir / "Data");
        fs::create_directories(appDir / "Sound" / "Bud");
        fs::create_directories(alarmDir);
        paths = AppPaths::FromAppDir(Utf8Of(appDir));
        sound = alarmDir / PathOf("Утренний звонок.wav");
        text = alarmDir / PathOf("Текст 1.txt");
        picture = alarmDir / PathOf("Моя картинка.bmp");
        for (const fs::path& file : {sound, text, picture, PathOf(paths.JinWav)}) {
            ASSERT_TRUE(files.writeAtomic(Utf8Of(file), "data"));
        }
        note = std::make_unique<NoteProgramStandIn>(std::string(AlarmScheduler::kNoteProgram), root);
    }
    void TearDown() override { note.reset(); } // removes the folder, within the test

    Win32FileStore files;
    AppPaths paths;
    fs::path root, appDir, sound, text, picture;
    std::unique_ptr<NoteProgramStandIn> note;
};

// Four alarms a minute apart on a Tuesday morning, each started with its own command line:
// fields joined by blanks, so every path travels in its short form.
TEST_F(AlarmFiringTest, TheNoteProgramGetsFourFieldsWithShortPaths) {
    struct Row {
        const char* what;
        std::function<void(AlarmRecord&)> set;
        std::vector<Expected> arguments;
    };
    using namespace std::string_literals;
    const std::vector<Row> rows = {
        {"a text alarm limited to two firings",
         [&](AlarmRecord& a) {
             a.Repeat = "2";
             a.WavSound = true;
             a.WavFile = Utf8Of(sound);
         },
         {"1"s, sound, text, "1"s}},
        {"a silent alarm",
         [&](AlarmRecord& a) {
             a.NoSound = true;
             a.WavSound = true;
             a.WavFile = Utf8Of(sound);
         },
         {"1"s, "not"s, text, "2"s}},
        {"an alarm with an empty text",
         [&](AlarmRecord& a) {
             a.TextFile = "  ";
             a.Mp3Sound = true;
             a.Mp3File = Utf8Of(sound);
         },
         {"1"s, sound, "EMPTY"s, "3"s}},
        {"a picture alarm with a built-in melody",
         [&](AlarmRecord& a) {
             a.TextMessage = false;
             a.PictureMessage = true;
             a.PictureFile = Utf8Of(picture);
             a.BuiltinSound = true;
             a.BuiltinName = "Звонок";
         },
         {"0"s, PathOf(paths.JinWav), picture, "4"s}},
    };

    FakeClock clock;
    AlarmStore store(files, paths.BudilPath, clock);
    ASSERT_TRUE(store.ClearAlarms());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        AlarmRecord alarm;
        alarm.Hour = 7;
        alarm.Minute = 30 + static_cast<int>(i);
        alarm.Recurrence = "Всегда";
        alarm.Weekdays = {true, true, true, true, true, false, false};
        alarm.Repeat = std::string(kRepeatUnlimited);
        alarm.TextMessage = true;
        alarm.TextFile = Utf8Of(text);
        alarm.SwitchedOn = true;
        rows[i].set(alarm);
        ASSERT_TRUE(store.AddAlarm(alarm));
        ASSERT_EQ(store.LoadAlarm(static_cast<int>(i + 1)).record, alarm) << "a path cut to its field";
    }
    const auto before = store.ReadRecords();
    ASSERT_TRUE(before);

    clock.setLocal({2024, 1, 2, 0, 7, 30, 0, 0}); // a Tuesday
    std::uint8_t firstPassPending = 1;
    MinuteGate gate(firstPassPending);
    SharedFlags flags;
    LaunchingStarter starter;
    AlarmScheduler scheduler(store, clock, gate, flags, starter, paths);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        scheduler.AlarmTick();
        ASSERT_EQ(starter.results.size(), static_cast<std::size_t>(&row - rows.data() + 1));
        EXPECT_GT(starter.results.back(), 32);
        note->expectStart(appDir, row.arguments);
        clock.advanceMs(60'000);
    }

    // The limited alarm counted down to "1" and stays on for its last firing; every other
    // record is byte for byte what it was.
    const AlarmRecord first = store.LoadAlarm(1).record;
    EXPECT_EQ(first.Repeat, "1");
    EXPECT_TRUE(first.SwitchedOn);
    const auto after = store.ReadRecords();
    ASSERT_TRUE(after);
    ASSERT_EQ(after->size(), before->size());
    EXPECT_NE((*after)[0], (*before)[0]);
    EXPECT_TRUE(std::equal(after->begin() + 1, after->end(), before->begin() + 1));
}

} // namespace
} // namespace domora
