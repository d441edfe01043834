#include "platform/posix/XkbKeyboardLayout.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

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

// A virtual X server of its own, where the layouts can be set without touching the
// user's desktop. Skipped where none is installed.
TEST(XkbKeyboardLayout, LocksTheRussianGroupOfAVirtualDisplay) {
    if (::access("/usr/bin/Xvfb", X_OK) != 0 || ::access("/usr/bin/setxkbmap", X_OK) != 0) {
        GTEST_SKIP() << "Xvfb or setxkbmap missing";
    }
    test::VirtualDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    XkbKeyboardLayout keyboard(display.name());
    ASSERT_TRUE(test::RunToEnd({"setxkbmap", "-display", display.name(), "-layout", "us,ru"}));
    EXPECT_EQ(keyboard.currentGroup(), 0);
    EXPECT_TRUE(keyboard.activateRussian());
    EXPECT_EQ(keyboard.currentGroup(), 1);

    ASSERT_TRUE(test::RunToEnd({"setxkbmap", "-display", display.name(), "-layout", "us,de"}));
    EXPECT_FALSE(keyboard.activateRussian());
}

} // namespace
} // namespace domora
