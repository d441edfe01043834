#include "platform/posix/TimerFdWallTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <poll.h>

namespace domora {
namespace {

std::int64_t RealNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool Readable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) == 1;
}

// The timer wakes its descriptor at the instant of the wall clock it was set to, not
// before, and a new setting replaces the one before.
TEST(TimerFdWallTimer, WakesAtTheInstantItWasSetTo) {
    TimerFdWallTimer timer;
    ASSERT_GE(timer.descriptor(), 0);
    EXPECT_EQ(timer.takeWake(), WallTimer::Wake::None);

    ASSERT_TRUE(timer.wakeAt(RealNowMs() + 60'000));
    const std::int64_t due = RealNowMs() + 150;
    ASSERT_TRUE(timer.wakeAt(due));
    ASSERT_TRUE(Readable(timer.descriptor(), 5000));
    EXPECT_GE(RealNowMs(), due);
    EXPECT_EQ(timer.takeWake(), WallTimer::Wake::Due);
    EXPECT_EQ(timer.takeWake(), WallTimer::Wake::None);

    // An instant already past wakes it at once.
    ASSERT_TRUE(timer.wakeAt(RealNowMs() - 10'000));
    ASSERT_TRUE(Readable(timer.descriptor(), 1000));
    EXPECT_EQ(timer.takeWake(), WallTimer::Wake::Due);
}

} // namespace
} // namespace domora
