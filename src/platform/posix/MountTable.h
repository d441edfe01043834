#pragma once

#include "core/sysinfo/SystemFacts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

// One line of /proc/self/mountinfo, with its fields decoded.
struct MountEntry {
    std::string device;     // "major:minor" of the mounted file system
    std::string mountPoint; // where it is mounted
    std::string fileSystem; // its type ("ext4", "tmpfs", "fuse.sshfs")
    std::string source;     // what is mounted ("/dev/sda1", "server:/export", "tmpfs")
};

// A field of the mount table as the kernel writes it: a blank, tab, line feed or backslash
// in it is written as a backslash and three octal digits ("\040" for a blank).
std::string DecodeMountField(std::string_view field);

// The lines of /proc/self/mountinfo in the kernel's order; a line that is not complete is
// passed over.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The mount points a user may choose among, in the table's order: real file systems only,
// not the kernel's own (proc, sysfs, cgroup, ...), not the snaps' squashfs images, an overlay
// only as the root, and nothing under /proc, /sys, /dev or /run (but /run/media, where the
// desktop mounts removable media). A point mounted over more than once is the last mount
// over it, at that mount's place.
std::vector<std::string> UserMountPoints(const std::vector<MountEntry>& table);

// The last mount over a point (the one that is seen there); nothing when it is not mounted.
std::optional<MountEntry> FindMount(const std::vector<MountEntry>& table, std::string_view mountPoint);

// The kind of a drive from its file system type, its source and, for a file system on a
// block device, whether the device is removable (nothing when it is not on a block device).
DriveKind ClassifyDrive(std::string_view fileSystem, std::string_view source, std::optional<bool> removable);

} // namespace domora
