#pragma once

#include "platform/TaskProgramStarter.h"
#include "platform/win32/Win32SystemCalls.h"

#include <memory>

namespace domora {

// A task's program on Windows: the shell opens the file ("open", the desktop window as the
// owner, a normal window) with the task's folder, file name and parameter text passed as
// they are, in the ANSI code page. The shell finds the program, or the application of a
// document, itself.
class Win32TaskStarter final : public TaskProgramStarter {
public:
    // Through the system itself.
    Win32TaskStarter();
    // Through `calls`, which outlive this object.
    explicit Win32TaskStarter(Win32SystemCalls& calls);
    ~Win32TaskStarter() override;
    Win32TaskStarter(const Win32TaskStarter&) = delete;
    Win32TaskStarter& operator=(const Win32TaskStarter&) = delete;

    // A text holding a character the ANSI code page lacks is refused before the call.
    ActionResult start(const std::string& directory, const std::string& fileName,
                       const std::string& params) override;

private:
    std::unique_ptr<Win32SystemCalls> native_;
    Win32SystemCalls& calls_;
};

} // namespace domora
