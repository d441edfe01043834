#include "platform/posix/MountTable.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace domora {
namespace {

// The kernel's own file systems, which hold no files of the user's.
constexpr std::array<std::string_view, 20> kPseudoFileSystems = {
    "proc",    "sysfs",       "cgroup",   "cgroup2", "devpts",   "mqueue",     "debugfs",
    "tracefs", "securityfs",  "pstore",   "bpf",     "configfs", "fusectl",    "hugetlbfs",
    "autofs",  "binfmt_misc", "efivarfs", "nsfs",    "devtmpfs", "rpc_pipefs",
};

constexpr std::array<std::string_view, 9> kNetworkFileSystems = {
    "nfs", "nfs4", "cifs", "smb3", "sshfs", "fuse.sshfs", "9p", "davfs", "fuse.davfs",
};

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// Whether a path is the folder or lies under it.
bool IsUnder(std::string_view path, std::string_view folder) {
    return path == folder ||
           (path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/');
}

bool IsUserFileSystem(const MountEntry& entry) {
    const std::string_view type = entry.fileSystem;
    const std::string_view point = entry.mountPoint;
    if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), type) != kPseudoFileSystems.end()) {
        return false;
    }
    if (type == "squashfs" && IsUnder(point, "/snap")) {
        return false;
    }
    if (type == "overlay" && point != "/") {
        return false;
    }
    for (const std::string_view hidden : {"/proc", "/sys", "/dev"}) {
        if (IsUnder(point, hidden)) {
            return false;
        }
    }
    return !IsUnder(point, "/run") || IsUnder(point, "/run/media");
}

} // namespace

std::string DecodeMountField(std::string_view field) {
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            decoded += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                         (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    // "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue":
    // mount id, parent id, device, root inside the file system, mount point, options, any
    // number of optional fields ended by "-", type, source, the file system's options.
    std::vector<MountEntry> table;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));

        std::vector<std::string_view> fields;
        for (std::size_t at = 0; at < line.size();) {
            const std::size_t next = std::min(line.find(' ', at), line.size());
            if (next > at) {
                fields.push_back(line.substr(at, next - at));
            }
            at = next + 1;
        }
        const auto separator = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 6 || separator - fields.begin() < 6 || fields.end() - separator < 3) {
            continue;
        }
        table.push_back({std::string(fields[2]), DecodeMountField(fields[4]), DecodeMountField(separator[1]),
                         DecodeMountField(separator[2])});
    }
    return table;
}

std::vector<std::string> UserMountPoints(const std::vector<MountEntry>& table) {
    std::unordered_map<std::string_view, std::size_t> lastMount;
    for (std::size_t i = 0; i < table.size(); ++i) {
        lastMount[table[i].mountPoint] = i;
    }
    std::vector<std::string> points;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (lastMount[table[i].mountPoint] == i && IsUserFileSystem(table[i])) {
            points.push_back(table[i].mountPoint);
        }
    }
    return points;
}

std::optional<MountEntry> FindMount(const std::vector<MountEntry>& table, std::string_view mountPoint) {
    const auto last = std::find_if(table.rbegin(), table.rend(),
                                   [&](const MountEntry& entry) { return entry.mountPoint == mountPoint; });
    if (last == table.rend()) {
        return std::nullopt;
    }
    return *last;
}

DriveKind ClassifyDrive(std::string_view fileSystem, std::string_view source, std::optional<bool> removable) {
    if (fileSystem == "tmpfs" || fileSystem == "ramfs") {
        return DriveKind::RamDisk;
    }
    if (std::find(kNetworkFileSystems.begin(), kNetworkFileSystems.end(), fileSystem) !=
        kNetworkFileSystems.end()) {
        return DriveKind::Remote;
    }
    if (fileSystem == "iso9660" || fileSystem == "udf" || source.starts_with("/dev/sr")) {
        return DriveKind::CdRom;
    }
    if (!removable) {
        return DriveKind::Unknown;
    }
    return *removable ? DriveKind::Removable : DriveKind::Fixed;
}

} // namespace domora
