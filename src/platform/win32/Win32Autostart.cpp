#include "platform/win32/Win32Autostart.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace domora {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kValue = "Domora";

} // namespace

bool Win32Autostart::set(const std::string& executablePath) {
    // The path is UTF-8; the ANSI call takes it in the ANSI code page.
    const auto ansiPath = Utf8ToAnsi(executablePath);
    if (!ansiPath) {
        return false; // stored with question marks it would start nothing
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false; // no write access to the machine-wide key
    }
    bool stored = RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(ansiPath->c_str()),
                                 static_cast<DWORD>(ansiPath->size() + 1)) == ERROR_SUCCESS;
    stored = RegFlushKey(key) == ERROR_SUCCESS && stored;
    RegCloseKey(key);
    return stored;
}

bool Win32Autostart::remove() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool removed = RegDeleteValueA(key, kValue) == ERROR_SUCCESS;
    RegCloseKey(key);
    return removed;
}

bool Win32Autostart::isSet() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    const bool present =
        RegQueryValueExA(key, kValue, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(key);
    return present;
}

} // namespace domora
