#include "platform/posix/PosixSingleInstance.h"
#include "platform/posix/PosixLauncher.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace domora {
namespace {

// Another process takes the lock; this one cannot while it lives, and can once it has
// ended, whether it exited or was killed.
class SingleInstanceAcrossProcesses : public testing::TestWithParam<bool> {};

TEST_P(SingleInstanceAcrossProcesses, SecondCopyIsRefusedUntilTheFirstEnds) {
    const bool killed = GetParam();
    test::TempFolder tmp;
    const std::string lock = tmp.path("domora.lock");
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        PosixSingleInstance first(lock);
        const char held = first.acquire() ? 'y' : 'n';
        (void)!::write(ready[1], &held, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1); // until the parent lets go
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 'y');

    PosixSingleInstance second(lock);
    EXPECT_FALSE(second.acquire());
    if (killed) {
        ::kill(child, SIGKILL);
    }
    ::close(release[1]);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    EXPECT_TRUE(second.acquire());
    EXPECT_TRUE(second.acquire()); // held already
}

INSTANTIATE_TEST_SUITE_P(ExitedOrKilled, SingleInstanceAcrossProcesses, testing::Bool());

TEST(PosixSingleInstance, StartedProgramsDoNotInheritTheLock) {
    test::TempFolder tmp;
    const std::string lock = tmp.path("domora.lock");
    {
        PosixSingleInstance running(lock);
        ASSERT_TRUE(running.acquire());
        PosixLauncher launcher("/nonexistent/");
        ASSERT_EQ(launcher.startProgram("sleep", {"1"}, tmp.path()), 33);
    } // the program ends while the helper it started still runs
    EXPECT_TRUE(PosixSingleInstance(lock).acquire());
}

// Named markers (the notes' places on the screen): one holder at a time, free again when it
// goes.
TEST(PosixSingleInstance, NamedMarkersAreHeldOnceEach) {
    auto first = CreateNamedMarker("domora-test-marker");
    ASSERT_TRUE(first->acquire());
    EXPECT_FALSE(CreateNamedMarker("domora-test-marker")->acquire());
    EXPECT_TRUE(CreateNamedMarker("domora-test-other")->acquire());
    first.reset();
    EXPECT_TRUE(CreateNamedMarker("domora-test-marker")->acquire());
}

} // namespace
} // namespace domora
