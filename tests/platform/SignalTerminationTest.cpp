#include "platform/TerminationRequests.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>

namespace domora {
namespace {

bool Readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 1000) == 1;
}

// Each of the three signals wakes the descriptor once and is taken once; the program is
// not ended by them while it listens.
TEST(SignalTermination, EachSignalIsOneRequest) {
    const auto requests = ListenForTerminationRequests();
    ASSERT_GE(requests->descriptor(), 0);
    EXPECT_FALSE(requests->take());
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(std::raise(signal), 0);
        EXPECT_TRUE(Readable(requests->descriptor())) << signal;
        EXPECT_TRUE(requests->take()) << signal;
        EXPECT_FALSE(requests->take()) << signal;
    }
}

} // namespace
} // namespace domora
