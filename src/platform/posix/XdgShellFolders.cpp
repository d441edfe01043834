#include "platform/posix/XdgShellFolders.h"

#include "platform/posix/XdgPaths.h"

#include <fstream>

namespace domora {
namespace {

// The value of a line `XDG_<name>_DIR="..."`, as xdg-user-dirs writes it: either
// "$HOME/..." or an absolute path, with '\' escaping the next character. Empty for a line
// that does not set `key` or holds anything else.
std::string UserDirValue(const std::string& line, const std::string& key) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, key.size(), key) != 0) {
        return {};
    }
    at = line.find_first_not_of(" \t", at + key.size());
    if (at == std::string::npos || line[at] != '=') {
        return {};
    }
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line[at] != '"') {
        return {};
    }
    ++at;
    std::string path;
    if (line.compare(at, 5, "$HOME") == 0) {
        path = HomeDir();
        at += 5;
    } else if (at >= line.size() || line[at] != '/') {
        return {};
    }
    for (; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            ++at;
        }
        path += line[at];
    }
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string XdgUserDir(const std::string& name) {
    const std::string key = "XDG_" + name + "_DIR";
    std::ifstream file(XdgConfigHome() + "/user-dirs.dirs");
    std::string found;
    for (std::string line; std::getline(file, line);) {
        if (std::string value = UserDirValue(line, key); !value.empty()) {
            found = value; // the last setting counts, as for the shell
        }
    }
    if (!found.empty()) {
        return found;
    }
    return name == "DESKTOP" ? HomeDir() + "/Desktop" : HomeDir();
}

std::string XdgShellFolder(const std::string& valueName) {
    if (valueName == "AppData") {
        return XdgConfigHome();
    }
    if (valueName == "Cache") {
        return XdgCacheHome();
    }
    if (valueName == "Desktop") {
        return XdgUserDir("DESKTOP");
    }
    if (valueName == "Fonts") {
        return XdgDataHome() + "/fonts";
    }
    if (valueName == "Local Settings") {
        return XdgDataHome();
    }
    if (valueName == "My Pictures") {
        return XdgUserDir("PICTURES");
    }
    if (valueName == "Personal") {
        return XdgUserDir("DOCUMENTS");
    }
    if (valueName == "Programs" || valueName == "Start Menu") {
        return XdgDataHome() + "/applications";
    }
    if (valueName == "Startup") {
        return XdgConfigHome() + "/autostart";
    }
    if (valueName == "Templates") {
        return XdgUserDir("TEMPLATES");
    }
    return {}; // Cookies, Favorites, History, Recent, SendTo
}

} // namespace domora
