#pragma once

#include <string>

namespace domora {

// The screen saver of the desktop, through its D-Bus interface on the session bus: the
// freedesktop one, else GNOME's.
class DesktopScreenSaver {
public:
    // True when one of them started it; false, and the last reason in `failure`, when none
    // answers or none did.
    bool activate(std::string& failure);
};

} // namespace domora
