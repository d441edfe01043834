#pragma once

#include "platform/SystemActions.h"
#include "platform/win32/Win32SystemCalls.h"

#include <memory>

namespace domora {

// The system chores on Windows, through the shell, MCI, the power calls, the window
// messages of the main window, the keyboard and the registry. What differs between the NT
// family and the other one is asked of the system at each action.
class Win32SystemActions final : public SystemActions {
public:
    // Through the system itself.
    Win32SystemActions();
    // Through `calls`, which outlive this object.
    explicit Win32SystemActions(Win32SystemCalls& calls);
    ~Win32SystemActions() override;
    Win32SystemActions(const Win32SystemActions&) = delete;
    Win32SystemActions& operator=(const Win32SystemActions&) = delete;

    void setMainWindow(std::uintptr_t nativeWindow) override { mainWindow_ = nativeWindow; }
    ActionResult runTool(SystemTool tool) override;
    ActionResult cdDoor(bool open) override;
    ActionResult endSession(SessionEnd how, bool forced) override;
    ActionResult suspend() override;
    ActionResult monitorOff() override;
    ActionResult startScreenSaver() override;
    ActionResult setWallpaper(const std::string& path) override;
    ActionResult toggleLockKey(LockKey key) override;
    std::string shellFolder(const std::string& valueName) override;

private:
    bool isWindowsNT();
    ActionResult sendToMainWindow(std::uintptr_t command, std::intptr_t argument);
    // Flips the key's entry in this thread's key table.
    ActionResult flipKeyboardState(LockKey key);

    std::unique_ptr<Win32SystemCalls> native_;
    Win32SystemCalls& calls_;
    std::uintptr_t mainWindow_ = 0;
};

} // namespace domora
