#include "platform/posix/PosixTaskStarter.h"

#include "TestSupport.h"
#include "platform/fake/FakePlatform.h"
#include "platform/posix/PosixLauncher.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace domora {
namespace {

namespace fs = std::filesystem;

// A folder with a blank and Cyrillic letters holding the echoing program "x", and an
// application folder of its own; PATH holds only the folder of the stand-in xdg-open and
// the system's.
class PosixTaskStarterTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(programs);
        fs::create_directories(tmp.path("app"));
        fake.appDirValue = tmp.path("app");
        test::WriteEchoScript(programs + "/x", out);
        test::WriteEchoScript(tmp.path("bin/xdg-open"), out);
    }

    // The working folder and the arguments the started program wrote.
    std::string startedWith() {
        const auto text = test::WaitForFile(out);
        fs::remove(out);
        return text.value_or("(nothing started)");
    }

    test::TempFolder tmp;
    const std::string programs = tmp.path("Мои программы");
    const std::string out = tmp.path("out.txt");
    test::ScopedEnv path{"PATH", tmp.path("bin") + ":/usr/bin:/bin"};
    PosixLauncher launcher{""};
    FakePlatform fake; // its application folder
    PosixTaskStarter starter{launcher, fake.location()};
};

TEST_F(PosixTaskStarterTest, ProgramGetsItsParametersAsShellWordsUninterpreted) {
    const auto result = starter.start(programs, "x", R"("a b" $HOME;rm -rf x 'c d')");
    ASSERT_TRUE(result.done) << result.failure;
    EXPECT_EQ(startedWith(), fs::canonical(programs).string() + "\na b\n$HOME;rm\n-rf\nx\nc d\n");

    // Found in PATH when the folder is empty or missing, and then run in the application
    // folder.
    const test::ScopedEnv withPrograms{"PATH", programs + ":/usr/bin:/bin"};
    for (const std::string& directory : {std::string(), tmp.path("нет папки")}) {
        ASSERT_TRUE(starter.start(directory, "x", "Привет").done) << directory;
        EXPECT_EQ(startedWith(), fs::canonical(tmp.path("app")).string() + "\nПривет\n") << directory;
    }
}

TEST_F(PosixTaskStarterTest, DocumentOpensInTheDesktopsDefaultApplication) {
    test::WriteFile(programs + "/заметка.txt", "текст");
    ASSERT_TRUE(starter.start(programs + "/", "заметка.txt", "-x ignored").done);
    EXPECT_EQ(startedWith(), fs::canonical(programs).string() + "\n" + programs + "/заметка.txt\n");
}

TEST_F(PosixTaskStarterTest, FailuresNameTheFile) {
    const struct {
        std::string directory;
        std::string fileName;
        std::string failure;
    } cases[] = {
        {"", "нет-такой", "Не найден файл «нет-такой»: его нет в папках поиска программ (PATH)."},
        {programs, "нет.exe",
         "Не найден файл «нет.exe»: его нет ни в папке «" + programs +
             "», ни в папках поиска программ (PATH)."},
        {"", programs + "/нет", "Не найден файл «" + programs + "/нет»."},
        {programs, "", "В задании не указан файл для запуска."},
    };
    for (const auto& c : cases) {
        const auto result = starter.start(c.directory, c.fileName, "a");
        EXPECT_FALSE(result.done) << c.fileName;
        EXPECT_EQ(result.failure, c.failure);
    }
    const test::ScopedEnv noOpener{"PATH", "/nonexistent"};
    test::WriteFile(programs + "/заметка.txt", "текст");
    EXPECT_EQ(starter.start(programs, "заметка.txt", "").failure,
              "Не удалось открыть файл «" + programs +
                  "/заметка.txt»: это не программа, а программа «xdg-open», которая открывает файлы "
                  "программой по умолчанию, не найдена.");
}

} // namespace
} // namespace domora
