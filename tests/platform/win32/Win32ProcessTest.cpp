#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32SingleInstance.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

namespace domora {
namespace {

namespace fs = std::filesystem;

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
        folder = root / "dir with blank";
        fs::create_directories(folder);
        fs::copy_file(HelperPath(), folder / "test helper.exe");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    Win32Launcher launcher;
    fs::path root;
    fs::path folder;
};

// The fields are joined by blanks, so paths with blanks travel as short paths.
TEST_F(Win32LauncherTest, ArgumentsArriveIntactThroughShortPaths) {
    const std::string shortFolder = launcher.shortPathOf(folder.string());
    ASSERT_EQ(shortFolder.find(' '), std::string::npos) << shortFolder;
    EXPECT_TRUE(fs::equivalent(shortFolder, folder));
    const std::string program = launcher.shortPathOf((folder / "test helper.exe").string());
    ASSERT_EQ(program.find(' '), std::string::npos) << program;

    const std::string output = shortFolder + "\\out.txt";
    const std::vector<std::string> fields = {"--echo", output, shortFolder, "ALARM", "12", "EMPTY"};
    EXPECT_GT(launcher.startProgram(program, fields, folder.string()), 32);

    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    const auto lines = LinesOf(*text);
    ASSERT_EQ(lines.size(), 5U) << *text;
    EXPECT_TRUE(fs::equivalent(lines[0], folder)) << lines[0]; // the working folder
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
              std::vector<std::string>(fields.begin() + 2, fields.end()));
}

// The parameter text goes through a 255-character buffer: 255 characters pass whole,
// 256 are refused with a failure code and nothing starts.
TEST_F(Win32LauncherTest, ParameterTextFillsItsBufferButNeverOverflowsIt) {
    const std::string output = launcher.shortPathOf(folder.string()) + "\\out.txt";
    const std::string head = "--echo " + output + " ";
    ASSERT_LT(head.size(), 200U);
    const std::string filler(255 - head.size(), 'x');

    EXPECT_LE(launcher.startProgram(HelperPath(), {"--echo", output, filler + "y"}, folder.string()), 32);
    EXPECT_GT(launcher.startProgram(HelperPath(), {"--echo", output, filler}, folder.string()), 32);
    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    EXPECT_EQ(LinesOf(*text).back(), filler);
}

TEST_F(Win32LauncherTest, ABareNameIsFoundBesideTheExecutable) {
    const std::string output = launcher.shortPathOf(folder.string()) + "\\bare.txt";
    EXPECT_GT(launcher.startProgram("domora_test_helper.exe", {"--echo", output, "bare"}, folder.string()),
              32);
    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    EXPECT_EQ(LinesOf(*text).back(), "bare");
    EXPECT_LE(launcher.startProgram("no_such_program.exe", {}, folder.string()), 32);
}

TEST_F(Win32LauncherTest, PathsWithoutAShortFormComeBackUnchanged) {
    const std::string missing = (folder / "no such file.txt").string();
    EXPECT_EQ(launcher.shortPathOf(missing), missing);
    EXPECT_EQ(launcher.shortPathOf(""), "");
}

TEST_F(Win32LauncherTest, AtomicWriteReplacesTheFileWhole) {
    Win32FileStore files;
    const std::string path = (folder / "data.bin").string();
    const std::string bytes("a\0b\r\n\xE0\xFF", 7);
    EXPECT_FALSE(files.exists(path));
    ASSERT_TRUE(files.writeAtomic(path, "old contents, longer than the new"));
    ASSERT_TRUE(files.writeAtomic(path, bytes));
    EXPECT_EQ(files.readAll(path), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2); // no leftovers

    std::string error;
    EXPECT_FALSE(files.writeAtomic((folder / "missing" / "x.bin").string(), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(files.readAll((folder / "missing.bin").string()));
}

} // namespace
} // namespace domora
