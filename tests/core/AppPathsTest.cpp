#include "core/app/AppPaths.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace domora {
namespace {

TEST(AppPaths, OneSeparatorAfterTheFolderWhetherOrNotItEndsWithOne) {
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const std::string dir = sep + "opt" + sep + "domora";
    for (const std::string& given : {dir, dir + sep}) {
        const AppPaths p = AppPaths::FromAppDir(given);
        EXPECT_EQ(p.AppDir, dir + sep);
        EXPECT_EQ(p.BudilPath, dir + sep + "Data" + sep + "Budil.DMR");
    }
    EXPECT_EQ(AppPaths::FromAppDir("").AppDir, "." + sep); // the current folder
}

// The paths name the files shipped in resources/, letter case included.
TEST(AppPaths, NameTheShippedFiles) {
    const AppPaths p = AppPaths::FromAppDir(TestDataPath("../../resources"));
    for (const std::string& file : {p.BudilPath, p.CelebPath, p.BipBipWav, p.JinWav, p.KuKuWav, p.TimerWav}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    }
}

} // namespace
} // namespace domora
