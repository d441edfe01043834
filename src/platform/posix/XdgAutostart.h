#pragma once

#include "platform/Autostart.h"

#include <string>

namespace domora {

// $XDG_CONFIG_HOME/autostart/domora.desktop (default ~/.config/autostart/domora.desktop).
std::string DefaultAutostartPath();

// One argument of an Exec line of a desktop entry, quoted where it holds a reserved
// character, with the escapes of the Exec rules and of a string value ("%" as "%%").
std::string DesktopExecArgument(const std::string& argument);

// Starting with the session through an XDG autostart desktop entry.
class XdgAutostart final : public Autostart {
public:
    XdgAutostart();
    explicit XdgAutostart(std::string desktopFilePath);

    bool set(const std::string& executablePath) override;
    bool remove() override;
    // The entry exists and the user has not switched it off in the desktop's settings.
    bool isSet() override;

    const std::string& desktopFilePath() const { return path_; }

private:
    std::string path_;
};

} // namespace domora
