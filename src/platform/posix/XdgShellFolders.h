#pragma once

#include <string>

namespace domora {

// One of the user's folders of xdg-user-dirs ("DESKTOP", "DOCUMENTS", "PICTURES", ...), as
// $XDG_CONFIG_HOME/user-dirs.dirs sets it; where it does not, ~/Desktop for the desktop
// and the home folder for the others, as xdg-user-dir answers.
std::string XdgUserDir(const std::string& name);

// The Linux folder nearest to each of the Windows shell folders by value name; empty for
// those Linux has no counterpart of (Cookies, Favorites, History, Recent, SendTo) and for
// unknown names.
std::string XdgShellFolder(const std::string& valueName);

} // namespace domora
