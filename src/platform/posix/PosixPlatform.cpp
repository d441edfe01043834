#include "platform/posix/PosixPlatform.h"

#include "platform/posix/LinuxConnectionMonitor.h"

namespace domora {

PosixPlatform::PosixPlatform()
    : registry_(DefaultRegistryPath()), launcher_(location_.executableDir()),
      actions_(launcher_, registry_.filePath()), taskStarter_(launcher_, location_) {}

ClockSetter& PosixPlatform::clockSetter() {
    if (!clockSetter_) {
        clockSetter_ = CreateSystemClockSetter();
    }
    return *clockSetter_;
}

ConnectionMonitor& PosixPlatform::connection() {
    if (!connection_) {
        connection_ = std::make_unique<LinuxConnectionMonitor>();
    }
    return *connection_;
}

std::unique_ptr<Platform> CreateSystemPlatform() {
    return std::make_unique<PosixPlatform>();
}

} // namespace domora
