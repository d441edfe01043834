#include "platform/win32/Win32AppLocation.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace domora {

std::string Win32AppLocation::executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return WideToUtf8(path);
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
    const wchar_t* const name = L"DOMORA_HOME";
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0); // with the closing zero
    if (size > 1) {
        std::wstring home(size, L'\0');
        const DWORD length = GetEnvironmentVariableW(name, home.data(), size);
        if (length > 0 && length < size) {
            home.resize(length);
            std::string dir = WideToUtf8(home);
            if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') {
                dir += '\\';
            }
            return dir;
        }
    }
    return executableDir();
}

} // namespace domora
