#include "platform/posix/XkbKeyboardLayout.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace domora {
namespace {

TEST(RussianGroupIndex, FindsRuAmongTheConfiguredLayouts) {
    const struct {
        std::string layouts;
        std::optional<int> group;
    } cases[] = {
        {"us,ru", 1},
        {"ru", 0},
        {"us, ru", 1},
        {"us,de", std::nullopt},
        {"", std::nullopt},
        {"rus,us", std::nullopt},
        {"us,de,fr,gb,ru", std::nullopt}, // XKB has 4 groups
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RussianGroupIndex(c.layouts), c.group) << c.layouts;
    }
}

TEST(XkbKeyboardLayout, NoDisplayNoSwitch) {
    test::ScopedEnv display("DISPLAY", std::nullopt);
    EXPECT_FALSE(XkbKeyboardLayout().activateRussian());
}

pid_t Spawn(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

bool RunToEnd(std::vector<std::string> arguments) {
    const pid_t pid = Spawn(std::move(arguments));
    int status = 1;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A virtual X server of its own, where the layouts can be set without touching the
// user's desktop. Skipped where none is installed.
TEST(XkbKeyboardLayout, LocksTheRussianGroupOfAVirtualDisplay) {
    if (::access("/usr/bin/Xvfb", X_OK) != 0 || ::access("/usr/bin/setxkbmap", X_OK) != 0) {
        GTEST_SKIP() << "Xvfb or setxkbmap missing";
    }
    int numberPipe[2];
    ASSERT_EQ(::pipe(numberPipe), 0);
    const pid_t server =
        Spawn({"Xvfb", "-displayfd", std::to_string(numberPipe[1]), "-nolisten", "tcp", "-noreset"});
    ::close(numberPipe[1]);
    ASSERT_GT(server, 0);
    std::string number;
    pollfd wait{numberPipe[0], POLLIN, 0};
    char c = 0;
    while (::poll(&wait, 1, 10000) == 1 && ::read(numberPipe[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(numberPipe[0]);
    if (!number.empty()) {
        const std::string display = ":" + number;
        XkbKeyboardLayout keyboard(display);
        ASSERT_TRUE(RunToEnd({"setxkbmap", "-display", display, "-layout", "us,ru"}));
        EXPECT_EQ(keyboard.currentGroup(), 0);
        EXPECT_TRUE(keyboard.activateRussian());
        EXPECT_EQ(keyboard.currentGroup(), 1);

        ASSERT_TRUE(RunToEnd({"setxkbmap", "-display", display, "-layout", "us,de"}));
        EXPECT_FALSE(keyboard.activateRussian());
    }
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
}

} // namespace
} // namespace domora
