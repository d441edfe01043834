#pragma once

#include "platform/win32/Win32SystemCalls.h"

namespace domora {

// The system calls of the system actions, made for real.
class Win32NativeSystemCalls final : public Win32SystemCalls {
public:
    std::optional<std::uint32_t> versionPlatformId() override;
    std::string windowsDirectory() override;
    std::string systemDirectory() override;
    std::uintptr_t desktopWindow() override;
    bool setSystemTime(const SystemTimeFields& utc) override;
    std::uint64_t systemTimeAsFileTime() override;
    std::intptr_t shellExecute(std::uintptr_t owner, const char* verb, const char* file,
                               const char* parameters, const char* directory, int showCommand) override;
    std::uint32_t sendMciString(const char* command, char* returned, std::uint32_t returnedSize,
                                std::uintptr_t callbackWindow) override;
    bool exitWindows(std::uint32_t flags, std::uint32_t reason) override;
    bool setSystemPowerState(bool suspend, bool force) override;
    std::uint32_t lastError() override;
    void setLastError(std::uint32_t error) override;
    std::optional<std::uintptr_t> openProcessToken(std::uint32_t access) override;
    std::optional<std::uint64_t> lookupPrivilegeValue(const char* system, const char* name) override;
    bool adjustTokenPrivileges(std::uintptr_t token, bool disableAll, std::uint64_t luid,
                               std::uint32_t attributes, std::uint32_t previousStateSize) override;
    void closeHandle(std::uintptr_t handle) override;
    std::intptr_t sendMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    bool getKeyboardState(KeyboardState& state) override;
    bool setKeyboardState(const KeyboardState& state) override;
    bool writeUserString(const std::string& keyPath, const std::string& name,
                         const std::string& value) override;
    std::optional<RawRegValue> readUserValue(const std::string& keyPath, const std::string& name) override;
    bool systemParametersInfo(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
                              std::uint32_t winIni) override;
    std::uintptr_t loadLibrary(const char* name) override;
    void freeLibrary(std::uintptr_t module) override;
    std::uintptr_t procedureAddress(std::uintptr_t module, const char* name) override;
    std::uint32_t rasEnumConnections(std::uintptr_t procedure, void* records, std::uint32_t* size,
                                     std::uint32_t* count) override;
};

} // namespace domora
