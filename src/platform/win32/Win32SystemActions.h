#pragma once

#include "platform/SystemActions.h"

namespace domora {

// The system chores on Windows.
class Win32SystemActions final : public SystemActions {
public:
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
    std::uintptr_t mainWindow_ = 0;
};

} // namespace domora
