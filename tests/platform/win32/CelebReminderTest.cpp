// The holiday reminder handing its note to the note program for real: the store and the
// reminder of core, the Windows launcher and file store, and the test helper copied as
// "Notebox.exe" beside this executable, in an application folder whose name holds a blank
// and Cyrillic letters.
#include "core/holidays/CelebReminder.h"
#include "core/base/Cp1251.h"
#include "core/base/FakeClock.h"
#include "core/base/OleDate.h"
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

namespace domora {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
    return fs::path(Utf8ToWide(utf8).value());
}
std::string Utf8Of(const fs::path& path) {
    return WideToUtf8(path.wstring());
}

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

// The lines the stand-in note program wrote: its working folder, its own path, then each
// argument.
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

TEST(CelebReminderWin32, TheNoteProgramGetsTheSoundTheNoteAndTheNumbers) {
    const fs::path root =
        fs::temp_directory_path() /
        ("domora-celeb-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    const fs::path appDir = root / PathOf("Домора Лайт");
    fs::create_directories(appDir / "Data");
    fs::create_directories(appDir / "sound" / "timer");
    const AppPaths paths = AppPaths::FromAppDir(Utf8Of(appDir));
    Win32FileStore files;
    ASSERT_TRUE(files.writeAtomic(paths.TimerWav, "RIFF"));
    const std::string exeDir = Win32AppLocation().executableDir();
    const fs::path note = PathOf(exeDir + std::string(CelebReminder::kNoteProgram));
    fs::copy_file(PathOf(exeDir + "domora_test_helper.exe"), note, fs::copy_options::overwrite_existing);
    const fs::path echo = root / "echo.txt";
    SetEnvironmentVariableW(L"DOMORA_TEST_ECHO", echo.wstring().c_str());

    CelebStore store(files, paths.CelebPath);
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
    CelebReminder reminder(store, files, clock, flags, starter, paths);
    const CelebReminderResult result = reminder.RemindPass(30);
    EXPECT_EQ(result.reminded, (std::vector<int>{3, 7}));
    ASSERT_EQ(starter.results.size(), 1U);
    EXPECT_GT(starter.results[0], 32);

    const auto lines = TakeEcho(echo);
    ASSERT_TRUE(lines) << "the note program did not start";
    ASSERT_EQ(lines->size(), 6U) << ::testing::PrintToString(*lines);
    EXPECT_TRUE(fs::equivalent(PathOf((*lines)[0]), appDir)) << (*lines)[0];
    EXPECT_TRUE(fs::equivalent(PathOf((*lines)[1]), note)) << (*lines)[1];
    EXPECT_EQ((*lines)[2], "1");
    for (const auto& [argument, file] :
         {std::pair{(*lines)[3], PathOf(paths.TimerWav)}, std::pair{(*lines)[4], appDir / "Tmp_Celeb.txt"}}) {
        EXPECT_EQ(argument.find(' '), std::string::npos) << argument;
        EXPECT_TRUE(fs::exists(PathOf(argument)) && fs::equivalent(PathOf(argument), file)) << argument;
    }
    EXPECT_EQ((*lines)[5], "3,7");
    EXPECT_EQ(files.readAll(Utf8Of(appDir / "Tmp_Celeb.txt")),
              Utf8ToCp1251Lossy(
                  "Сообщение о наступлении праздника\r\n"
                  "День: 4\r\nМесяц: 2\r\nНазвание праздника: Праздник 3\r\nКомментарий: №3\r\n\r\n"
                  "День: 4\r\nМесяц: 2\r\nНазвание праздника: Праздник 7\r\nКомментарий: №7\r\n\r\n"));

    SetEnvironmentVariableW(L"DOMORA_TEST_ECHO", nullptr);
    // The note program may still be running from its copy.
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

} // namespace
} // namespace domora
