#pragma once

#include "platform/win32/Win32SystemCalls.h"
#include "platform/win32/Win32Text.h"

#include <algorithm>
#include <concepts>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace domora::test {

// The system calls of the system actions, noted instead of made, one line each:
//   "ShellExecuteA desktop Open C:\WINDOWS\notepad.exe null null 1"
//   "mciSendStringA Set cdaudio door open wait null 0 77", "ExitWindowsEx 2 0",
//   "SetSystemPowerState 1 1", "SetLastError 0", "OpenProcessToken 40",
//   "LookupPrivilegeValueA  SeShutdownPrivilege", "AdjustTokenPrivileges 99 0 19 2 16",
//   "CloseHandle 99", "SendMessageA 77 274 61760 0", "keybd_event 144 69 1 0",
//   "GetKeyboardState", "SetKeyboardState", "RegSetValueExA Control Panel\desktop Wallpaper C:\a.gif",
//   "SystemParametersInfoA 20 0 null 2", "SetSystemTime 2027 1 0 4 22 30 5 0",
//   "LoadLibraryA rasapi32.dll", "GetProcAddress 7 RasEnumConnectionsA",
//   "RasEnumConnectionsA 8 1696 0 424 zeroed", "FreeLibrary 7"
// Texts are noted in UTF-8. Queries of the version, the folders and the last error are not
// noted. The answers are set by the test.
class RecordingSystemCalls final : public Win32SystemCalls {
public:
    static constexpr std::uintptr_t kDesktop = 5;
    static constexpr std::uintptr_t kToken = 99;
    static constexpr std::uint64_t kShutdownLuid = 19;

    std::optional<std::uint32_t> platformId = 2;
    std::string windowsFolder = "C:\\WINDOWS";
    std::string systemFolder = "C:\\WINDOWS\\SYSTEM32";
    std::intptr_t shellResult = 42;
    std::uint32_t mciResult = 0;
    bool exitResult = true;
    bool powerResult = true;
    std::uint32_t error = 0; // lastError()
    bool keyboardWorks = true;
    KeyboardState keyboard{};
    bool registryWorks = true;
    std::map<std::pair<std::string, std::string>, RawRegValue> registry; // key path and name
    bool parametersResult = true;
    bool timeResult = true;
    std::uint64_t fileTimeNow = 0; // systemTimeAsFileTime()
    static constexpr std::uintptr_t kModule = 7;
    static constexpr std::uintptr_t kProcedure = 8;
    bool libraryLoads = true;
    bool procedurePresent = true;
    std::uint32_t rasResult = 0; // what RasEnumConnectionsA answers, with this count
    std::uint32_t rasCount = 0;

    std::vector<std::string> log;

    std::optional<std::uint32_t> versionPlatformId() override { return platformId; }
    std::string windowsDirectory() override { return windowsFolder; }
    std::string systemDirectory() override { return systemFolder; }
    std::uintptr_t desktopWindow() override { return kDesktop; }
    std::intptr_t shellExecute(std::uintptr_t owner, const char* verb, const char* file,
                               const char* parameters, const char* directory, int showCommand) override {
        note("ShellExecuteA", owner == kDesktop ? "desktop" : std::to_string(owner), verb, file, parameters,
             directory, showCommand);
        return shellResult;
    }
    std::uint32_t sendMciString(const char* command, char* returned, std::uint32_t returnedSize,
                                std::uintptr_t callbackWindow) override {
        note("mciSendStringA", command, returned, returnedSize, callbackWindow);
        return mciResult;
    }
    bool exitWindows(std::uint32_t flags, std::uint32_t reason) override {
        note("ExitWindowsEx", flags, reason);
        return exitResult;
    }
    bool setSystemPowerState(bool suspend, bool force) override {
        note("SetSystemPowerState", suspend, force);
        return powerResult;
    }
    std::uint32_t lastError() override { return error; }
    void setLastError(std::uint32_t value) override { note("SetLastError", value); }
    std::optional<std::uintptr_t> openProcessToken(std::uint32_t access) override {
        note("OpenProcessToken", access);
        return kToken;
    }
    std::optional<std::uint64_t> lookupPrivilegeValue(const char* system, const char* name) override {
        note("LookupPrivilegeValueA", system, name);
        return kShutdownLuid;
    }
    bool adjustTokenPrivileges(std::uintptr_t token, bool disableAll, std::uint64_t luid,
                               std::uint32_t attributes, std::uint32_t previousStateSize) override {
        note("AdjustTokenPrivileges", token, disableAll, luid, attributes, previousStateSize);
        return true;
    }
    void closeHandle(std::uintptr_t handle) override { note("CloseHandle", handle); }
    bool setSystemTime(const SystemTimeFields& utc) override {
        note("SetSystemTime", utc[0], utc[1], utc[2], utc[3], utc[4], utc[5], utc[6], utc[7]);
        return timeResult;
    }
    std::uint64_t systemTimeAsFileTime() override { return fileTimeNow; }
    std::intptr_t sendMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override {
        note("SendMessageA", window, message, wParam, lParam);
        return 0;
    }
    void keybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                    std::uintptr_t extraInfo) override {
        note("keybd_event", virtualKey, scanCode, flags, extraInfo);
    }
    bool getKeyboardState(KeyboardState& state) override {
        note("GetKeyboardState");
        state = keyboard;
        return keyboardWorks;
    }
    bool setKeyboardState(const KeyboardState& state) override {
        note("SetKeyboardState");
        keyboard = state;
        return keyboardWorks;
    }
    bool writeUserString(const std::string& keyPath, const std::string& name,
                         const std::string& value) override {
        note("RegSetValueExA", keyPath, name, value);
        registry[{keyPath, name}] =
            RawRegValue{1, std::vector<std::uint8_t>(value.c_str(), value.c_str() + value.size() + 1)};
        return registryWorks;
    }
    std::optional<RawRegValue> readUserValue(const std::string& keyPath, const std::string& name) override {
        const auto found = registry.find({keyPath, name});
        return found == registry.end() ? std::nullopt : std::optional<RawRegValue>(found->second);
    }
    bool systemParametersInfo(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
                              std::uint32_t winIni) override {
        note("SystemParametersInfoA", action, uiParam, pvParam == nullptr ? "null" : "set", winIni);
        return parametersResult;
    }
    std::uintptr_t loadLibrary(const char* name) override {
        note("LoadLibraryA", name);
        return libraryLoads ? kModule : 0;
    }
    void freeLibrary(std::uintptr_t module) override { note("FreeLibrary", module); }
    std::uintptr_t procedureAddress(std::uintptr_t module, const char* name) override {
        note("GetProcAddress", module, name);
        return procedurePresent ? kProcedure : 0;
    }
    // Noted with the size field of the first record, and whether every other byte is zero.
    std::uint32_t rasEnumConnections(std::uintptr_t procedure, void* records, std::uint32_t* size,
                                     std::uint32_t* count) override {
        const auto* bytes = static_cast<const std::uint8_t*>(records);
        std::uint32_t firstSize = 0;
        std::memcpy(&firstSize, bytes, sizeof firstSize);
        const bool zeroed = std::all_of(bytes + 4, bytes + *size, [](std::uint8_t b) { return b == 0; });
        note("RasEnumConnectionsA", procedure, *size, *count, firstSize, zeroed ? "zeroed" : "dirty");
        *count = rasCount;
        return rasResult;
    }

private:
    static std::string part(const char* text) { return text == nullptr ? "null" : AnsiToUtf8(text); }
    static std::string part(const std::string& text) { return AnsiToUtf8(text); }
    static std::string part(std::integral auto number) { return std::to_string(+number); }

    void note(const std::string& call, const auto&... arguments) {
        std::string line = call;
        ((line += " " + part(arguments)), ...);
        log.push_back(std::move(line));
    }
};

} // namespace domora::test
