#pragma once

#include "platform/SystemActions.h"
#include "platform/posix/CdDrive.h"
#include "platform/posix/DesktopScreenSaver.h"
#include "platform/posix/DesktopTools.h"
#include "platform/posix/DesktopWallpaper.h"
#include "platform/posix/LogindSession.h"
#include "platform/posix/X11DisplayActions.h"

namespace domora {

class PosixLauncher;

// The system chores on a Linux desktop: the session and power through systemd-logind, the
// monitor and the lock keys through X11, the screen saver of the desktop (else of X11), the
// optical drive's door, the desktop's wallpaper, the usual tools and the XDG folders.
class PosixSystemActions final : public SystemActions {
public:
    // `launcher` starts the tools; `settingsFile` is what "the registry editor" opens.
    PosixSystemActions(PosixLauncher& launcher, std::string settingsFile);

    void setMainWindow(std::uintptr_t nativeWindow) override { mainWindow_ = nativeWindow; }
    ActionResult runTool(SystemTool tool) override { return tools_.run(tool); }
    ActionResult cdDoor(bool open) override { return cdDrive_.door(open); }
    ActionResult endSession(SessionEnd how, bool forced) override { return session_.endSession(how, forced); }
    ActionResult suspend() override { return session_.suspend(); }
    ActionResult monitorOff() override { return display_.monitorOff(); }
    ActionResult startScreenSaver() override;
    ActionResult setWallpaper(const std::string& path) override { return wallpaper_.set(path); }
    ActionResult toggleLockKey(LockKey key) override { return display_.toggleLockKey(key); }
    std::string shellFolder(const std::string& valueName) override;

private:
    std::uintptr_t mainWindow_ = 0;
    DesktopTools tools_;
    CdDrive cdDrive_;
    LogindSession session_;
    X11DisplayActions display_;
    DesktopScreenSaver screenSaver_;
    DesktopWallpaper wallpaper_;
};

} // namespace domora
