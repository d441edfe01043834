#include "platform/posix/PosixFileStore.h"

#include "core/base/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace domora {
namespace {

bool EntryExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The names in a folder, "." and ".." among them.
std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    return 022;
}

bool Fail(std::string* error, const std::string& path, int errorNumber) {
    if (error != nullptr) {
        *error = "Не удалось записать файл «" + path + "»: " + SystemErrorText(errorNumber);
    }
    return false;
}

// The file a write of `path` replaces: the name matched without regard to letter case, and
// a symbolic link followed to the file it names.
std::string WriteTarget(const std::string& path) {
    std::string target = ResolvePathNoCase(path);
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    return target;
}

// The temporary files of a write of "Budil.DMR" are ".Budil.DMR.tmp-" and six letters or
// digits (what mkostemp fills in).
std::string TemporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}
} // namespace

std::string SystemErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return "нет места на диске";
    case EDQUOT:
        return "превышена дисковая квота";
    case EACCES:
    case EPERM:
        return "нет доступа";
    case EROFS:
        return "диск доступен только для чтения";
    case ENOENT:
        return "папка не найдена";
    case ENOTDIR:
        return "в пути вместо папки стоит файл";
    case EISDIR:
        return "на месте файла находится папка";
    case ENAMETOOLONG:
        return "слишком длинное имя";
    case EFBIG:
        return "файл слишком велик";
    case EIO:
        return "ошибка ввода-вывода";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    default:
        return "ошибка системы " + std::to_string(errorNumber);
    }
}

std::string ResolvePathNoCase(const std::string& path) {
    return ResolvePathNoCase(path, FolderLookup{EntryExists, FolderEntries});
}

std::optional<std::string> PosixFileStore::readAll(const std::string& path) {
    const int fd = ::open(ResolvePathNoCase(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

bool PosixFileStore::exists(const std::string& path) {
    struct stat st {};
    return ::stat(ResolvePathNoCase(path).c_str(), &st) == 0;
}

bool PosixFileStore::writeAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    if (path.empty() || path.back() == '/') {
        return Fail(error, path, EISDIR);
    }
    const std::string target = WriteTarget(path);
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
    const mode_t mode = existed ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());

    const std::string folder = FolderOf(target);
    const std::string name = target.substr(target.rfind('/') + 1);
    std::string temp = (folder == "/" ? "" : folder) + "/" + TemporaryPrefix(name) + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return Fail(error, path, errno);
    }
    auto abandon = [&](int errorNumber) {
        if (fd >= 0) {
            ::close(fd);
        }
        ::unlink(temp.c_str());
        return Fail(error, path, errorNumber);
    };

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return abandon(put < 0 ? errno : ENOSPC);
        }
        done += static_cast<std::size_t>(put);
    }
    ::fchmod(fd, mode); // best effort: some file systems keep no modes
    if (::fsync(fd) != 0) {
        return abandon(errno);
    }
    if (::close(fd) != 0) {
        const int closeError = errno;
        ::unlink(temp.c_str());
        return Fail(error, path, closeError);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.c_str());
        return Fail(error, path, renameError);
    }
    // The new name must reach the disk too; a folder that cannot be synced (some file
    // systems refuse) does not undo a write that has already taken place.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool PosixFileStore::makeFolder(const std::string& path, std::string* error) {
    const std::string target = ResolvePathNoCase(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return true;
    }
    if (::mkdir(target.c_str(), 0777) == 0) {
        return true;
    }
    if (error != nullptr) {
        *error = "Не удалось создать папку «" + path + "»: " + SystemErrorText(errno);
    }
    return false;
}

int RemoveTemporariesIn(const std::string& folder,
                        const std::function<bool(std::string_view name)>& written) {
    constexpr std::string_view kMark = ".tmp-";
    constexpr std::size_t kUniqueLength = 6; // what mkostemp fills in
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        if (entryName.size() < 1 + kMark.size() + kUniqueLength || entryName[0] != '.') {
            continue;
        }
        const std::size_t mark = entryName.size() - kUniqueLength - kMark.size();
        const std::string_view unique = entryName.substr(mark + kMark.size());
        if (entryName.substr(mark, kMark.size()) != kMark ||
            !std::all_of(unique.begin(), unique.end(),
                         [](char c) {
                             return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                    (c >= '0' && c <= '9');
                         }) ||
            !written(entryName.substr(1, mark - 1))) {
            continue;
        }
        const std::string entryPath = (folder == "/" ? "" : folder) + "/" + std::string(entryName);
        struct stat st {};
        if (::lstat(entryPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(entryPath.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

int PosixFileStore::removeStaleTemporaries(const std::string& path) {
    if (path.empty() || path.back() == '/') {
        return 0;
    }
    const std::string target = WriteTarget(path);
    const std::string name = target.substr(target.rfind('/') + 1);
    return RemoveTemporariesIn(FolderOf(target), [&](std::string_view written) { return written == name; });
}

} // namespace domora
