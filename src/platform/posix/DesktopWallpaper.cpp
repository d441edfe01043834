#include "platform/posix/DesktopWallpaper.h"

#include "platform/posix/ChildProcess.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

namespace domora {
namespace {

const std::string Failed = "Не удалось сменить обои: ";

enum class Desktop { Unknown, Gnome, Cinnamon, Mate, Xfce, Kde };

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The first desktop of the colon-separated list that is known here.
Desktop DesktopOf(const std::string& names) {
    std::istringstream list(names);
    for (std::string name; std::getline(list, name, ':');) {
        name = Lower(name);
        if (name == "gnome" || name == "gnome-classic" || name == "gnome-flashback" || name == "unity") {
            return Desktop::Gnome;
        }
        if (name == "x-cinnamon" || name == "cinnamon") {
            return Desktop::Cinnamon;
        }
        if (name == "mate") {
            return Desktop::Mate;
        }
        if (name == "xfce") {
            return Desktop::Xfce;
        }
        if (name == "kde") {
            return Desktop::Kde;
        }
    }
    return Desktop::Unknown;
}

// The first line of what a program wrote about its failure.
std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.pop_back();
    }
    return line;
}

// Runs one program to its end: empty when it succeeded, else the Russian message.
std::string Run(const std::string& program, const std::vector<std::string>& arguments,
                ProgramRun* run = nullptr) {
    ProgramRun local = RunToEnd(program, arguments);
    if (run != nullptr) {
        *run = local;
    }
    if (!local.started) {
        return Failed + "не найдена программа «" + program + "».";
    }
    if (local.exitCode != 0) {
        const std::string why = FirstLine(local.errors);
        return Failed + "программа «" + program + "» завершилась с ошибкой" +
               (local.exitCode > 0 ? " (код " + std::to_string(local.exitCode) + ")" : std::string()) +
               (why.empty() ? "." : ": " + why);
    }
    return {};
}

std::string SetXfce(const std::string& path) {
    ProgramRun listing;
    if (std::string failure = Run("xfconf-query", {"-c", "xfce4-desktop", "-l"}, &listing);
        !failure.empty()) {
        return failure;
    }
    std::istringstream properties(listing.output);
    int count = 0;
    for (std::string property; std::getline(properties, property);) {
        if (!property.ends_with("/last-image")) {
            continue;
        }
        ++count;
        if (std::string failure = Run("xfconf-query", {"-c", "xfce4-desktop", "-p", property, "-s", path});
            !failure.empty()) {
            return failure;
        }
    }
    return count > 0 ? std::string() : Failed + "рабочий стол XFCE не назвал ни одного экрана для обоев.";
}

} // namespace

std::string FileUri(const std::string& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::string_view("/-._~!$&'()*+,;=:@").find(c) != std::string_view::npos) {
            uri += c;
        } else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 0x0F];
        }
    }
    return uri;
}

ActionResult DesktopWallpaper::set(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return ActionResult::failed(Failed + "нет файла «" + path + "».");
    }
    const char* current = std::getenv("XDG_CURRENT_DESKTOP");
    const std::string names = current != nullptr ? current : "";
    // A URI needs an absolute path; the file itself is left as it is.
    const std::string absolute = std::filesystem::absolute(path, error).string();
    std::string failure;
    switch (DesktopOf(names)) {
    case Desktop::Gnome:
        failure = Run("gsettings", {"set", "org.gnome.desktop.background", "picture-uri", FileUri(absolute)});
        if (failure.empty()) {
            failure = Run("gsettings",
                          {"set", "org.gnome.desktop.background", "picture-uri-dark", FileUri(absolute)});
        }
        break;
    case Desktop::Cinnamon:
        failure =
            Run("gsettings", {"set", "org.cinnamon.desktop.background", "picture-uri", FileUri(absolute)});
        break;
    case Desktop::Mate:
        failure = Run("gsettings", {"set", "org.mate.background", "picture-filename", path});
        break;
    case Desktop::Xfce:
        failure = SetXfce(path);
        break;
    case Desktop::Kde:
        failure = Run("plasma-apply-wallpaperimage", {path});
        break;
    case Desktop::Unknown:
        failure =
            Failed + (names.empty()
                          ? std::string("рабочий стол не определён (переменная XDG_CURRENT_DESKTOP пуста).")
                          : "рабочий стол «" + names + "» программе не известен.");
        break;
    }
    return failure.empty() ? ActionResult::ok() : ActionResult::failed(failure);
}

} // namespace domora
