#include "platform/posix/LinuxSystemFacts.h"

#include "platform/posix/KernelInfoText.h"
#include "platform/posix/MountTable.h"
#include "platform/posix/PciNames.h"
#include "platform/posix/X86Processor.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace domora {
namespace {

constexpr std::uint32_t kSectorWithoutDevice = 512;

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first line of a small file of the kernel's, without the blanks around it.
std::string ReadLine(const fs::path& file) {
    std::string line = ReadText(file);
    line = line.substr(0, line.find('\n'));
    const auto blank = line.find_last_not_of(" \t\r");
    return blank == std::string::npos ? std::string() : line.substr(0, blank + 1);
}

// A hexadecimal number of a sysfs file ("0x030000"); nothing when it is not one.
std::optional<unsigned> ReadHex(const fs::path& file) {
    std::string text = ReadLine(file);
    if (text.starts_with("0x")) {
        text.erase(0, 2);
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

fs::path Canonical(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    return error ? fs::path() : resolved;
}

std::vector<MountEntry> MountTable() {
    return ParseMountInfo(ReadText("/proc/self/mountinfo"));
}

// A block device's folder in /sys, with the whole disk's when the device is a partition.
struct BlockDevice {
    fs::path folder;
    fs::path disk;

    // A partition's own folder lacks these files; its disk has them.
    std::string attribute(const std::string& name) const {
        const std::string own = ReadLine(folder / name);
        return own.empty() ? ReadLine(disk / name) : own;
    }
    bool removable() const {
        return attribute("removable") == "1" || folder.string().find("/usb") != std::string::npos;
    }
    std::uint32_t logicalBlockSize() const {
        const std::string size = attribute("queue/logical_block_size");
        std::uint32_t value = 0;
        std::from_chars(size.data(), size.data() + size.size(), value);
        return value != 0 ? value : kSectorWithoutDevice;
    }
};

} // namespace

LinuxSystemFacts::LinuxSystemFacts(std::string root) : root_(std::move(root)) {}

std::string LinuxSystemFacts::path(const std::string& absolute) const {
    return root_ == "/" ? absolute : root_ + absolute;
}

ProcessorFacts LinuxSystemFacts::processor() {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    // At least the one running this code.
    const int count = online > 0 ? static_cast<int>(online) : 1;
    if (const auto readings = ReadCpuid()) {
        return IdentifyProcessor(*readings, count);
    }
    ProcessorFacts facts = ParseCpuInfo(ReadText("/proc/cpuinfo"));
    facts.count = count;
    return facts;
}

std::vector<std::string> LinuxSystemFacts::drives() {
    return UserMountPoints(MountTable());
}

DiskFacts LinuxSystemFacts::disk(const std::string& drive) {
    DiskFacts facts;
    // The table writes a mount point without a closing slash, but for the root.
    std::string point = drive;
    while (point.size() > 1 && point.back() == '/') {
        point.pop_back();
    }
    const std::optional<MountEntry> mount = FindMount(MountTable(), point);
    struct statvfs stats {};
    if (!mount || ::statvfs(point.c_str(), &stats) != 0) {
        facts.driveType = static_cast<int>(DriveKind::NoRootDirectory);
        return facts;
    }
    facts.fileSystem = mount->fileSystem;

    // The block device by the file system's number, else (btrfs gives a number of its own)
    // by the name of the source device.
    std::optional<BlockDevice> device;
    fs::path folder = Canonical(path("/sys/dev/block/" + mount->device));
    if (folder.empty() && mount->source.starts_with("/dev/")) {
        const fs::path source = Canonical(path(mount->source));
        if (!source.empty()) {
            folder = Canonical(path("/sys/class/block/" + source.filename().string()));
        }
    }
    if (!folder.empty()) {
        device = BlockDevice{folder, fs::exists(folder / "partition") ? folder.parent_path() : folder};
    }
    facts.driveType = static_cast<int>(
        ClassifyDrive(mount->fileSystem, mount->source,
                      device ? std::optional<bool>(device->removable()) : std::optional<bool>()));

    facts.capacity = static_cast<std::uint64_t>(stats.f_blocks) * stats.f_frsize;
    facts.freeSpace = static_cast<std::uint64_t>(stats.f_bavail) * stats.f_frsize;
    facts.totalClusters = stats.f_blocks;
    facts.freeClusters = stats.f_bavail;
    facts.bytesPerSector = device ? device->logicalBlockSize() : kSectorWithoutDevice;
    facts.sectorsPerCluster =
        std::max<std::uint32_t>(1, static_cast<std::uint32_t>(stats.f_frsize / facts.bytesPerSector));

    // The file system's UUID: the name of the link in /dev/disk/by-uuid to its device, found
    // by the device's number or by the source's path.
    unsigned major = 0, minor = 0;
    const bool numbered = std::sscanf(mount->device.c_str(), "%u:%u", &major, &minor) == 2;
    const fs::path source = mount->source.starts_with("/dev/") ? Canonical(path(mount->source)) : fs::path();
    std::error_code error;
    for (fs::directory_iterator it(path("/dev/disk/by-uuid"), error), end; !error && it != end;
         it.increment(error)) {
        struct stat target {};
        const bool sameNumber = numbered && ::stat(it->path().c_str(), &target) == 0 &&
                                S_ISBLK(target.st_mode) && target.st_rdev == makedev(major, minor);
        if (sameNumber || (!source.empty() && Canonical(it->path()) == source)) {
            facts.serialNumber = it->path().filename().string();
            break;
        }
    }
    return facts;
}

DisplayFacts LinuxSystemFacts::display() {
    DisplayFacts facts;
    // The connectors with a screen on them: "card0-HDMI-A-1" with the status "connected".
    std::vector<std::string> connectors;
    std::error_code error;
    for (fs::directory_iterator it(path("/sys/class/drm"), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::size_t dash = name.find('-');
        if (name.starts_with("card") && dash != std::string::npos && dash > 4 &&
            IsDigits(name.substr(4, dash - 4)) && ReadLine(it->path() / "status") == "connected") {
            connectors.push_back(name.substr(dash + 1));
        }
    }
    std::sort(connectors.begin(), connectors.end());
    facts.technology = "Raster Display";
    for (std::size_t i = 0; i < connectors.size(); ++i) {
        facts.technology += (i == 0 ? " (" : ", ") + connectors[i] + (i + 1 == connectors.size() ? ")" : "");
    }

    facts.biosVersion = ReadLine(path("/sys/class/dmi/id/bios_version"));
    facts.biosDate = ReadLine(path("/sys/class/dmi/id/bios_date"));

    // The first display controller (PCI class 0x03) in the order of the bus addresses.
    std::vector<fs::path> devices;
    for (fs::directory_iterator it(path("/sys/bus/pci/devices"), error), end; !error && it != end;
         it.increment(error)) {
        devices.push_back(it->path());
    }
    std::sort(devices.begin(), devices.end());
    for (const fs::path& device : devices) {
        const auto pciClass = ReadHex(device / "class");
        const auto vendor = ReadHex(device / "vendor");
        const auto model = ReadHex(device / "device");
        if (!pciClass || (*pciClass >> 16) != 0x03 || !vendor || !model) {
            continue;
        }
        PciNames names;
        facts.adapter = names.vendor(*vendor);
        facts.chip = names.device(*vendor, *model);
        // The video memory only where the driver tells it (amdgpu does), in bytes.
        const std::string memory = ReadLine(device / "mem_info_vram_total");
        facts.memory = IsDigits(memory) ? memory : std::string();
        break;
    }
    // The digital-to-analogue converter of the adapter is not a fact Linux reports.
    facts.dac.clear();
    return facts;
}

MemoryFacts LinuxSystemFacts::memory() {
    return ParseMemInfo(ReadText("/proc/meminfo"));
}

std::optional<double> LinuxSystemFacts::measureCpuMHz() {
    return MeasureTimeStampCounterMHz();
}

} // namespace domora
