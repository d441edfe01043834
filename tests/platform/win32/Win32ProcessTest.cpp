#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32Text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

namespace domora {
namespace {

namespace fs = std::filesystem;

// Paths are UTF-8 in the program; std::filesystem takes them wide here.
fs::path PathOf(const std::string& utf8) {
    return fs::path(Utf8ToWide(utf8).value());
}
std::string Utf8Of(const fs::path& path) {
    return WideToUtf8(path.wstring());
}

std::string HelperPath() {
    return Win32AppLocation().executableDir() + "domora_test_helper.exe";
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// What the helper wrote, once it has written it.
std::optional<std::string> WaitForFile(const std::string& path) {
    Win32FileStore files;
    for (int i = 0; i < 200; ++i) {
        if (auto text = files.readAll(path)) {
            return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

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
        root = fs::temp_directory_path() /
               ("domora-launcher-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
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

// The fields are joined by blanks, so paths with blanks travel as short paths; Cyrillic
// letters travel in the ANSI code page and come back as the same text.
TEST_F(Win32LauncherTest, ArgumentsArriveIntactThroughShortPaths) {
    const std::string shortFolder = launcher.shortPathOf(folderText);
    ASSERT_EQ(shortFolder.find(' '), std::string::npos) << shortFolder;
    EXPECT_TRUE(fs::equivalent(PathOf(shortFolder), folder));
    const std::string program = folderText + "\\test helper.exe";
    EXPECT_EQ(launcher.shortPathOf(program).find(' '), std::string::npos);

    const std::vector<std::string> fields = {
        "--echo", shortFolder + "\\вывод.txt", shortFolder, "Будильник", "№12", "ёЁ«Опции»"};
    EXPECT_GT(launcher.startProgram(program, fields, folderText), 32);

    const auto text = WaitForFile(folderText + "\\вывод.txt");
    ASSERT_TRUE(text);
    const auto lines = LinesOf(*text);
    ASSERT_EQ(lines.size(), 6U) << *text;
    EXPECT_TRUE(fs::equivalent(PathOf(lines[0]), folder)) << lines[0]; // the working folder
    EXPECT_TRUE(fs::equivalent(PathOf(lines[1]), folder / "test helper.exe")) << lines[1];
    EXPECT_TRUE(fs::equivalent(PathOf(lines[2]), folder)) << lines[2];
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()),
              std::vector<std::string>(fields.begin() + 3, fields.end()));
}

// A field that is empty or holds a blank (a path without a short form) still arrives as
// one argument, so the fields after it keep their places.
TEST_F(Win32LauncherTest, EmptyFieldsAndFieldsWithBlanksKeepTheirPlaces) {
    const std::string output = launcher.shortPathOf(folderText) + "\\поля.txt";
    const std::vector<std::string> fields = {"--echo", output, "0", "", "C:\\нет такой папки\\", "4"};
    EXPECT_GT(launcher.startProgram(HelperPath(), fields, folderText), 32);
    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    const auto lines = LinesOf(*text);
    ASSERT_EQ(lines.size(), 6U) << *text;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"0", "", "C:\\нет такой папки\\", "4"}));
}

// A text the ANSI code page cannot hold is refused, not passed on with question marks.
TEST_F(Win32LauncherTest, TextsOutsideTheCodePageAreRefused) {
    const std::string output = launcher.shortPathOf(folderText) + "\\out.txt";
    EXPECT_EQ(launcher.startProgram(HelperPath(), {"--echo", output, "日本"}, folderText),
              Win32Launcher::kTextNotInCodePage);
    EXPECT_EQ(launcher.startProgram(folderText + "\\日本.exe", {}, folderText),
              Win32Launcher::kTextNotInCodePage);
    EXPECT_EQ(launcher.startProgram(HelperPath(), {"--echo", output}, folderText + "\\日本"),
              Win32Launcher::kTextNotInCodePage);
    EXPECT_EQ(launcher.shortPathOf(folderText + "\\日本"), folderText + "\\日本");
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

TEST_F(Win32LauncherTest, ABareNameIsFoundBesideTheExecutable) {
    const std::string output = launcher.shortPathOf(folderText) + "\\bare.txt";
    EXPECT_GT(launcher.startProgram("domora_test_helper.exe", {"--echo", output, "bare"}, folderText), 32);
    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    EXPECT_EQ(LinesOf(*text).back(), "bare");
    EXPECT_LE(launcher.startProgram("no_such_program.exe", {}, folderText), 32);
}

TEST_F(Win32LauncherTest, PathsWithoutAShortFormComeBackUnchanged) {
    const std::string missing = (folder / "no such file.txt").string();
    EXPECT_EQ(launcher.shortPathOf(missing), missing);
    EXPECT_EQ(launcher.shortPathOf(""), "");
}

TEST_F(Win32LauncherTest, AtomicWriteReplacesTheFileWhole) {
    Win32FileStore files;
    const std::string path = folderText + "\\Будильники.DMR";
    const std::string bytes("a\0b\r\n\xE0\xFF", 7);
    EXPECT_FALSE(files.exists(path));
    ASSERT_TRUE(files.writeAtomic(path, "old contents, longer than the new"));
    ASSERT_TRUE(files.writeAtomic(path, bytes));
    EXPECT_EQ(files.readAll(path), bytes);
    EXPECT_TRUE(files.exists(path));
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
