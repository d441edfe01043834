#pragma once

#include "platform/win32/Win32Registry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace domora {

// The system calls behind the system actions, one method per call, with the arguments the
// call takes. Handles are numbers here; texts are in the ANSI code page, as the "A" calls
// take them, unless said otherwise. The native implementation makes the calls; tests put a
// recording one in its place, so that nothing is ended, suspended or switched.
class Win32SystemCalls {
public:
    using KeyboardState = std::array<std::uint8_t, 256>;

    virtual ~Win32SystemCalls() = default;

    // GetVersionExA with the record size 148 (OSVERSIONINFOA): its dwPlatformId (2 for the
    // NT family), or nothing when the call fails.
    virtual std::optional<std::uint32_t> versionPlatformId() = 0;
    // GetWindowsDirectoryA / GetSystemDirectoryA into a buffer of 255 characters; empty when
    // the call fails or the folder does not fit.
    virtual std::string windowsDirectory() = 0;
    virtual std::string systemDirectory() = 0;

    // GetDesktopWindow().
    virtual std::uintptr_t desktopWindow() = 0;
    // ShellExecuteA; a null text is passed as null. Above 32 on success.
    virtual std::intptr_t shellExecute(std::uintptr_t owner, const char* verb, const char* file,
                                       const char* parameters, const char* directory, int showCommand) = 0;
    // mciSendStringA; 0 on success, else the MCI error code.
    virtual std::uint32_t sendMciString(const char* command, char* returned, std::uint32_t returnedSize,
                                        std::uintptr_t callbackWindow) = 0;

    virtual bool exitWindows(std::uint32_t flags, std::uint32_t reason) = 0;
    virtual bool setSystemPowerState(bool suspend, bool force) = 0;
    // GetLastError / SetLastError.
    virtual std::uint32_t lastError() = 0;
    virtual void setLastError(std::uint32_t error) = 0;

    // OpenProcessToken(GetCurrentProcess(), access, &token); the token, or nothing.
    virtual std::optional<std::uintptr_t> openProcessToken(std::uint32_t access) = 0;
    // LookupPrivilegeValueA(system, name, &luid); the LUID (high part above the low), or nothing.
    virtual std::optional<std::uint64_t> lookupPrivilegeValue(const char* system, const char* name) = 0;
    // AdjustTokenPrivileges with one entry (the LUID and its attributes), the previous state
    // asked for into a buffer of `previousStateSize` bytes.
    virtual bool adjustTokenPrivileges(std::uintptr_t token, bool disableAll, std::uint64_t luid,
                                       std::uint32_t attributes, std::uint32_t previousStateSize) = 0;
    virtual void closeHandle(std::uintptr_t handle) = 0;

    // The fields of a SYSTEMTIME record in its order: year, month, day of the week, day,
    // hour, minute, second, milliseconds.
    using SystemTimeFields = std::array<std::uint16_t, 8>;
    // SetSystemTime: the clock set to a universal time.
    virtual bool setSystemTime(const SystemTimeFields& utc) = 0;
    // GetSystemTimeAsFileTime: the universal time in 100-nanosecond steps since 1601.
    virtual std::uint64_t systemTimeAsFileTime() = 0;

    // SendMessageA.
    virtual std::intptr_t sendMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
    // keybd_event.
    virtual void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                            std::uintptr_t extraInfo) = 0;
    // GetKeyboardState / SetKeyboardState: the key table of the calling thread.
    virtual bool getKeyboardState(KeyboardState& state) = 0;
    virtual bool setKeyboardState(const KeyboardState& state) = 0;

    // A text (REG_SZ) written under HKEY_CURRENT_USER (RegCreateKeyExA, RegSetValueExA): the
    // key is made when missing; the value is stored as given, with its closing zero.
    virtual bool writeUserString(const std::string& keyPath, const std::string& name,
                                 const std::string& value) = 0;
    // A value read from a key of HKEY_CURRENT_USER opened without creating it (RegOpenKeyExA,
    // RegQueryValueExA); nothing when the key or the value is missing. The key path and the
    // name are UTF-8 here.
    virtual std::optional<RawRegValue> readUserValue(const std::string& keyPath, const std::string& name) = 0;

    // SystemParametersInfoA.
    virtual bool systemParametersInfo(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
                                      std::uint32_t winIni) = 0;

    // LoadLibraryA: the module, or 0. FreeLibrary.
    virtual std::uintptr_t loadLibrary(const char* name) = 0;
    virtual void freeLibrary(std::uintptr_t module) = 0;
    // GetProcAddress: the function's address, or 0 when the module lacks it.
    virtual std::uintptr_t procedureAddress(std::uintptr_t module, const char* name) = 0;
    // Calls the RasEnumConnectionsA at `procedure` (from procedureAddress) with the buffer of
    // connection records, the buffer's size in bytes and the count; its result (0 when done).
    virtual std::uint32_t rasEnumConnections(std::uintptr_t procedure, void* records, std::uint32_t* size,
                                             std::uint32_t* count) = 0;
};

} // namespace domora
