#pragma once

#include "platform/SystemActions.h"

#include <string>

namespace domora {

// The desktop's own wallpaper setting, by the desktop named in $XDG_CURRENT_DESKTOP:
// GNOME and Cinnamon through gsettings (a file URI), MATE through gsettings (the path),
// XFCE through xfconf-query (every "last-image" of xfce4-desktop), KDE Plasma through
// plasma-apply-wallpaperimage. The programs are found in $PATH and waited for.
class DesktopWallpaper {
public:
    ActionResult set(const std::string& path);
};

// "file://" and `path` with what a URI cannot hold as it is percent-encoded.
std::string FileUri(const std::string& path);

} // namespace domora
