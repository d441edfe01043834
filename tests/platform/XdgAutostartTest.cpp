#include "platform/posix/XdgAutostart.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(XdgAutostart, WritesAValidEntryAndRemovesIt) {
    test::TempFolder tmp;
    test::ScopedEnv config("XDG_CONFIG_HOME", tmp.path("config"));
    XdgAutostart autostart;
    EXPECT_EQ(autostart.desktopFilePath(), tmp.path("config/autostart/domora.desktop"));
    EXPECT_FALSE(autostart.isSet());
    EXPECT_FALSE(autostart.remove());

    ASSERT_TRUE(autostart.set("/home/user/My Programs/domora"));
    EXPECT_EQ(test::ReadFile(autostart.desktopFilePath()), "[Desktop Entry]\n"
                                                           "Type=Application\n"
                                                           "Name=Domora Lite 2003\n"
                                                           "Exec=\"/home/user/My Programs/domora\"\n"
                                                           "X-GNOME-Autostart-enabled=true\n"
                                                           "Terminal=false\n");
    EXPECT_TRUE(autostart.isSet());
    EXPECT_TRUE(autostart.remove());
    EXPECT_FALSE(autostart.isSet());
}

TEST(XdgAutostart, SwitchedOffInTheDesktopSettingsIsNotSet) {
    test::TempFolder tmp;
    XdgAutostart autostart(tmp.path("domora.desktop"));
    test::WriteFile(tmp.path("domora.desktop"), "[Desktop Entry]\nExec=domora\nHidden=true\n");
    EXPECT_FALSE(autostart.isSet());
}

TEST(DesktopExecArgument, QuotesAndEscapesReservedCharacters) {
    const struct {
        std::string argument;
        std::string exec;
    } cases[] = {
        {"/usr/bin/domora", "/usr/bin/domora"},
        {"/opt/a b/domora", "\"/opt/a b/domora\""},
        {"/opt/100%/domora", "/opt/100%%/domora"},
        {"/opt/$x`y\"z/d", "\"/opt/\\\\$x\\\\`y\\\\\"z/d\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/a;b&c|d", "\"/opt/a;b&c|d\""},
        {"/opt/Мои программы/domora", "\"/opt/Мои программы/domora\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DesktopExecArgument(c.argument), c.exec) << c.argument;
    }
}

} // namespace
} // namespace domora
