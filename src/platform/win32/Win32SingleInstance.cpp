#include "platform/win32/Win32SingleInstance.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace domora {

std::unique_ptr<SingleInstance> CreateNamedMarker(const std::string& name) {
    return std::make_unique<Win32SingleInstance>(name);
}

Win32SingleInstance::Win32SingleInstance() : Win32SingleInstance("MyOwnMutex") {}

Win32SingleInstance::Win32SingleInstance(std::string mutexName) : name_(std::move(mutexName)) {}

Win32SingleInstance::~Win32SingleInstance() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
    }
}

bool Win32SingleInstance::acquire() {
    if (handle_ != nullptr) {
        return true;
    }
    if (HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name_.c_str())) {
        CloseHandle(other);
        return false;
    }
    handle_ = CreateMutexA(nullptr, FALSE, name_.c_str());
    // Created by another copy in between: that copy runs.
    if (handle_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle_);
        handle_ = nullptr;
        return false;
    }
    return true; // without a mutex the program still runs
}

bool Win32SingleInstance::showAlreadyRunning(const std::string& text) {
    const auto ansi = Utf8ToAnsi(text);
    if (!ansi) {
        return false; // the program's own box shows any text
    }
    return MessageBoxA(nullptr, ansi->c_str(), "Domora Lite 2003", MB_OK | MB_ICONINFORMATION) != 0;
}

} // namespace domora
