#pragma once

#include "core/app/ProgramStarter.h"

#include <memory>
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
    // Started as above, with a pidfd to watch (none on kernels before 5.3: then finished()
    // is polled). The watcher reaps the child; a watcher dropped before the child ended hands
    // it back to this launcher, which reaps it with the others.
    std::unique_ptr<WatchedProgram> startWatched(const std::string& file,
                                                 const std::vector<std::string>& fields,
                                                 const std::string& directory, std::string* failure) override;
    std::string shortPathOf(const std::string& path) override { return path; }

    // The program that startProgram would run for `file`, or empty when there is none.
    std::string locate(const std::string& file) const;

    static constexpr int Started = 33;
    static constexpr int NotFound = 2;
    static constexpr int AccessDenied = 5;
    static constexpr int OtherError = 0;

private:
    void reapEnded();
    // Starts the program; one of the results above, and a Russian reason for a failure.
    int spawn(const std::string& file, const std::vector<std::string>& fields, const std::string& directory,
              pid_t* child, std::string* reason);

    std::string executableDir_;
    // The children not yet reaped; shared with the watchers, which hand theirs back.
    std::shared_ptr<std::vector<pid_t>> children_ = std::make_shared<std::vector<pid_t>>();
};

} // namespace domora
