#include "platform/posix/PosixLauncher.h"

#include "platform/posix/ChildProcess.h"
#include "platform/posix/PosixFileStore.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <sys/syscall.h>
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

// Whether the child has ended, reaping it; a child reaped elsewhere counts as ended.
bool Reaped(pid_t child) {
    int status = 0;
    pid_t result = -1;
    do {
        result = ::waitpid(child, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    return result == child || (result < 0 && errno == ECHILD);
}

class PosixWatchedProgram final : public WatchedProgram {
public:
    PosixWatchedProgram(pid_t child, std::weak_ptr<std::vector<pid_t>> launcherChildren)
        : child_(child), launcherChildren_(std::move(launcherChildren)),
          pidfd_(static_cast<int>(::syscall(SYS_pidfd_open, child, 0))) {}
    ~PosixWatchedProgram() override {
        if (pidfd_ >= 0) {
            ::close(pidfd_);
        }
        if (!finished()) {
            if (const auto children = launcherChildren_.lock()) {
                children->push_back(child_);
            }
        }
    }
    PosixWatchedProgram(const PosixWatchedProgram&) = delete;
    PosixWatchedProgram& operator=(const PosixWatchedProgram&) = delete;

    bool finished() override {
        ended_ = ended_ || Reaped(child_);
        return ended_;
    }
    int descriptor() const override { return pidfd_; }

private:
    pid_t child_;
    bool ended_ = false;
    std::weak_ptr<std::vector<pid_t>> launcherChildren_;
    int pidfd_; // close-on-exec by itself; -1 where the kernel has no pidfd
};

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
    std::erase_if(*children_, Reaped);
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
    pid_t child = 0;
    const int result = spawn(file, fields, directory, &child, nullptr);
    if (result == Started) {
        children_->push_back(child);
    }
    return result;
}

std::unique_ptr<WatchedProgram> PosixLauncher::startWatched(const std::string& file,
                                                            const std::vector<std::string>& fields,
                                                            const std::string& directory,
                                                            std::string* failure) {
    pid_t child = 0;
    std::string reason;
    if (spawn(file, fields, directory, &child, &reason) != Started) {
        if (failure != nullptr) {
            *failure = "Не удалось запустить «" + file + "»: " + reason + ".";
        }
        return nullptr;
    }
    return std::make_unique<PosixWatchedProgram>(child, children_);
}

int PosixLauncher::spawn(const std::string& file, const std::vector<std::string>& fields,
                         const std::string& directory, pid_t* child, std::string* reason) {
    reapEnded();
    const auto failed = [reason](int result, std::string text) {
        if (reason != nullptr) {
            *reason = std::move(text);
        }
        return result;
    };
    const std::string program = locate(file);
    if (program.empty() || !IsFile(program)) {
        return failed(NotFound, file.find('/') != std::string::npos
                                    ? "файл не найден"
                                    : "программы нет ни рядом с этой, ни в папках поиска программ (PATH)");
    }
    if (::access(program.c_str(), X_OK) != 0) {
        return failed(AccessDenied, "нет права на запуск файла «" + program + "»");
    }

    std::string folder;
    if (!directory.empty()) {
        folder = ResolvePathNoCase(directory);
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return failed(OtherError, "нет рабочей папки «" + directory + "»");
        }
    }
    const int result = SpawnProgram(program, fields, folder, child);
    switch (result) {
    case 0:
        return Started;
    case ENOENT:
    case ENOTDIR:
        // The file went away meanwhile, or its interpreter is missing.
        return failed(NotFound, "файл «" + program + "» или нужная ему программа не найдены");
    case EACCES:
    case EPERM:
    case ENOEXEC:
        return failed(AccessDenied, "файл «" + program + "» нельзя запустить");
    default:
        return failed(OtherError, "системная ошибка " + std::to_string(result));
    }
}

} // namespace domora
