#include "platform/posix/PosixLauncher.h"

#include "platform/posix/ChildProcess.h"
#include "platform/posix/PosixFileStore.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace domora {
namespace {

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// "Notebox.exe" -> "notebox"; other names unchanged.
std::string WithoutExe(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.size() > 4 && lower.ends_with(".exe")) {
        return lower.substr(0, lower.size() - 4);
    }
    return name;
}

} // namespace

PosixLauncher::PosixLauncher(std::string executableDir) : executableDir_(std::move(executableDir)) {
    if (!executableDir_.empty() && executableDir_.back() != '/') {
        executableDir_ += '/';
    }
}

PosixLauncher::~PosixLauncher() {
    reapEnded();
}

void PosixLauncher::reapEnded() {
    std::erase_if(children_, [](pid_t child) {
        int status = 0;
        const pid_t result = ::waitpid(child, &status, WNOHANG);
        return result == child || (result < 0 && errno == ECHILD);
    });
}

std::string PosixLauncher::locate(const std::string& file) const {
    if (file.empty()) {
        return {};
    }
    if (file.find('/') != std::string::npos) {
        return ResolvePathNoCase(file);
    }
    const std::string bare = WithoutExe(file);
    if (!executableDir_.empty()) {
        for (const auto& name : {file, bare}) {
            const std::string candidate = ResolvePathNoCase(executableDir_ + name);
            if (IsFile(candidate)) {
                return candidate;
            }
        }
    }
    std::string found = FindInPath(file);
    if (found.empty() && bare != file) {
        found = FindInPath(bare);
    }
    return found;
}

int PosixLauncher::startProgram(const std::string& file, const std::vector<std::string>& fields,
                                const std::string& directory) {
    reapEnded();
    const std::string program = locate(file);
    if (program.empty() || !IsFile(program)) {
        return NotFound;
    }
    if (::access(program.c_str(), X_OK) != 0) {
        return AccessDenied;
    }

    std::string folder;
    if (!directory.empty()) {
        folder = ResolvePathNoCase(directory);
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return OtherError; // a missing working folder
        }
    }
    pid_t child = 0;
    const int result = SpawnProgram(program, fields, folder, &child);
    if (result == 0) {
        children_.push_back(child);
        return Started;
    }
    switch (result) {
    case ENOENT:
    case ENOTDIR:
        return NotFound; // the file went away meanwhile, or its interpreter is missing
    case EACCES:
    case EPERM:
    case ENOEXEC:
        return AccessDenied;
    default:
        return OtherError;
    }
}

} // namespace domora
