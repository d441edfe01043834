#include "platform/posix/PosixSingleInstance.h"

#include "platform/posix/XdgPaths.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace domora {

std::string DefaultInstanceLockPath() {
    const std::string runtime = XdgRuntimeDir();
    if (!runtime.empty()) {
        return runtime + "/domora.lock";
    }
    return "/tmp/domora-" + std::to_string(::getuid()) + ".lock";
}

std::unique_ptr<SingleInstance> CreateNamedMarker(const std::string& name) {
    const std::string runtime = XdgRuntimeDir();
    const std::string path = !runtime.empty() ? runtime + "/" + name + ".lock"
                                              : "/tmp/" + name + "-" + std::to_string(::getuid()) + ".lock";
    return std::make_unique<PosixSingleInstance>(path);
}

PosixSingleInstance::PosixSingleInstance() : PosixSingleInstance(DefaultInstanceLockPath()) {}

PosixSingleInstance::PosixSingleInstance(std::string lockPath) : path_(std::move(lockPath)) {}

PosixSingleInstance::~PosixSingleInstance() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PosixSingleInstance::acquire() {
    if (fd_ >= 0) {
        return true;
    }
    // O_NOFOLLOW: in a shared /tmp another user could plant a link to a file of ours.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return true;
    }
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return true;
        }
        if (errno != EINTR) {
            break;
        }
    }
    const bool heldElsewhere = errno == EWOULDBLOCK;
    ::close(fd);
    return !heldElsewhere;
}

bool PosixSingleInstance::showAlreadyRunning(const std::string&) {
    return false;
}

} // namespace domora
