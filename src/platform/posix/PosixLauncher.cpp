#include "platform/posix/PosixLauncher.h"

#include "platform/posix/PosixFileStore.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

// RAII for the spawn attributes and file actions.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
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
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const auto colon = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, colon - start);
        start = colon + 1;
        if (folder.empty() || folder.front() != '/') {
            continue; // a relative PATH entry would depend on the working folder
        }
        for (const auto& name : {file, bare}) {
            const std::string candidate = folder + "/" + name;
            if (IsFile(candidate)) {
                return candidate;
            }
        }
    }
    return {};
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

    SpawnSetup setup;
    if (!directory.empty()) {
        const std::string folder = ResolvePathNoCase(directory);
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str()) != 0) {
            return OtherError; // a missing working folder
        }
    }
    // The child starts with no blocked signals and the usual default actions, whatever
    // this program has set for itself.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2, SIGALRM}) {
        sigaddset(&defaults, signal);
    }
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> arguments;
    arguments.reserve(fields.size() + 1);
    arguments.push_back(program);
    arguments.insert(arguments.end(), fields.begin(), fields.end());
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    pid_t child = 0;
    const int result =
        ::posix_spawn(&child, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
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
