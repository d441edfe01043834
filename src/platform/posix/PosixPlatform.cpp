#include "platform/posix/PosixPlatform.h"

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

std::unique_ptr<Platform> CreateSystemPlatform() {
    return std::make_unique<PosixPlatform>();
}

} // namespace domora
