#include "core/app/AppPaths.h"

#include <filesystem>

namespace domora {

AppPaths AppPaths::FromAppDir(const std::string& appDir) {
    constexpr char sep = static_cast<char>(std::filesystem::path::preferred_separator);
    const std::string s(1, sep);
    AppPaths paths;
    // An empty folder name stands for the current folder.
    paths.AppDir = appDir.empty() ? "." : appDir;
    if (paths.AppDir.back() != sep && paths.AppDir.back() != '/') {
        paths.AppDir += sep;
    }
    const std::string& dir = paths.AppDir;
    paths.BudilPath = dir + "Data" + s + "Budil.DMR";
    paths.CelebPath = dir + "Data" + s + "Celeb.DMR";
    paths.ZadanPath = dir + "Data" + s + "Zadan.DMR";
    paths.BipBipWav = dir + "Sound" + s + "Bud" + s + "Bip-Bip.wav";
    paths.JinWav = dir + "Sound" + s + "Bud" + s + "Jin.wav";
    paths.KuKuWav = dir + "Sound" + s + "Bud" + s + "KuKu.wav";
    paths.TimerWav = dir + "sound" + s + "timer" + s + "timer.WAV";
    return paths;
}

void SharedFlags::clear() {
    CelebReminded.fill(0);
    AlarmFired.fill(0);
}

} // namespace domora
