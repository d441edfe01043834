#include "platform/posix/XdgPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace domora {
namespace {

std::string AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    std::string path = value;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string HomeDir() {
    std::string home = AbsoluteEnv("HOME");
    if (!home.empty()) {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "/tmp";
}

std::string XdgConfigHome() {
    const std::string value = AbsoluteEnv("XDG_CONFIG_HOME");
    return value.empty() ? HomeDir() + "/.config" : value;
}

std::string XdgDataHome() {
    const std::string value = AbsoluteEnv("XDG_DATA_HOME");
    return value.empty() ? HomeDir() + "/.local/share" : value;
}

std::string XdgCacheHome() {
    const std::string value = AbsoluteEnv("XDG_CACHE_HOME");
    return value.empty() ? HomeDir() + "/.cache" : value;
}

std::string XdgRuntimeDir() {
    return AbsoluteEnv("XDG_RUNTIME_DIR");
}

bool MakeFolders(const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
    return std::filesystem::is_directory(path, ignored);
}

} // namespace domora
