#include "platform/posix/PosixSystemActions.h"

#include "platform/posix/X11Display.h"
#include "platform/posix/XdgShellFolders.h"

namespace domora {

PosixSystemActions::PosixSystemActions(PosixLauncher& launcher, std::string settingsFile)
    : tools_(launcher, std::move(settingsFile)) {}

ActionResult PosixSystemActions::startScreenSaver() {
    // The desktop's own screen saver where it has one; the X server's otherwise, which
    // Wayland does not have.
    std::string failure;
    if (screenSaver_.activate(failure)) {
        return ActionResult::ok();
    }
    if (IsWaylandSession()) {
        return ActionResult::failed("Не удалось включить заставку: рабочий стол Wayland её не включил — " +
                                    failure);
    }
    return display_.activateScreenSaver();
}

std::string PosixSystemActions::shellFolder(const std::string& valueName) {
    return XdgShellFolder(valueName);
}

} // namespace domora
