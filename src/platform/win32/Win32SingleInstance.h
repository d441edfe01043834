#pragma once

#include "platform/SingleInstance.h"

#include <string>

namespace domora {

// The marker of a running copy: the named mutex "MyOwnMutex", kept open for the life of
// the object. The system drops it when the last handle goes, also when the process dies.
class Win32SingleInstance final : public SingleInstance {
public:
    Win32SingleInstance();
    explicit Win32SingleInstance(std::string mutexName);
    ~Win32SingleInstance() override;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    // Opens the mutex with full access: when that succeeds another copy holds it. Otherwise
    // creates it (not owned, default security) and keeps the handle.
    bool acquire() override;
    // A message box of the system with the text, the caption "Domora Lite 2003", an OK button
    // and the information sign. False when the text cannot be put in the ANSI code page or
    // the box cannot be shown.
    bool showAlreadyRunning(const std::string& text) override;

private:
    std::string name_;
    void* handle_ = nullptr;
};

} // namespace domora
