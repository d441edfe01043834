#pragma once

#include "platform/AppLocation.h"

#include <string>

namespace domora {

// Where the program and its files are on Linux.
class PosixAppLocation final : public AppLocation {
public:
    // The running executable, from /proc/self/exe.
    PosixAppLocation();
    // A given executable path (tests).
    explicit PosixAppLocation(std::string executablePath);

    std::string executablePath() override;
    std::string executableDir() override;
    // $DOMORA_HOME (made when missing); else the executable's folder when it holds a Data
    // folder (any letter case); else $XDG_DATA_HOME/domora/ (~/.local/share/domora/),
    // copied on first use from the installed <executable folder>/../share/domora/.
    // Worked out on the first call and kept.
    std::string appDir() override;

private:
    std::string findAppDir();

    std::string executablePath_;
    std::string appDir_;
};

} // namespace domora
