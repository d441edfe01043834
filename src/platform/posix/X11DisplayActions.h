#pragma once

#include "platform/SystemActions.h"

#include <string>

namespace domora {

// The monitor, the X screen saver and the lock keys of an X display. In a Wayland session
// the compositor does not take these from programs: each says so.
class X11DisplayActions {
public:
    // `displayName` empty: the display of $DISPLAY.
    explicit X11DisplayActions(std::string displayName = {});

    // Puts the monitor into DPMS "off" (enabling DPMS first where it is off).
    ActionResult monitorOff();
    // Starts the X server's screen saver.
    ActionResult activateScreenSaver();
    // Presses and releases the key, as the user would.
    ActionResult toggleLockKey(LockKey key);

private:
    std::string displayName_;
};

} // namespace domora
