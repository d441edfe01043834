#pragma once

#include <string>

namespace domora {

// Where the program and its files are.
class AppLocation {
public:
    virtual ~AppLocation() = default;
    // Full path of the running executable.
    virtual std::string executablePath() = 0;
    // Folder of the running executable, with its trailing separator.
    virtual std::string executableDir() = 0;
    // The application folder (Data/, Sound/, Temp/), with its trailing separator:
    // $DOMORA_HOME when set; the executable's folder when it holds a Data folder;
    // otherwise the per-user data folder, laid down from the installed copy on first use.
    virtual std::string appDir() = 0;
};

} // namespace domora
