#include "platform/win32/Win32Platform.h"

namespace domora {

std::unique_ptr<Platform> CreateSystemPlatform() {
    return std::make_unique<Win32Platform>();
}

} // namespace domora
