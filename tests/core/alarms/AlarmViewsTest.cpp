#include "AlarmTestSupport.h"

#include "core/alarms/AlarmViews.h"
#include "core/base/OleDate.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using test::Alarm;

TEST(AlarmRowTexts, EveryColumn) {
    MemoryFileStore files;
    files.put("/app/Temp/File0.txt", "x");
    files.put("C:\\Music\\ring.mp3", "x");

    AlarmRecord weekdays = Alarm(7, 5);
    weekdays.TextFile = "/app/Temp/File0.txt";
    weekdays.Weekdays = {true, false, true, false, false, false, false};
    weekdays.NoSound = false;
    weekdays.BuiltinSound = true;
    weekdays.BuiltinName = "Звонок";

    AlarmRecord dated = Alarm(23, 0, "Каждый последний день месяца", "3");
    dated.UseDate = true;
    dated.AlarmDate = OleDateOnly(2027, 3, 9);
    dated.TextMessage = false;
    dated.PictureFile = "/app/none.bmp";
    dated.Mp3Sound = true;
    dated.Mp3File = "C:\\Music\\ring.mp3";
    dated.NoSound = false;

    AlarmRecord rule = Alarm(0, 30, "Каждый последний день месяца", "1");
    rule.WavSound = true; // with the silent flag too: the last one named wins
    rule.WavFile = "/gone.wav";

    struct Case {
        int number;
        AlarmRecord record;
        AlarmRow row;
    };
    const Case cases[] = {
        {1, weekdays, {"1", "7:5", "", "File0.txt", "ПН,СР,", "Безконечно", "Звонок"}},
        {2, dated, {"2", "23:0", "09.03.2027", "Файл не найден!", "", "3", "ring.mp3"}},
        {3, rule, {"3", "0:30", "", "Файл не найден!", "Каждый последний день месяца", "1", "Нет"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlarmRowTexts(c.number, c.record, files), c.row) << c.number;
    }
}

// The other melodies, trimming and unknown names: SchedulerTest.TheNoteProgramsCommandLine.
TEST(MelodyFile, BipBip) {
    const AppPaths paths = AppPaths::FromAppDir("/app/");
    EXPECT_EQ(MelodyFile(paths, "БИП-БИП"), paths.BipBipWav);
}

TEST(TypedText, PathSkipsNamesOtherAlarmsUse) {
    AlarmRecord taken = Alarm(1, 0);
    taken.TextFile = "/app/Temp/FILE2.TXT";
    const std::vector<AlarmRecord> alarms = {Alarm(1, 0), taken, Alarm(2, 0)};
    EXPECT_EQ(TypedTextPath("/app/", alarms, 3, 0), "/app/Temp/File3.txt");
    EXPECT_EQ(TypedTextPath("/app/", alarms, 2, 0), "/app/Temp/File3.txt");
    EXPECT_EQ(TypedTextPath("/app/", alarms, 2, 2), "/app/Temp/File2.txt"); // its own file
    EXPECT_EQ(TypedTextPath("C:\\D\\", alarms, -1, 0), "C:\\D\\Temp\\File0.txt");
}

TEST(TypedText, EncodedAndWrittenIntoAFolderMadeForIt) {
    struct Case {
        std::string_view typed;
        std::string bytes;
    };
    const Case cases[] = {
        {"Привет\nмир", "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\r\n"},
        {"a\n", "a\r\n"},
        {"a\n\n", "a\r\n\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string bytes;
        ASSERT_TRUE(EncodeTypedText(c.typed, bytes)) << c.typed;
        EXPECT_EQ(bytes, c.bytes) << c.typed;
    }
    std::string bytes;
    char32_t bad = 0;
    EXPECT_FALSE(EncodeTypedText("ok ☺", bytes, &bad));
    EXPECT_EQ(bad, U'☺');

    MemoryFileStore files;
    ASSERT_TRUE(WriteTypedText(files, "/app/Temp/File0.txt", "x"));
    EXPECT_EQ(files.files().at("/app/Temp/File0.txt"), "x");
    files.setWritesFail(true);
    std::string error;
    EXPECT_FALSE(WriteTypedText(files, "/app/Temp/File1.txt", "y", &error));
    EXPECT_NE(error.find("нет места на диске"), std::string::npos) << error;
}

} // namespace
} // namespace domora
