#include "platform/posix/PosixAppLocation.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

TEST(PosixAppLocation, ExecutableFromProc) {
    PosixAppLocation location;
    EXPECT_EQ(location.executablePath().substr(location.executablePath().rfind('/') + 1),
              "domora_platform_tests");
    EXPECT_EQ(location.executableDir().back(), '/');
}

TEST(PosixAppLocation, HomeFromTheEnvironmentComesFirstAndIsMade) {
    TempFolder tmp;
    WriteFile(tmp.path("bin/Data/Budil.DMR"), "");
    ScopedEnv home("DOMORA_HOME", tmp.path("portable/home"));
    PosixAppLocation location(tmp.path("bin/domora"));
    EXPECT_EQ(location.appDir(), tmp.path("portable/home/"));
    EXPECT_TRUE(std::filesystem::is_directory(tmp.path("portable/home")));
}

TEST(PosixAppLocation, FolderOfTheExecutableWhenItHoldsData) {
    TempFolder tmp;
    WriteFile(tmp.path("bin/DATA/BUDIL.DMR"), "");
    ScopedEnv home("DOMORA_HOME", std::nullopt);
    PosixAppLocation location(tmp.path("bin/domora"));
    EXPECT_EQ(location.executableDir(), tmp.path("bin/"));
    EXPECT_EQ(location.appDir(), tmp.path("bin/"));
}

TEST(PosixAppLocation, UserDataFolderIsLaidDownFromTheInstalledCopyOnce) {
    TempFolder tmp;
    WriteFile(tmp.path("usr/bin/domora"), "");
    WriteFile(tmp.path("usr/share/domora/Data/Budil.DMR"), "installed");
    WriteFile(tmp.path("usr/share/domora/Sound/Bud/Jin.wav"), "wav");
    ScopedEnv home("DOMORA_HOME", std::nullopt);
    ScopedEnv data("XDG_DATA_HOME", tmp.path("data"));
    EXPECT_EQ(PosixAppLocation(tmp.path("usr/bin/domora")).appDir(), tmp.path("data/domora/"));
    EXPECT_EQ(test::ReadFile(tmp.path("data/domora/Data/Budil.DMR")), "installed");
    EXPECT_EQ(test::ReadFile(tmp.path("data/domora/Sound/Bud/Jin.wav")), "wav");
    EXPECT_EQ(test::Listing(tmp.path("data")), "domora"); // no temporary copy left

    WriteFile(tmp.path("data/domora/Data/Budil.DMR"), "the user's alarms");
    EXPECT_EQ(PosixAppLocation(tmp.path("usr/bin/domora")).appDir(), tmp.path("data/domora/"));
    EXPECT_EQ(test::ReadFile(tmp.path("data/domora/Data/Budil.DMR")), "the user's alarms");
}

} // namespace
} // namespace domora
