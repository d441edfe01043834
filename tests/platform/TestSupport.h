#pragma once

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace domora::test {

// A fresh folder under /tmp (or `under`), removed with its contents at the end of the test.
class TempFolder {
public:
    explicit TempFolder(const std::filesystem::path& under = std::filesystem::temp_directory_path()) {
        std::string pattern = (under / "domora-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, or a path inside it.
    std::string path(const std::string& inside = {}) const {
        return inside.empty() ? path_ : path_ + "/" + inside;
    }

private:
    std::string path_;
};

// Sets (or with nothing, unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A program that writes its working folder and then its arguments, one a line, to `out`
// (whole, through a temporary file beside it).
inline void WriteEchoScript(const std::string& path, const std::string& out) {
    WriteFile(path, "#!/bin/sh\n"
                    "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
                        out + ".part' && mv '" + out + ".part' '" + out + "'\n");
    ::chmod(path.c_str(), 0755);
}

// The names in a folder, sorted.
inline std::string Listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    std::string out;
    for (const auto& name : names) {
        out += (out.empty() ? "" : " ") + name;
    }
    return out;
}

// Waits (up to a generous limit, so a broken test ends) for a file that another process
// writes, and returns its contents.
inline std::optional<std::string> WaitForFile(const std::string& path) {
    using namespace std::chrono_literals;
    for (auto waited = 0ms; waited < 10s; waited += 20ms) {
        if (auto bytes = ReadFile(path)) {
            return bytes;
        }
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

// A program started for the test (argv[0] looked up in PATH), stopped with SIGTERM and
// waited for at the end of the test. "{fd}" in its arguments becomes the number of a pipe
// whose first line firstLine() reads; without "{fd}" the pipe is its stdout.
class BackgroundProcess {
public:
    explicit BackgroundProcess(std::vector<std::string> arguments) {
        int ends[2];
        if (::pipe(ends) != 0) {
            return;
        }
        ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
        bool named = false;
        for (auto& argument : arguments) {
            if (const auto at = argument.find("{fd}"); at != std::string::npos) {
                argument.replace(at, 4, std::to_string(ends[1]));
                named = true;
            }
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!named) {
            posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        }
        std::vector<char*> argv;
        for (auto& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        if (::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        output_ = ends[0];
    }
    ~BackgroundProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) {
            ::close(output_);
        }
    }
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    // The next line the program wrote, without its end; empty when it ended without one
    // (or wrote none for a long time).
    std::string firstLine() {
        std::string line;
        pollfd wait{output_, POLLIN, 0};
        char c = 0;
        while (pid_ > 0 && ::poll(&wait, 1, 10000) == 1 && ::read(output_, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// A virtual X server of the test's own, where keyboard state can change without touching
// the user's desktop. name() is empty where Xvfb is missing or did not start.
class VirtualDisplay {
public:
    VirtualDisplay() {
        if (::access("/usr/bin/Xvfb", X_OK) != 0) {
            return;
        }
        server_.emplace(
            std::vector<std::string>{"Xvfb", "-displayfd", "{fd}", "-nolisten", "tcp", "-noreset"});
        const std::string number = server_->firstLine();
        name_ = number.empty() ? std::string() : ":" + number;
    }
    const std::string& name() const { return name_; }

private:
    std::optional<BackgroundProcess> server_;
    std::string name_;
};

// Runs a program (looked up in PATH) to its end; true when it exited with 0.
inline bool RunToEnd(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    int status = 1;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 &&
           ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace domora::test
