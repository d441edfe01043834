#include "core/app/AppPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace domora {
namespace {

TEST(AppPaths, ComposedUnderTheFolderWithOrWithoutItsSeparator) {
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const std::string dir = sep + "opt" + sep + "domora";
    for (const std::string& given : {dir, dir + sep}) {
        const AppPaths p = AppPaths::FromAppDir(given);
        EXPECT_EQ(p.AppDir, dir + sep);
        EXPECT_EQ(p.BudilPath, dir + sep + "Data" + sep + "Budil.DMR");
        EXPECT_EQ(p.CelebPath, dir + sep + "Data" + sep + "Celeb.DMR");
        EXPECT_EQ(p.ZadanPath, dir + sep + "Data" + sep + "Zadan.DMR");
        EXPECT_EQ(p.BipBipWav, dir + sep + "Sound" + sep + "Bud" + sep + "Bip-Bip.wav");
        EXPECT_EQ(p.JinWav, dir + sep + "Sound" + sep + "Bud" + sep + "Jin.wav");
        EXPECT_EQ(p.KuKuWav, dir + sep + "Sound" + sep + "Bud" + sep + "KuKu.wav");
        EXPECT_EQ(p.TimerWav, dir + sep + "sound" + sep + "timer" + sep + "timer.WAV");
    }
}

} // namespace
} // namespace domora
