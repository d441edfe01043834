#pragma once

#include "platform/SystemActions.h"

#include <string>

namespace domora {

// The door of the first optical drive: the oldest of the "drive name:" line of the kernel's
// CD-ROM list, else the first /dev/sr*.
class CdDrive {
public:
    // Where the drives are looked for: the kernel's list and the device folder.
    explicit CdDrive(std::string driveList = "/proc/sys/dev/cdrom/info", std::string deviceFolder = "/dev");

    // Opens or closes the door; returns once it has moved.
    ActionResult door(bool open);
    // The device of the first drive, or empty when there is none.
    std::string firstDrive() const;

private:
    std::string driveList_;
    std::string deviceFolder_;
};

} // namespace domora
