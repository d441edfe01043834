#include "platform/posix/PosixLauncher.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace domora {
namespace {

using namespace std::chrono_literals;

// Children of this process that have ended but were not reaped, by command name.
int Zombies(const std::string& command) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const auto stat = test::ReadFile(entry.path().string() + "/stat");
        if (!stat) {
            continue;
        }
        const auto close = stat->rfind(')');
        const auto open = stat->find('(');
        if (open == std::string::npos || close == std::string::npos) {
            continue;
        }
        char state = 0;
        int parent = 0;
        std::sscanf(stat->c_str() + close + 1, " %c %d", &state, &parent);
        count += state == 'Z' && parent == ::getpid() && stat->substr(open + 1, close - open - 1) == command;
    }
    return count;
}

TEST(PosixLauncher, EachFieldArrivesAsOneArgumentInTheWorkingFolder) {
    test::TempFolder tmp;
    std::filesystem::create_directories(tmp.path("bin"));
    std::filesystem::create_directories(tmp.path("work dir"));
    test::WriteEchoScript(tmp.path("bin/notebox"), tmp.path("out.txt"));
    PosixLauncher launcher(tmp.path("bin"));
    const std::vector<std::string> fields = {"1", "a b", "", "$HOME;echo x|cat>y", "'q' \"w\" *", "Привет"};
    const std::string expected = std::filesystem::canonical(tmp.path("work dir")).string() +
                                 "\n1\na b\n\n$HOME;echo x|cat>y\n'q' \"w\" *\nПривет\n";
    // By path, and by the Windows name found beside the program.
    for (const std::string& file : {tmp.path("bin/notebox"), std::string("Notebox.exe")}) {
        std::filesystem::remove(tmp.path("out.txt"));
        ASSERT_EQ(launcher.startProgram(file, fields, tmp.path("work dir")), 33) << file;
        EXPECT_EQ(test::WaitForFile(tmp.path("out.txt")), expected) << file;
    }
    EXPECT_EQ(launcher.locate("NOTEBOX.EXE"), tmp.path("bin/notebox"));
    EXPECT_EQ(launcher.shortPathOf("/a b/c"), "/a b/c");

    // Ended children are reaped by later calls, not left as zombies.
    int zombies = 1;
    for (auto waited = 0ms; waited < 5s && zombies > 0; waited += 20ms) {
        launcher.startProgram("no-such-program", {}, "");
        zombies = Zombies("notebox");
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(zombies, 0);
}

// startProgram() answers with the shell's codes; startWatched() starts nothing and names the cause.
TEST(PosixLauncher, FailuresGiveTheShellsCodesAndAReason) {
    test::TempFolder tmp;
    test::WriteFile(tmp.path("plain.txt"), "not a program");
    ::chmod(tmp.path("plain.txt").c_str(), 0644);
    test::WriteEchoScript(tmp.path("ok"), tmp.path("out.txt"));
    PosixLauncher launcher(tmp.path());
    const struct {
        std::string file;
        std::string directory;
        int result;
        std::string reason;
    } cases[] = {
        {"Missing.exe", tmp.path(), 2, "«Missing.exe»: программы нет ни рядом с этой, ни в папках поиска"},
        {tmp.path("missing/prog"), tmp.path(), 2, "prog»: файл не найден."},
        {"", tmp.path(), 2, "«»: программы нет"},
        {tmp.path("plain.txt"), tmp.path(), 5, "нет права на запуск файла «" + tmp.path("plain.txt") + "»."},
        {tmp.path(), tmp.path(), 2, "файл не найден."}, // a folder is no program
        {tmp.path("ok"), tmp.path("no such folder"), 0,
         "нет рабочей папки «" + tmp.path("no such folder") + "»."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(launcher.startProgram(c.file, {}, c.directory), c.result)
            << c.file << " in " << c.directory;
        std::string failure;
        EXPECT_EQ(launcher.startWatched(c.file, {}, c.directory, &failure), nullptr) << c.file;
        EXPECT_TRUE(failure.starts_with("Не удалось запустить «")) << failure;
        EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
    }
}

bool Readable(int descriptor, std::chrono::milliseconds wait) {
    pollfd watch{descriptor, POLLIN, 0};
    return ::poll(&watch, 1, static_cast<int>(wait.count())) == 1 && (watch.revents & POLLIN) != 0;
}

// A watched program, found by its Windows name like the other helpers: its descriptor wakes
// the caller when it ends, finished() reaps it, and no zombie stays, also of a program whose
// watcher was dropped while it ran.
TEST(PosixLauncher, AWatchedProgramIsSeenEndingAndReaped) {
    test::TempFolder tmp;
    std::filesystem::create_directories(tmp.path("bin"));
    // It runs until the file named by its argument exists.
    test::WriteFile(tmp.path("bin/tallyup"), "#!/bin/sh\nwhile [ ! -e \"$1\" ]; do sleep 0.02; done\n");
    ::chmod(tmp.path("bin/tallyup").c_str(), 0755);
    PosixLauncher launcher(tmp.path("bin"));

    std::string failure;
    auto watched = launcher.startWatched("Tallyup.exe", {tmp.path("end")}, tmp.path(), &failure);
    ASSERT_NE(watched, nullptr) << failure;
    EXPECT_TRUE(failure.empty());
    ASSERT_GE(watched->descriptor(), 0); // every kernel since 5.3 has pidfds
    EXPECT_FALSE(watched->finished());
    EXPECT_FALSE(Readable(watched->descriptor(), 0ms));
    EXPECT_EQ(::fcntl(watched->descriptor(), F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);

    auto dropped = launcher.startWatched("tallyup", {tmp.path("end")}, "", nullptr);
    ASSERT_NE(dropped, nullptr);
    dropped.reset();

    test::WriteFile(tmp.path("end"), "");
    EXPECT_TRUE(Readable(watched->descriptor(), 10s));
    EXPECT_TRUE(watched->finished());
    EXPECT_TRUE(watched->finished()); // and stays so

    int zombies = 1;
    for (auto waited = 0ms; waited < 5s && zombies > 0; waited += 20ms) {
        launcher.startProgram("no-such-program", {}, ""); // reaps the one handed back
        zombies = Zombies("tallyup");
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(zombies, 0);
}

} // namespace
} // namespace domora
