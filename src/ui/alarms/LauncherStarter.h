#pragma once

#include "core/app/ProgramStarter.h"
#include "platform/ProgramLauncher.h"

namespace domora {

// Core's way of starting the helper programs, carried out by the platform's launcher.
class LauncherStarter final : public ProgramStarter {
public:
    explicit LauncherStarter(ProgramLauncher& launcher) : launcher_(launcher) {}

    int startProgram(const std::string& file, const std::vector<std::string>& fields,
                     const std::string& directory) override {
        return launcher_.startProgram(file, fields, directory);
    }
    std::string shortPathOf(const std::string& path) override { return launcher_.shortPathOf(path); }

private:
    ProgramLauncher& launcher_;
};

} // namespace domora
