#include "platform/posix/DesktopTools.h"

#include "platform/posix/ChildProcess.h"
#include "platform/posix/PosixLauncher.h"

#include <cstdlib>
#include <filesystem>

namespace domora {
namespace {

const std::vector<std::string> DiskCheckers = {"gnome-disks", "palimpsest", "partitionmanager", "gparted"};
const std::vector<std::string> SystemInfoViewers = {
    "hardinfo",  "gnome-system-monitor", "plasma-systemmonitor",
    "ksysguard", "mate-system-monitor",  "xfce4-taskmanager"};
const std::vector<std::string> TextEditors = {"gnome-text-editor", "gedit",  "kate", "kwrite",
                                              "mousepad",          "pluma",  "xed",  "geany",
                                              "featherpad",        "leafpad"};

// "«a», «b» и «c»".
std::string Quoted(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == names.size() ? " и " : ", ") + ("«" + names[i] + "»");
    }
    return text;
}

} // namespace

DesktopTools::DesktopTools(PosixLauncher& launcher, std::string settingsFile)
    : launcher_(launcher), settingsFile_(std::move(settingsFile)) {}

ActionResult DesktopTools::run(SystemTool tool) {
    switch (tool) {
    case SystemTool::Defrag:
        return ActionResult::failed(
            "Дефрагментация диска в Linux не нужна: файловые системы Linux обходятся без неё.");
    case SystemTool::DiskCheck:
        return startFirst("программа проверки дисков", DiskCheckers);
    case SystemTool::Notepad:
        return openText({});
    case SystemTool::RegistryEditor: {
        std::error_code error;
        if (!std::filesystem::is_regular_file(settingsFile_, error)) {
            return ActionResult::failed("Файл настроек программы ещё не создан: " + settingsFile_);
        }
        return openText(settingsFile_);
    }
    case SystemTool::DirectX:
        return startFirst("программа сведений о системе", SystemInfoViewers);
    case SystemTool::Browser:
        return openBrowser();
    }
    return ActionResult::failed("Неизвестная служебная программа.");
}

ActionResult DesktopTools::start(const std::string& program, const std::vector<std::string>& arguments) {
    const int result = launcher_.startProgram(program, arguments, {});
    if (result == PosixLauncher::Started) {
        return ActionResult::ok();
    }
    if (result == PosixLauncher::AccessDenied) {
        return ActionResult::failed("Нет прав на запуск программы «" + program + "».");
    }
    return ActionResult::failed("Не удалось запустить программу «" + program + "».");
}

ActionResult DesktopTools::startFirst(const std::string& what, const std::vector<std::string>& programs) {
    for (const auto& program : programs) {
        if (launcher_.locate(program).empty()) {
            continue;
        }
        return start(program, {});
    }
    return ActionResult::failed("Не найдена " + what + ": не установлена ни одна из программ " +
                                Quoted(programs) + ".");
}

bool DesktopTools::startDefault(const std::string& mimeType, const std::vector<std::string>& files,
                                ActionResult& result) {
    if (launcher_.locate("gtk-launch").empty()) {
        return false;
    }
    const ProgramRun query = RunToEnd("xdg-mime", {"query", "default", mimeType});
    std::string application =
        query.succeeded() ? query.output.substr(0, query.output.find('\n')) : std::string();
    if (application.empty()) {
        return false;
    }
    std::vector<std::string> arguments = {application};
    arguments.insert(arguments.end(), files.begin(), files.end());
    result = start("gtk-launch", arguments);
    return true;
}

ActionResult DesktopTools::openText(const std::string& file) {
    const std::vector<std::string> files =
        file.empty() ? std::vector<std::string>() : std::vector<std::string>{file};
    ActionResult result;
    if (startDefault("text/plain", files, result)) {
        return result;
    }
    if (!file.empty() && !launcher_.locate("xdg-open").empty()) {
        return start("xdg-open", files);
    }
    for (const auto& editor : TextEditors) {
        if (!launcher_.locate(editor).empty()) {
            return start(editor, files);
        }
    }
    return ActionResult::failed("Не найден текстовый редактор: рабочий стол не назвал своего (xdg-mime, "
                                "gtk-launch), " +
                                std::string(file.empty() ? "" : "нет «xdg-open», ") +
                                "не установлена ни одна из программ " + Quoted(TextEditors) + ".");
}

ActionResult DesktopTools::openBrowser() {
    // x-www-browser exists only where a browser is installed; sensible-browser always does
    // on Debian but finds nothing more than $BROWSER adds, so it comes last and only then.
    if (!launcher_.locate("x-www-browser").empty()) {
        return start("x-www-browser", {});
    }
    ActionResult result;
    if (startDefault("x-scheme-handler/http", {}, result)) {
        return result;
    }
    const char* chosen = std::getenv("BROWSER");
    if (chosen != nullptr && *chosen != '\0' && !launcher_.locate("sensible-browser").empty()) {
        return start("sensible-browser", {});
    }
    return ActionResult::failed(
        "Не найден браузер: нет программы «x-www-browser», рабочий стол не назвал "
        "браузера по умолчанию (xdg-mime, gtk-launch), переменная BROWSER не задана.");
}

} // namespace domora
