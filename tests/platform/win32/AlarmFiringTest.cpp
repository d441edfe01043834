// The alarm scheduler firing the note program for real: the scheduler and the store of core,
// the Windows launcher and file store, and the test helper copied as "Notebox.exe" beside
// this executable, where the launcher finds a bare program name.
#include "core/alarms/AlarmScheduler.h"
#include "core/alarms/AlarmStore.h"
#include "core/base/FakeClock.h"
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>
#include <variant>

namespace domora {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
    return fs::path(Utf8ToWide(utf8).value());
}
std::string Utf8Of(const fs::path& path) {
    return WideToUtf8(path.wstring());
}

// Core logic starts programs through its own port; here it goes straight to the launcher.
class LaunchingStarter final : public ProgramStarter {
public:
    int startProgram(const std::string& file, const std::vector<std::string>& fields,
                     const std::string& directory) override {
        results.push_back(launcher.startProgram(file, fields, directory));
        return results.back();
    }
    std::string shortPathOf(const std::string& path) override { return launcher.shortPathOf(path); }

    Win32Launcher launcher;
    std::vector<int> results;
};

// The lines the stand-in note program wrote (its working folder, its own path, then each
// argument), once it has written them; the file is taken away for the next start.
std::optional<std::vector<std::string>> TakeEcho(const fs::path& file) {
    Win32FileStore files;
    for (int i = 0; i < 200; ++i) {
        if (auto text = files.readAll(Utf8Of(file))) {
            fs::remove(file);
            std::vector<std::string> lines;
            std::istringstream in(*text);
            for (std::string line; std::getline(in, line);) {
                lines.push_back(line);
            }
            return lines;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

// An argument expected as this very text, or as a path without blanks naming this file.
using Expected = std::variant<std::string, fs::path>;

class AlarmFiringTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("domora-fire-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
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
        const std::string exeDir = Win32AppLocation().executableDir();
        note = PathOf(exeDir + std::string(AlarmScheduler::kNoteProgram));
        fs::copy_file(PathOf(exeDir + "domora_test_helper.exe"), note, fs::copy_options::overwrite_existing);
        echo = root / "echo.txt";
        SetEnvironmentVariableW(L"DOMORA_TEST_ECHO", echo.wstring().c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"DOMORA_TEST_ECHO", nullptr);
        // The last note program may still be running from its copy, in the application folder.
        for (int i = 0; i < 100; ++i) {
            std::error_code error;
            fs::remove(note, error);
            if (!error) {
                fs::remove_all(root, error);
            }
            if (!error) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ADD_FAILURE() << "left behind: " << Utf8Of(root);
    }

    Win32FileStore files;
    AppPaths paths;
    fs::path root, appDir, sound, text, picture, note, echo;
};

// Four alarms a minute apart on a Tuesday morning, each started with its own command line:
// fields joined by blanks, so every path travels in its short form.
TEST_F(AlarmFiringTest, TheNoteProgramGetsFourFieldsWithShortPaths) {
    struct Row {
        const char* what;
        std::function<void(BudilRecord&)> set;
        std::vector<Expected> arguments;
    };
    using namespace std::string_literals;
    const std::vector<Row> rows = {
        {"a text alarm limited to two firings",
         [&](BudilRecord& a) {
             a.Repeat = "2";
             a.WavSound = true;
             a.WavFile = Utf8Of(sound);
         },
         {"1"s, sound, text, "1"s}},
        {"a silent alarm",
         [&](BudilRecord& a) {
             a.NoSound = true;
             a.WavSound = true;
             a.WavFile = Utf8Of(sound);
         },
         {"1"s, "not"s, text, "2"s}},
        {"an alarm with an empty text",
         [&](BudilRecord& a) {
             a.TextFile = "  ";
             a.Mp3Sound = true;
             a.Mp3File = Utf8Of(sound);
         },
         {"1"s, sound, "EMPTY"s, "3"s}},
        {"a picture alarm with a built-in melody",
         [&](BudilRecord& a) {
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
        BudilRecord alarm;
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
        const auto lines = TakeEcho(echo);
        ASSERT_TRUE(lines) << "the note program did not start";
        ASSERT_EQ(lines->size(), 2 + row.arguments.size()) << ::testing::PrintToString(*lines);
        EXPECT_TRUE(fs::equivalent(PathOf((*lines)[0]), appDir)) << (*lines)[0]; // the working folder
        EXPECT_TRUE(fs::equivalent(PathOf((*lines)[1]), note)) << (*lines)[1];
        for (std::size_t i = 0; i < row.arguments.size(); ++i) {
            const std::string& argument = (*lines)[2 + i];
            if (const auto* file = std::get_if<fs::path>(&row.arguments[i])) {
                EXPECT_EQ(argument.find(' '), std::string::npos) << argument;
                EXPECT_TRUE(fs::exists(PathOf(argument)) && fs::equivalent(PathOf(argument), *file))
                    << argument << " is not " << Utf8Of(*file);
            } else {
                EXPECT_EQ(argument, std::get<std::string>(row.arguments[i]));
            }
        }
        clock.advanceMs(60'000);
    }

    // The limited alarm counted down to "1" and stays on for its last firing; every other
    // record is byte for byte what it was.
    const BudilRecord first = store.LoadAlarm(1).record;
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
