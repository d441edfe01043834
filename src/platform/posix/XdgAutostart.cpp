#include "platform/posix/XdgAutostart.h"

#include "platform/posix/PosixFileStore.h"
#include "platform/posix/XdgPaths.h"

#include <cstring>
#include <sstream>

#include <unistd.h>

namespace domora {

std::string DefaultAutostartPath() {
    return XdgConfigHome() + "/autostart/domora.desktop";
}

std::string DesktopExecArgument(const std::string& argument) {
    // Characters that make an argument need quotes; inside the quotes '"', '`', '$' and
    // '\' take a backslash.
    constexpr const char* reserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote = argument.empty() || argument.find_first_of(reserved) != std::string::npos;
    std::string exec;
    for (const char c : argument) {
        if (quote && std::strchr("\"`$\\", c) != nullptr) {
            exec += '\\';
        }
        exec += c == '%' ? std::string("%%") : std::string(1, c);
    }
    if (quote) {
        exec = '"' + exec + '"';
    }
    // The whole value is a string value of the entry, with its own escapes.
    std::string value;
    for (const char c : exec) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value;
}

XdgAutostart::XdgAutostart() : XdgAutostart(DefaultAutostartPath()) {}

XdgAutostart::XdgAutostart(std::string desktopFilePath) : path_(std::move(desktopFilePath)) {}

bool XdgAutostart::set(const std::string& executablePath) {
    const auto slash = path_.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(path_.substr(0, slash))) {
        return false;
    }
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Domora Lite 2003\n"
                              "Exec=" +
                              DesktopExecArgument(executablePath) +
                              "\n"
                              "X-GNOME-Autostart-enabled=true\n"
                              "Terminal=false\n";
    PosixFileStore files;
    return files.writeAtomic(path_, entry);
}

bool XdgAutostart::remove() {
    return ::unlink(path_.c_str()) == 0;
}

bool XdgAutostart::isSet() {
    PosixFileStore files;
    const auto entry = files.readAll(path_);
    if (!entry) {
        return false;
    }
    std::istringstream lines(*entry);
    std::string line;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") {
            return false;
        }
    }
    return true;
}

} // namespace domora
