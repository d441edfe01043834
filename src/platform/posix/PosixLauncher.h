#pragma once

#include "core/app/ProgramStarter.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace domora {

// Starts programs with posix_spawn: no shell, each field of the command line one argument.
// Results follow the Windows shell: 33 started, 2 not found, 5 cannot be executed, 0 for
// any other failure.
class PosixLauncher final : public ProgramStarter {
public:
    // `executableDir`: where sibling programs are looked up first (with its trailing '/').
    explicit PosixLauncher(std::string executableDir);
    ~PosixLauncher() override;

    // A name without '/' is looked up beside the running program (without regard to case,
    // and also without a trailing ".exe", so "Notebox.exe" finds "notebox"), then in PATH.
    // A path is used as it is, its components matched without regard to case. The program
    // is not waited for; children that have ended are reaped on each call.
    int startProgram(const std::string& file, const std::vector<std::string>& fields,
                     const std::string& directory) override;
    std::string shortPathOf(const std::string& path) override { return path; }

    // The program that startProgram would run for `file`, or empty when there is none.
    std::string locate(const std::string& file) const;

    static constexpr int Started = 33;
    static constexpr int NotFound = 2;
    static constexpr int AccessDenied = 5;
    static constexpr int OtherError = 0;

private:
    void reapEnded();

    std::string executableDir_;
    std::vector<pid_t> children_;
};

} // namespace domora
