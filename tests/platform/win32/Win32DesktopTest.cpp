#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32Taskbar.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

// Wine knows the Russian layout by its identifier "00000419".
TEST(Win32DesktopTest, TheRussianLayoutLoads) {
    EXPECT_TRUE(Win32KeyboardLayout().activateRussian());
}

// Wine without a display has no taskbar window: it counts as visible, so the close question
// finds nothing to bring back, and showing it does nothing.
TEST(Win32DesktopTest, WithoutATaskbarWindowItCountsAsVisible) {
    Win32Taskbar taskbar;
    EXPECT_TRUE(taskbar.hideReportingWasVisible());
    taskbar.show();
    EXPECT_TRUE(taskbar.hideReportingWasVisible());
}

} // namespace
} // namespace domora
