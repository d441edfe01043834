#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(FakePlatform, AnswersAsSetAndLogsEveryCallInOrder) {
    FakePlatform fake;
    fake.instanceFree = false;
    fake.launcherResult = 2;
    fake.damageReport = "повреждён";
    Platform& platform = fake;

    EXPECT_FALSE(platform.singleInstance().acquire());
    EXPECT_FALSE(platform.singleInstance().showAlreadyRunning("уже запущена"));
    EXPECT_TRUE(platform.autostart().set("/opt/domora/domora"));
    EXPECT_TRUE(platform.autostart().isSet());
    EXPECT_EQ(platform.launcher().startProgram("Notebox.exe", {"1", "a b", ""}, "/app/"), 2);
    EXPECT_TRUE(platform.keyboard().activateRussian());
    EXPECT_TRUE(platform.taskbar().hideReportingWasVisible());
    EXPECT_FALSE(platform.taskbar().hideReportingWasVisible());
    platform.taskbar().show();
    EXPECT_EQ(platform.location().executableDir(), "/opt/domora/");
    EXPECT_EQ(platform.takeSettingsDamageReport(), "повреждён");
    EXPECT_EQ(platform.takeSettingsDamageReport(), "");

    const std::vector<std::string> expected = {
        "singleInstance.acquire",
        "singleInstance.showAlreadyRunning уже запущена",
        "autostart.set /opt/domora/domora",
        "autostart.isSet",
        "launcher.start Notebox.exe [1|a b|] dir=/app/",
        "keyboard.activateRussian",
        "taskbar.hide",
        "taskbar.hide",
        "taskbar.show",
    };
    EXPECT_EQ(fake.calls(), expected);
    ASSERT_EQ(fake.launches.size(), 1U);
    EXPECT_EQ(fake.launches[0].fields, (std::vector<std::string>{"1", "a b", ""}));
}

} // namespace
} // namespace domora
