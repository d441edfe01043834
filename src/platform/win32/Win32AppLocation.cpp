#include "platform/win32/Win32AppLocation.h"

#include <windows.h>

#include <cstdlib>

namespace domora {

std::string Win32AppLocation::executablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: try a larger buffer
    }
}

std::string Win32AppLocation::executableDir() {
    const std::string path = executablePath();
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Win32AppLocation::appDir() {
    if (const char* home = std::getenv("DOMORA_HOME"); home != nullptr && *home != '\0') {
        std::string dir = home;
        if (dir.back() != '\\' && dir.back() != '/') {
            dir += '\\';
        }
        return dir;
    }
    return executableDir();
}

} // namespace domora
