#include "platform/posix/PosixTaskStarter.h"

#include "core/tasks/TaskParams.h"
#include "platform/AppLocation.h"
#include "platform/posix/ChildProcess.h"
#include "platform/posix/PosixFileStore.h"
#include "platform/posix/PosixLauncher.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace domora {
namespace {

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The path made absolute against this program's working folder, so that it names the same
// file after the child has changed its own.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

} // namespace

PosixTaskStarter::PosixTaskStarter(PosixLauncher& launcher, AppLocation& location)
    : launcher_(launcher), location_(location) {}

std::string PosixTaskStarter::locate(const std::string& directory, const std::string& fileName) const {
    if (!directory.empty()) {
        const std::string joined =
            ResolvePathNoCase(directory + (directory.back() == '/' ? "" : "/") + fileName);
        if (IsFile(joined)) {
            return Absolute(joined);
        }
    }
    if (fileName.find('/') != std::string::npos) {
        const std::string path = ResolvePathNoCase(fileName);
        return IsFile(path) ? Absolute(path) : std::string();
    }
    return FindInPath(fileName);
}

ActionResult PosixTaskStarter::start(const std::string& directory, const std::string& fileName,
                                     const std::string& params) {
    if (fileName.empty()) {
        return ActionResult::failed("В задании не указан файл для запуска.");
    }
    const std::string program = locate(directory, fileName);
    if (program.empty()) {
        if (fileName.find('/') != std::string::npos) {
            return ActionResult::failed("Не найден файл «" + fileName + "».");
        }
        return ActionResult::failed("Не найден файл «" + fileName + "»: его нет " +
                                    (directory.empty() ? "" : "ни в папке «" + directory + "», ни ") +
                                    "в папках поиска программ (PATH).");
    }
    std::string folder = directory.empty() ? std::string() : ResolvePathNoCase(directory);
    if (folder.empty() || !IsFolder(folder)) {
        folder = location_.appDir();
    }
    if (::access(program.c_str(), X_OK) == 0) {
        return spawn(program, SplitParams(params), folder, program);
    }
    if (launcher_.locate("xdg-open").empty()) {
        return ActionResult::failed("Не удалось открыть файл «" + program +
                                    "»: это не программа, а программа «xdg-open», которая открывает "
                                    "файлы программой по умолчанию, не найдена.");
    }
    return spawn("xdg-open", {program}, folder, program);
}

ActionResult PosixTaskStarter::spawn(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::string& folder, const std::string& shown) {
    switch (launcher_.startProgram(program, arguments, folder)) {
    case PosixLauncher::Started:
        return ActionResult::ok();
    case PosixLauncher::NotFound:
        return ActionResult::failed("Не найден файл «" + shown + "» или нужная ему программа.");
    case PosixLauncher::AccessDenied:
        return ActionResult::failed("Нет прав на запуск программы «" + shown + "».");
    default:
        return ActionResult::failed("Не удалось запустить программу «" + shown + "».");
    }
}

} // namespace domora
