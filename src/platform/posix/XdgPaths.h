#pragma once

#include <string>

namespace domora {

// The user's home folder: $HOME, else the password database entry. No trailing '/'.
std::string HomeDir();
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config. No trailing '/'.
std::string XdgConfigHome();
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share. No trailing '/'.
std::string XdgDataHome();
// $XDG_CACHE_HOME when it is an absolute path, else ~/.cache. No trailing '/'.
std::string XdgCacheHome();
// $XDG_RUNTIME_DIR when it is an absolute path, else empty.
std::string XdgRuntimeDir();
// Creates the folder and its missing parents. True when the folder exists afterwards.
bool MakeFolders(const std::string& path);

} // namespace domora
