#include "Win32TestSupport.h"
#include "platform/win32/Win32SingleInstance.h"

#include <cstdlib>

namespace domora {
namespace {

using namespace test;

TEST(Win32SingleInstanceTest, ASecondProcessSeesTheMutex) {
    const std::string command = "\"" + HelperPath() + "\" --mutex";
    EXPECT_EQ(RunAndWait(command, 30000), 0); // nobody holds it yet
    {
        Win32SingleInstance instance;
        ASSERT_TRUE(instance.acquire());
        EXPECT_TRUE(instance.acquire());
        EXPECT_EQ(RunAndWait(command, 30000), 1);
    }
    EXPECT_EQ(RunAndWait(command, 30000), 0); // dropped with the last handle
}

class Win32LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = RunFolder("domora-launcher-");
        folder = root / PathOf("Папка с пробелом");
        fs::create_directories(folder);
        fs::copy_file(HelperPath(), folder / "test helper.exe");
        folderText = Utf8Of(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    Win32Launcher launcher;
    fs::path root;
    fs::path folder; // a Cyrillic name with a blank
    std::string folderText;
};

// The fields are joined by blanks, so paths with blanks travel as short paths; a field that
// is empty or keeps a blank (no short form) still arrives as one argument; Cyrillic letters
// travel in the ANSI code page and come back as the same text.
TEST_F(Win32LauncherTest, ArgumentsArriveIntactThroughShortPaths) {
    const std::string shortFolder = launcher.shortPathOf(folderText);
    ASSERT_EQ(shortFolder.find(' '), std::string::npos) << shortFolder;
    EXPECT_TRUE(fs::equivalent(PathOf(shortFolder), folder));
    const std::string program = folderText + "\\test helper.exe";
    EXPECT_EQ(launcher.shortPathOf(program).find(' '), std::string::npos);

    const std::vector<std::string> fields = {"--echo", shortFolder + "\\вывод.txt", shortFolder, "Будильник",
                                             "",       "C:\\нет такой папки\\",     "ёЁ«Опции»"};
    EXPECT_GT(launcher.startProgram(program, fields, folderText), 32);

    const auto text = WaitForFile(folderText + "\\вывод.txt");
    ASSERT_TRUE(text);
    const auto lines = LinesOf(*text);
    ASSERT_EQ(lines.size(), 7U) << *text;
    EXPECT_TRUE(fs::equivalent(PathOf(lines[0]), folder)) << lines[0]; // the working folder
    EXPECT_TRUE(fs::equivalent(PathOf(lines[1]), folder / "test helper.exe")) << lines[1];
    EXPECT_TRUE(fs::equivalent(PathOf(lines[2]), folder)) << lines[2];
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()),
              std::vector<std::string>(fields.begin() + 3, fields.end()));
}

// A text the ANSI code page cannot hold is refused, not passed on with question marks; a
// program that is not there gives a failure code.
TEST_F(Win32LauncherTest, RefusalsStartNothing) {
    const std::string output = launcher.shortPathOf(folderText) + "\\out.txt";
    EXPECT_EQ(launcher.startProgram(HelperPath(), {"--echo", output, "日本"}, folderText),
              Win32Launcher::kTextNotInCodePage);
    EXPECT_EQ(launcher.startProgram(folderText + "\\日本.exe", {}, folderText),
              Win32Launcher::kTextNotInCodePage);
    EXPECT_EQ(launcher.startProgram(HelperPath(), {"--echo", output}, folderText + "\\日本"),
              Win32Launcher::kTextNotInCodePage);
    EXPECT_LE(launcher.startProgram("no_such_program.exe", {}, folderText), 32);
    // A path without a short form comes back unchanged.
    EXPECT_EQ(launcher.shortPathOf(folderText + "\\日本"), folderText + "\\日本");
    EXPECT_EQ(launcher.shortPathOf(""), "");
}

// A watched program is seen ending through its process handle; one that cannot start is
// told with the shell's reason.
TEST_F(Win32LauncherTest, AWatchedProgramIsSeenEnding) {
    const std::string output = launcher.shortPathOf(folderText) + "\\watched.txt";
    std::string failure;
    auto watched = launcher.startWatched(HelperPath(), {"--echo", output}, folderText, &failure);
    ASSERT_NE(watched, nullptr) << failure;
    EXPECT_EQ(watched->descriptor(), -1);
    bool ended = false;
    for (int i = 0; i < 600 && !ended; ++i) {
        ended = watched->finished();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(WaitForFile(output));

    EXPECT_EQ(launcher.startWatched(folderText + "\\no_such_program.exe", {}, folderText, &failure), nullptr);
    EXPECT_EQ(failure, "Не удалось запустить «" + folderText + "\\no_such_program.exe»: файл не найден.");
    EXPECT_EQ(launcher.startWatched(HelperPath(), {"日本"}, folderText, &failure), nullptr);
    EXPECT_EQ(failure,
              "Не удалось запустить «" + HelperPath() +
                  "»: в имени, параметрах или папке есть знаки, которых нет в кодовой странице системы.");
}

// The parameter text goes through a 255-character buffer: 255 characters pass whole,
// 256 are refused with a failure code and nothing starts. The count is of characters in the
// ANSI code page, one byte each, not of the two UTF-8 bytes of a Cyrillic letter.
TEST_F(Win32LauncherTest, ParameterTextFillsItsBufferButNeverOverflowsIt) {
    const std::string output = launcher.shortPathOf(folderText) + "\\out.txt";
    const std::string head = "--echo " + output + " ";
    ASSERT_LT(head.size(), 200U);
    std::string filler;
    for (std::size_t i = Utf8ToAnsi(head).value().size(); i < 255; ++i) {
        filler += "ж";
    }

    EXPECT_LE(launcher.startProgram(HelperPath(), {"--echo", output, filler + "y"}, folderText), 32);
    EXPECT_GT(launcher.startProgram(HelperPath(), {"--echo", output, filler}, folderText), 32);
    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    EXPECT_EQ(LinesOf(*text).back(), filler);
}

TEST_F(Win32LauncherTest, AtomicWriteReplacesTheFileWhole) {
    Win32FileStore files;
    const std::string path = folderText + "\\Будильники.DMR";
    const std::string bytes("a\0b\r\n\xE0\xFF", 7);
    EXPECT_FALSE(files.exists(path));
    ASSERT_TRUE(files.writeAtomic(path, "old contents, longer than the new"));
    ASSERT_TRUE(files.writeAtomic(path, bytes));
    EXPECT_EQ(files.readAll(path), bytes);
    EXPECT_TRUE(fs::exists(folder / PathOf("Будильники.DMR"))); // the name, not question marks
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2); // no leftovers

    std::string error;
    EXPECT_FALSE(files.writeAtomic(folderText + "\\missing\\x.bin", "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(files.writeAtomic(folderText + "\\bad\xC3.bin", "x", &error)); // not UTF-8
    EXPECT_NE(error.find("UTF-8"), std::string::npos) << error;
    EXPECT_FALSE(files.readAll(folderText + "\\missing.bin"));
}

// The folder from the environment comes back as the same UTF-8 text.
TEST(Win32AppLocationTest, HomeFromTheEnvironmentKeepsItsCyrillicName) {
    ASSERT_EQ(_wputenv_s(L"DOMORA_HOME", L"C:\\Домора Лайт"), 0);
    EXPECT_EQ(Win32AppLocation().appDir(), "C:\\Домора Лайт\\");
    _wputenv_s(L"DOMORA_HOME", L"");
    EXPECT_EQ(Win32AppLocation().appDir(), Win32AppLocation().executableDir());
}

} // namespace
} // namespace domora
