#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace domora {

// The application folder and the fixed file paths under it, set once at start-up.
struct AppPaths {
    std::string AppDir; // ends with the folder separator
    std::string BudilPath;
    std::string CelebPath;
    std::string ZadanPath;
    std::string BipBipWav;
    std::string JinWav;
    std::string KuKuWav;
    std::string TimerWav;

    // `appDir` with or without its trailing separator.
    static AppPaths FromAppDir(const std::string& appDir);
};

// Flags shared by the schedulers: a holiday reminded today, an alarm fired today, and the
// start flag of their minute gates (1 until the first gate has made its pass).
struct SharedFlags {
    std::array<std::uint8_t, 1000> CelebReminded{}; // one for every position of the holiday file
    std::array<std::uint8_t, 100> AlarmFired{};
    std::uint8_t FirstPassPending = 1;

    void clear();
};

} // namespace domora
