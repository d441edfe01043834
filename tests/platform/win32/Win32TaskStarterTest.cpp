#include "platform/win32/Win32TaskStarter.h"
#include "Win32TestSupport.h"

namespace domora {
namespace {

using namespace test;

// The test helper copied as "test helper.exe" into a folder with a blank and Cyrillic letters.
class Win32TaskStarterTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = RunFolder("domora-tasks-");
        folder = root / PathOf("Мои программы");
        fs::create_directories(folder);
        fs::copy_file(PathOf(HelperPath()), folder / "test helper.exe");
        folderText = Utf8Of(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    Win32TaskStarter starter;
    fs::path root;
    fs::path folder;
    std::string folderText;
};

// The shell finds the program in the task's folder, runs it there, and the parameter text
// reaches it as written: quoted words with blanks and Cyrillic letters come as one argument.
TEST_F(Win32TaskStarterTest, ProgramStartsInItsFolderWithTheParametersAsWritten) {
    const std::string output = folderText + "\\вывод задания.txt";
    const auto result =
        starter.start(folderText, "test helper.exe", "--echo \"" + output + "\" \"a b\" Привет 'c");
    ASSERT_TRUE(result.done) << result.failure;
    const auto text = WaitForFile(output);
    ASSERT_TRUE(text);
    const auto lines = LinesOf(*text);
    ASSERT_EQ(lines.size(), 5U) << *text;
    EXPECT_TRUE(fs::equivalent(PathOf(lines[0]), folder)) << lines[0];
    EXPECT_TRUE(fs::equivalent(PathOf(lines[1]), folder / "test helper.exe")) << lines[1];
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"a b", "Привет", "'c"}));
}

TEST_F(Win32TaskStarterTest, FailuresNameTheFile) {
    EXPECT_EQ(starter.start(folderText, "нет такой.exe", "").failure,
              "Не удалось запустить «нет такой.exe»: файл не найден.");
    EXPECT_EQ(starter.start(folderText, "", "").failure, "В задании не указан файл для запуска.");
    // A text the ANSI code page cannot hold is refused rather than passed with question marks.
    const auto refused = starter.start(folderText, "test helper.exe", "日本");
    EXPECT_EQ(refused.failure.rfind("Не удалось запустить «test helper.exe». Текст «日本»", 0), 0U)
        << refused.failure;
}

} // namespace
} // namespace domora
