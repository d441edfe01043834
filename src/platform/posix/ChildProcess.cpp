#include "platform/posix/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
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

// A pipe whose ends close with it; both ends close on exec, the child gets its own copy
// through dup2.
struct Pipe {
    int ends[2] = {-1, -1};
    Pipe() {
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            ends[0] = ends[1] = -1;
        }
    }
    ~Pipe() {
        closeEnd(0);
        closeEnd(1);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void closeEnd(int which) {
        if (ends[which] >= 0) {
            ::close(ends[which]);
            ends[which] = -1;
        }
    }
};

} // namespace

std::string FindInPath(const std::string& name) {
    if (name.empty()) {
        return {};
    }
    if (name.find('/') != std::string::npos) {
        return IsFile(name) ? name : std::string();
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
        const std::string candidate = folder + "/" + name;
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

int SpawnProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& directory, pid_t* child, int output, int errors) {
    SpawnSetup setup;
    if (!directory.empty() && posix_spawn_file_actions_addchdir_np(&setup.actions, directory.c_str()) != 0) {
        return ENOMEM;
    }
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&setup.actions, output, STDOUT_FILENO);
    }
    if (errors >= 0) {
        posix_spawn_file_actions_adddup2(&setup.actions, errors, STDERR_FILENO);
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

    std::vector<std::string> all;
    all.reserve(arguments.size() + 1);
    all.push_back(program);
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return ::posix_spawn(child, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
}

ProgramRun RunToEnd(const std::string& name, const std::vector<std::string>& arguments) {
    ProgramRun run;
    const std::string program = FindInPath(name);
    if (program.empty()) {
        return run;
    }
    Pipe output;
    Pipe errors;
    if (output.ends[0] < 0 || errors.ends[0] < 0) {
        return run;
    }
    pid_t child = 0;
    if (SpawnProgram(program, arguments, {}, &child, output.ends[1], errors.ends[1]) != 0) {
        return run;
    }
    run.started = true;
    output.closeEnd(1);
    errors.closeEnd(1);

    // Both pipes are read to their end, so a program that fills one is never stuck.
    pollfd ends[2] = {{output.ends[0], POLLIN, 0}, {errors.ends[0], POLLIN, 0}};
    std::string* texts[2] = {&run.output, &run.errors};
    int open = 2;
    while (open > 0) {
        if (::poll(ends, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (ends[i].fd < 0 || ends[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::read(ends[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ends[i].fd = -1; // poll skips negative descriptors
                --open;
            }
        }
    }
    int status = 0;
    pid_t ended = -1;
    do {
        ended = ::waitpid(child, &status, 0);
    } while (ended < 0 && errno == EINTR);
    run.exitCode = ended == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace domora
