#pragma once

#include "platform/SingleInstance.h"

#include <string>

namespace domora {

// $XDG_RUNTIME_DIR/domora.lock, or /tmp/domora-<uid>.lock without a runtime folder.
std::string DefaultInstanceLockPath();

// An exclusive flock on the lock file, kept for the life of the object; the kernel drops
// it when the process ends, also when it dies.
class PosixSingleInstance final : public SingleInstance {
public:
    PosixSingleInstance();
    explicit PosixSingleInstance(std::string lockPath);
    ~PosixSingleInstance() override;
    PosixSingleInstance(const PosixSingleInstance&) = delete;
    PosixSingleInstance& operator=(const PosixSingleInstance&) = delete;

    // False only when another process holds the lock. A lock file that cannot be opened
    // does not keep the program from starting.
    bool acquire() override;
    // Linux has no notice of its own: false.
    bool showAlreadyRunning(const std::string& text) override;

private:
    std::string path_;
    int fd_ = -1;
};

} // namespace domora
