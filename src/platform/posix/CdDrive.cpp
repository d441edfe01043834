#include "platform/posix/CdDrive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace domora {
namespace {

// A reason for the errno of open() or ioctl() on the drive.
std::string DriveError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "нет прав на доступ к приводу.";
    case EBUSY:
        return "диск используется (возможно, он подключён к файловой системе).";
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return "устройство не найдено.";
    case ENOMEDIUM:
        return "в приводе нет диска.";
    case ENOTTY:
    case EINVAL:
        return "это устройство не является приводом компакт-дисков.";
    default:
        return std::string("ошибка системы (") + std::strerror(error) + ").";
    }
}

} // namespace

CdDrive::CdDrive(std::string driveList, std::string deviceFolder)
    : driveList_(std::move(driveList)), deviceFolder_(std::move(deviceFolder)) {}

std::string CdDrive::firstDrive() const {
    std::ifstream list(driveList_);
    for (std::string line; std::getline(list, line);) {
        if (line.rfind("drive name:", 0) != 0) {
            continue;
        }
        std::istringstream names(line.substr(std::strlen("drive name:")));
        // The kernel lists the drives newest first: the first drive is the last name.
        std::string name;
        for (std::string next; names >> next;) {
            name = next;
        }
        if (!name.empty()) {
            return deviceFolder_ + "/" + name;
        }
    }
    std::vector<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(deviceFolder_, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 2 && name.starts_with("sr") &&
            std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            found.push_back(name);
        }
    }
    if (found.empty()) {
        return {};
    }
    // sr0 before sr1 before sr10.
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return deviceFolder_ + "/" + found.front();
}

ActionResult CdDrive::door(bool open) {
    const std::string drive = firstDrive();
    if (drive.empty()) {
        return ActionResult::failed("Не найден привод компакт-дисков.");
    }
    const std::string failed =
        std::string(open ? "Не удалось открыть лоток привода " : "Не удалось закрыть лоток привода ") +
        drive + ": ";
    const int fd = ::open(drive.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return ActionResult::failed(failed + DriveError(errno));
    }
    const int result = ::ioctl(fd, open ? CDROMEJECT : CDROMCLOSETRAY, 0);
    const int error = errno;
    ::close(fd);
    if (result != 0) {
        return ActionResult::failed(failed + DriveError(error));
    }
    return ActionResult::ok();
}

} // namespace domora
