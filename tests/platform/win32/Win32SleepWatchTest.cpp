#include "platform/win32/Win32SleepWatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace domora {
namespace {

// The broadcasts as the system sends them to the program's hidden window: a sleep, the
// automatic resume and the resume for the user after it, which is the same wake.
TEST(Win32SleepWatchTest, TheHiddenWindowHearsASleepAndOneWake) {
    std::vector<SleepWatch::Change> changes;
    Win32SleepWatch watch;
    ASSERT_TRUE(watch.start([&](SleepWatch::Change change) { changes.push_back(change); }));
    EXPECT_EQ(watch.descriptor(), -1);
    // Top-level on a desktop; message-only where there is none (Wine without a display).
    HWND window = FindWindowW(Win32SleepWatch::kWindowClass, nullptr);
    if (window == nullptr) {
        window = FindWindowExW(HWND_MESSAGE, nullptr, Win32SleepWatch::kWindowClass, nullptr);
    }
    ASSERT_NE(window, nullptr);
    for (const WPARAM event :
         {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND, PBT_APMPOWERSTATUSCHANGE}) {
        EXPECT_EQ(SendMessageW(window, WM_POWERBROADCAST, event, 0), TRUE);
    }
    EXPECT_EQ(changes,
              (std::vector<SleepWatch::Change>{SleepWatch::Change::Suspending, SleepWatch::Change::Resumed}));
}

} // namespace
} // namespace domora
