#pragma once

#include "platform/AppLocation.h"

namespace domora {

// The running executable and the application folder: %DOMORA_HOME% when set, otherwise the
// executable's folder, where the program's Data, Sound and Temp folders lie on Windows. Both
// are read through the wide calls (GetModuleFileNameW, GetEnvironmentVariableW) and given
// as UTF-8, so a folder name outside the ANSI code page comes back whole.
class Win32AppLocation final : public AppLocation {
public:
    std::string executablePath() override;
    std::string executableDir() override;
    std::string appDir() override;
};

} // namespace domora
