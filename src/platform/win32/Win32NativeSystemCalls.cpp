#include "platform/win32/Win32NativeSystemCalls.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace domora {
namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148, "GetVersionExA takes the record of 148 bytes");
static_assert(sizeof(LUID) == sizeof(std::uint64_t));

// The folders come through a buffer of 255 characters.
constexpr UINT kFolderBuffer = 255;

HWND WindowOf(std::uintptr_t window) {
    return reinterpret_cast<HWND>(window);
}

HANDLE HandleOf(std::uintptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string FolderOf(UINT(WINAPI* call)(LPSTR, UINT)) {
    char buffer[kFolderBuffer + 1] = {};
    const UINT length = call(buffer, kFolderBuffer);
    if (length == 0 || length >= kFolderBuffer) {
        return {};
    }
    return std::string(buffer, length);
}

} // namespace

std::optional<std::uint32_t> Win32NativeSystemCalls::versionPlatformId() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    // Deprecated for telling versions apart; the platform family it still gives right.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL done = GetVersionExA(&info);
#pragma GCC diagnostic pop
    if (!done) {
        return std::nullopt;
    }
    return info.dwPlatformId;
}

std::string Win32NativeSystemCalls::windowsDirectory() {
    return FolderOf(GetWindowsDirectoryA);
}

std::string Win32NativeSystemCalls::systemDirectory() {
    return FolderOf(GetSystemDirectoryA);
}

std::uintptr_t Win32NativeSystemCalls::desktopWindow() {
    return reinterpret_cast<std::uintptr_t>(GetDesktopWindow());
}

std::intptr_t Win32NativeSystemCalls::shellExecute(std::uintptr_t owner, const char* verb, const char* file,
                                                   const char* parameters, const char* directory,
                                                   int showCommand) {
    const HINSTANCE result = ShellExecuteA(WindowOf(owner), verb, file, parameters, directory, showCommand);
    return reinterpret_cast<INT_PTR>(result);
}

std::uint32_t Win32NativeSystemCalls::sendMciString(const char* command, char* returned,
                                                    std::uint32_t returnedSize,
                                                    std::uintptr_t callbackWindow) {
    return mciSendStringA(command, returned, returnedSize, WindowOf(callbackWindow));
}

bool Win32NativeSystemCalls::exitWindows(std::uint32_t flags, std::uint32_t reason) {
    return ExitWindowsEx(flags, reason) != FALSE;
}

bool Win32NativeSystemCalls::setSystemPowerState(bool suspend, bool force) {
    return SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

std::uint32_t Win32NativeSystemCalls::lastError() {
    return GetLastError();
}

void Win32NativeSystemCalls::setLastError(std::uint32_t error) {
    SetLastError(error);
}

std::optional<std::uintptr_t> Win32NativeSystemCalls::openProcessToken(std::uint32_t access) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), access, &token)) {
        return std::nullopt;
    }
    return reinterpret_cast<std::uintptr_t>(token);
}

std::optional<std::uint64_t> Win32NativeSystemCalls::lookupPrivilegeValue(const char* system,
                                                                          const char* name) {
    LUID luid{};
    if (!LookupPrivilegeValueA(system, name, &luid)) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(luid.HighPart)) << 32) | luid.LowPart;
}

bool Win32NativeSystemCalls::adjustTokenPrivileges(std::uintptr_t token, bool disableAll, std::uint64_t luid,
                                                   std::uint32_t attributes,
                                                   std::uint32_t previousStateSize) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid);
    privileges.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    privileges.Privileges[0].Attributes = attributes;
    // The previous state goes into a buffer of the size asked for, aligned for the record.
    std::vector<TOKEN_PRIVILEGES> previous(std::max<std::size_t>(
        1, (previousStateSize + sizeof(TOKEN_PRIVILEGES) - 1) / sizeof(TOKEN_PRIVILEGES)));
    DWORD returned = 0;
    return AdjustTokenPrivileges(HandleOf(token), disableAll ? TRUE : FALSE, &privileges, previousStateSize,
                                 previous.data(), &returned) != FALSE;
}

void Win32NativeSystemCalls::closeHandle(std::uintptr_t handle) {
    CloseHandle(HandleOf(handle));
}

std::intptr_t Win32NativeSystemCalls::sendMessage(std::uintptr_t window, std::uint32_t message,
                                                  std::uintptr_t wParam, std::intptr_t lParam) {
    return SendMessageA(WindowOf(window), message, wParam, lParam);
}

void Win32NativeSystemCalls::keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                                        std::uintptr_t extraInfo) {
    keybd_event(virtualKey, scanCode, flags, extraInfo);
}

bool Win32NativeSystemCalls::getKeyboardState(KeyboardState& state) {
    return GetKeyboardState(state.data()) != FALSE;
}

bool Win32NativeSystemCalls::setKeyboardState(const KeyboardState& state) {
    KeyboardState copy = state; // the call takes the table as writable
    return SetKeyboardState(copy.data()) != FALSE;
}

bool Win32NativeSystemCalls::writeUserString(const std::string& keyPath, const std::string& name,
                                             const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result =
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::optional<RawRegValue> Win32NativeSystemCalls::readUserValue(const std::string& keyPath,
                                                                 const std::string& name) {
    return ReadRawRegValue(RegHive::CurrentUser, keyPath, name);
}

bool Win32NativeSystemCalls::systemParametersInfo(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
                                                  std::uint32_t winIni) {
    return SystemParametersInfoA(action, uiParam, pvParam, winIni) != FALSE;
}

std::uintptr_t Win32NativeSystemCalls::loadLibrary(const char* name) {
    return reinterpret_cast<std::uintptr_t>(LoadLibraryA(name));
}

void Win32NativeSystemCalls::freeLibrary(std::uintptr_t module) {
    FreeLibrary(reinterpret_cast<HMODULE>(module));
}

std::uintptr_t Win32NativeSystemCalls::procedureAddress(std::uintptr_t module, const char* name) {
    return reinterpret_cast<std::uintptr_t>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

std::uint32_t Win32NativeSystemCalls::rasEnumConnections(std::uintptr_t procedure, void* records,
                                                         std::uint32_t* size, std::uint32_t* count) {
    // DWORD APIENTRY RasEnumConnectionsA(LPRASCONNA, LPDWORD, LPDWORD); DWORD is 32 bits.
    using RasEnumConnectionsA = DWORD(WINAPI*)(void*, DWORD*, DWORD*);
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    DWORD bufferSize = *size;
    DWORD connections = *count;
    const DWORD result = reinterpret_cast<RasEnumConnectionsA>(procedure)(records, &bufferSize, &connections);
    *size = bufferSize;
    *count = connections;
    return result;
}

bool Win32NativeSystemCalls::setSystemTime(const SystemTimeFields& utc) {
    SYSTEMTIME time{};
    time.wYear = utc[0];
    time.wMonth = utc[1];
    time.wDayOfWeek = utc[2];
    time.wDay = utc[3];
    time.wHour = utc[4];
    time.wMinute = utc[5];
    time.wSecond = utc[6];
    time.wMilliseconds = utc[7];
    return SetSystemTime(&time) != FALSE;
}

std::uint64_t Win32NativeSystemCalls::systemTimeAsFileTime() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace domora
