#include "platform/posix/PosixAppLocation.h"

#include "platform/posix/PosixFileStore.h"
#include "platform/posix/XdgPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace domora {
namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

// Lays down `target` as a copy of `source`. The copy is made beside the target under a
// temporary name and renamed into place, so a run that stops half-way leaves no partial
// folder that later runs would take for a complete one.
void LayDown(const std::string& source, const std::string& target) {
    std::error_code error;
    if (!IsFolder(source)) {
        fs::create_directories(target, error);
        return;
    }
    const std::string temp = target + ".new-" + std::to_string(::getpid());
    fs::remove_all(temp, error);
    fs::create_directories(fs::path(temp).parent_path(), error);
    fs::copy(source, temp, fs::copy_options::recursive, error);
    if (!error) {
        fs::rename(temp, target, error); // fails when another copy of the program was quicker
    }
    if (error) {
        fs::remove_all(temp, error);
        fs::create_directories(target, error);
    }
}

} // namespace

PosixAppLocation::PosixAppLocation() {
    std::error_code error;
    executablePath_ = fs::read_symlink("/proc/self/exe", error).string();
}

PosixAppLocation::PosixAppLocation(std::string executablePath) : executablePath_(std::move(executablePath)) {}

std::string PosixAppLocation::executablePath() {
    return executablePath_;
}

std::string PosixAppLocation::executableDir() {
    const auto slash = executablePath_.rfind('/');
    return slash == std::string::npos ? std::string("./") : executablePath_.substr(0, slash + 1);
}

std::string PosixAppLocation::appDir() {
    if (appDir_.empty()) {
        appDir_ = WithSlash(findAppDir());
    }
    return appDir_;
}

std::string PosixAppLocation::findAppDir() {
    const char* home = std::getenv("DOMORA_HOME");
    if (home != nullptr && *home != '\0') {
        MakeFolders(home);
        return home;
    }
    const std::string exeDir = executableDir();
    if (IsFolder(ResolvePathNoCase(exeDir + "Data"))) {
        return exeDir;
    }
    const std::string data = XdgDataHome() + "/domora";
    if (!IsFolder(data)) {
        LayDown(exeDir + "../share/domora", data);
    }
    return data;
}

} // namespace domora
