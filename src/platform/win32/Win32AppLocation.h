#pragma once

#include "platform/AppLocation.h"

namespace domora {

// The running executable (GetModuleFileNameA) and the application folder: $DOMORA_HOME
// when set, otherwise the executable's folder, where the program's Data, Sound and Temp
// folders lie on Windows.
class Win32AppLocation final : public AppLocation {
public:
    std::string executablePath() override;
    std::string executableDir() override;
    std::string appDir() override;
};

} // namespace domora
