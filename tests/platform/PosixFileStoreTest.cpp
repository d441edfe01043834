#include "platform/posix/PosixFileStore.h"

#include "core/alarms/AlarmViews.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace domora {
namespace {

using test::Listing;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// The folding itself is in PathsTest; here the lookups on a real folder.
TEST(ResolvePathNoCase, FindsFilesOfAFolderCopiedFromWindows) {
    TempFolder tmp;
    WriteFile(tmp.path("Data/BUDIL.DMR"), "b");
    WriteFile(tmp.path("Sound/Timer/TIMER.wav"), "t");
    const struct {
        std::string asked;
        std::string found;
    } cases[] = {
        {"data/budil.dmr", "Data/BUDIL.DMR"},
        {"sound/timer/timer.WAV", "Sound/Timer/TIMER.wav"},
        {"Data/Celeb.DMR", "Data/Celeb.DMR"},         // a new file in the real folder
        {"DATA/new/Celeb.DMR", "Data/new/Celeb.DMR"}, // the rest as written once nothing matches
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolvePathNoCase(tmp.path(c.asked)), tmp.path(c.found)) << c.asked;
    }
}

TEST(PosixFileStore, ReadsAndReplacesAFileUnderAnotherLetterCase) {
    TempFolder tmp;
    WriteFile(tmp.path("Data/BUDIL.DMR"), "old");
    PosixFileStore files;
    EXPECT_TRUE(files.exists(tmp.path("Data/Budil.DMR")));
    EXPECT_EQ(files.readAll(tmp.path("data/Budil.DMR")), "old");
    std::string error;
    ASSERT_TRUE(files.writeAtomic(tmp.path("Data/Budil.DMR"), std::string("new\0bytes", 9), &error)) << error;
    EXPECT_EQ(Listing(tmp.path("Data")), "BUDIL.DMR"); // no second file, no temporary left
    EXPECT_EQ(ReadFile(tmp.path("Data/BUDIL.DMR")), std::string("new\0bytes", 9));
    EXPECT_FALSE(files.readAll(tmp.path("Data/Zadan.DMR")));
    EXPECT_FALSE(files.exists(tmp.path("Data/Zadan.DMR")));
}

TEST(PosixFileStore, FailedWriteLeavesTheOldStateAndSaysWhy) {
    TempFolder tmp;
    WriteFile(tmp.path("file"), "not a folder");
    WriteFile(tmp.path("target/inside"), "a folder stands where the file should go");
    PosixFileStore files;
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {"file/Budil.DMR", "в пути вместо папки стоит файл"},
        {"target", "на месте файла находится папка"}, // the rename fails
        {"missing/Budil.DMR", "папка не найдена"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(files.writeAtomic(tmp.path(c.path), "bytes", &error)) << c.path;
        EXPECT_EQ(error, "Не удалось записать файл «" + tmp.path(c.path) + "»: " + c.reason);
    }
    EXPECT_EQ(Listing(tmp.path()), "file target");
    EXPECT_EQ(Listing(tmp.path("target")), "inside");
    EXPECT_EQ(ReadFile(tmp.path("file")), "not a folder");
}

TEST(PosixFileStore, TypedTextMakesItsMissingFolder) {
    TempFolder tmp;
    WriteFile(tmp.path("TEMP/old.txt"), "o");
    WriteFile(tmp.path("file"), "not a folder");
    PosixFileStore files;
    std::string error;
    ASSERT_TRUE(WriteTypedText(files, tmp.path("New/File0.txt"), "a", &error)) << error;
    ASSERT_TRUE(WriteTypedText(files, tmp.path("Temp/File1.txt"), "b", &error)) << error;
    EXPECT_EQ(Listing(tmp.path()), "New TEMP file");
    EXPECT_EQ(Listing(tmp.path("TEMP")), "File1.txt old.txt");
    EXPECT_TRUE(files.makeFolder(tmp.path("new")));
    EXPECT_FALSE(files.makeFolder(tmp.path("file/sub"), &error));
    EXPECT_EQ(error,
              "Не удалось создать папку «" + tmp.path("file/sub") + "»: в пути вместо папки стоит файл");
}

TEST(PosixFileStore, DiskFullHalfWayKeepsTheOldFile) {
    TempFolder tmp;
    const std::string file = tmp.path("Budil.DMR");
    WriteFile(file, "old records");
    // A child whose files may not grow past 4 KiB stands in for a full disk.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool written = PosixFileStore().writeAtomic(file, std::string(100000, 'x'), &error);
        ::_exit(!written && error.find("файл слишком велик") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(file), "old records");
    EXPECT_EQ(Listing(tmp.path()), "Budil.DMR");
}

} // namespace
} // namespace domora
