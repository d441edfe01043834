#include "platform/posix/LinuxSystemFacts.h"

#include "platform/posix/MountTable.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <sched.h>
#include <sys/mount.h>

namespace domora {
namespace {

TEST(LinuxSystemFacts, NamesTheDisplayAdapterFromAFakeSysfs) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files; // under <root>/sys
        // technology, BIOS version and date, adapter, chip, memory
        std::vector<std::string> expected;
    } cases[] = {
        {"a known chip with its video memory and two screens",
         {{"bus/pci/devices/0000:00:00.0/class", "0x060000\n"},
          {"bus/pci/devices/0000:00:02.0/class", "0x030000\n"},
          {"bus/pci/devices/0000:00:02.0/vendor", "0x8086\n"},
          {"bus/pci/devices/0000:00:02.0/device", "0x46a6\n"},
          {"bus/pci/devices/0000:00:02.0/mem_info_vram_total", "268435456\n"},
          {"bus/pci/devices/0000:01:00.0/class", "0x030200\n"},
          {"bus/pci/devices/0000:01:00.0/vendor", "0x10de\n"},
          {"bus/pci/devices/0000:01:00.0/device", "0x1234\n"},
          {"class/drm/card0-eDP-1/status", "connected\n"},
          {"class/drm/card0-DP-1/status", "disconnected\n"},
          {"class/drm/card1-HDMI-A-1/status", "connected\n"},
          {"class/drm/renderD128/status", "connected\n"},
          {"class/dmi/id/bios_version", "1.23.0\n"},
          {"class/dmi/id/bios_date", "07/12/2023\n"}},
         {"Raster Display (HDMI-A-1, eDP-1)", "1.23.0", "07/12/2023", "Intel Corporation",
          "Alder Lake-P Integrated Graphics Controller", "268435456"}},
        {"ids the database lacks, no screen",
         {{"bus/pci/devices/0000:00:02.0/class", "0x038000\n"},
          {"bus/pci/devices/0000:00:02.0/vendor", "0xfff0\n"},
          {"bus/pci/devices/0000:00:02.0/device", "0x5678\n"},
          {"bus/pci/devices/0000:00:02.0/mem_info_vram_total", "unknown\n"},
          {"bus/pci/devices/0000:00:03.0/class", "0x030000\n"},
          {"bus/pci/devices/0000:00:03.0/vendor", "0x8086\n"},
          {"bus/pci/devices/0000:00:03.0/device", "0xfffe\n"},
          {"class/drm/card0-VGA-1/status", "disconnected\n"}},
         {"Raster Display", "", "", "fff0", "fff0:5678", ""}},
        {"no display controller", {}, {"Raster Display", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        test::TempFolder root;
        for (const auto& [file, text] : c.files) {
            test::WriteFile(root.path("sys/" + file), text);
        }
        const DisplayFacts facts = LinuxSystemFacts(root.path()).display();
        const std::vector<std::string> said = {facts.technology, facts.biosVersion, facts.biosDate,
                                               facts.adapter,    facts.chip,        facts.memory};
        EXPECT_EQ(said, c.expected) << c.name;
        EXPECT_EQ(facts.dac, "") << c.name;
        EXPECT_EQ(facts.horizontal + facts.vertical + facts.bitsPerPixel, 0) << c.name;
    }
}

// In a child of its own user and mount namespaces, mounts a 64 MiB tmpfs on `folder` and
// writes what disk() and drives() say of it to `out`: "type file-system capacity free
// bytes-per-sector sectors-per-cluster total-clusters listed". Exits with 77 where the
// system refuses the namespaces.
[[noreturn]] void DescribeTmpfsInNamespace(const std::string& folder, int out) {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        ::_exit(77);
    }
    test::WriteFile("/proc/self/setgroups", "deny");
    test::WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    test::WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64m") != 0) {
        ::_exit(77);
    }
    LinuxSystemFacts system;
    const DiskFacts disk = system.disk(folder);
    const auto drives = system.drives();
    const bool listed = std::find(drives.begin(), drives.end(), folder) != drives.end();
    char line[256];
    const int size = std::snprintf(line, sizeof line, "%d %s %llu %llu %u %u %llu %d", disk.driveType,
                                   disk.fileSystem.c_str(), static_cast<unsigned long long>(disk.capacity),
                                   static_cast<unsigned long long>(disk.freeSpace), disk.bytesPerSector,
                                   disk.sectorsPerCluster,
                                   static_cast<unsigned long long>(disk.totalClusters), listed ? 1 : 0);
    const bool written = size > 0 && ::write(out, line, static_cast<std::size_t>(size)) == size;
    ::_exit(written ? 0 : 1);
}

TEST(LinuxSystemFacts, DescribesATmpfsOfKnownSize) {
    test::TempFolder tmp;
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ends[0]);
        DescribeTmpfsInNamespace(tmp.path(), ends[1]);
    }
    ::close(ends[1]);
    std::string said;
    char buffer[256];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(ends[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "the system refuses a user and mount namespace to mount a tmpfs in";
    }
    ASSERT_EQ(WEXITSTATUS(status), 0);
    // RamDisk, 64 MiB all free, no block device under it (512-byte sectors), 4 KiB pages.
    const long page = ::sysconf(_SC_PAGESIZE);
    EXPECT_EQ(said, "6 tmpfs 67108864 67108864 512 " + std::to_string(page / 512) + " " +
                        std::to_string(67108864 / page) + " 1");

    // Out here the folder is no mount point; a folder that is gone is not one either.
    LinuxSystemFacts system;
    EXPECT_EQ(system.disk(tmp.path()).driveType, static_cast<int>(DriveKind::NoRootDirectory));
    EXPECT_EQ(system.disk(tmp.path("gone")).driveType, static_cast<int>(DriveKind::NoRootDirectory));
}

TEST(LinuxSystemFacts, FindsTheRootsDeviceInAFakeSysfs) {
    // The root's real file system, with its device in a fake /sys as a partition of a disk on
    // USB with 4 KiB sectors, and a UUID link in a fake /dev to its source.
    const auto root = FindMount(ParseMountInfo(*test::ReadFile("/proc/self/mountinfo")), "/");
    ASSERT_TRUE(root);
    test::TempFolder fake;
    const std::string disk = "sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/block/sdz";
    test::WriteFile(fake.path(disk + "/removable"), "0\n");
    test::WriteFile(fake.path(disk + "/queue/logical_block_size"), "4096\n");
    test::WriteFile(fake.path(disk + "/sdz1/partition"), "1\n");
    std::filesystem::create_directories(fake.path("sys/dev/block"));
    std::filesystem::create_symlink(fake.path(disk + "/sdz1"), fake.path("sys/dev/block/" + root->device));
    test::WriteFile(fake.path("dev/sdz1"), "");
    std::filesystem::create_directories(fake.path("dev/disk/by-uuid"));
    std::filesystem::create_symlink("../../sdy1", fake.path("dev/disk/by-uuid/0000-0001")); // gone
    std::filesystem::create_symlink("../../sdz1", fake.path("dev/disk/by-uuid/A1B2-C3D4"));
    if (root->source.starts_with("/dev/") && root->source != "/dev/sdz1") {
        std::filesystem::create_directories(fake.path(std::filesystem::path(root->source).parent_path()));
        std::filesystem::create_symlink(fake.path("dev/sdz1"), fake.path(root->source));
    }

    const DiskFacts facts = LinuxSystemFacts(fake.path()).disk("/");
    EXPECT_EQ(facts.driveType, static_cast<int>(DriveKind::Removable));
    EXPECT_EQ(facts.fileSystem, root->fileSystem);
    EXPECT_EQ(facts.bytesPerSector, 4096u);
    EXPECT_GE(facts.sectorsPerCluster, 1u);
    EXPECT_EQ(facts.serialNumber, root->source.starts_with("/dev/") ? "A1B2-C3D4" : "");
}

TEST(LinuxSystemFacts, DescribesThisMachine) {
    LinuxSystemFacts system;
    const ProcessorFacts processor = system.processor();
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_EQ(processor.vendorId.size(), 12u);
#endif
    EXPECT_GE(processor.count, 1);
    const MemoryFacts memory = system.memory();
    EXPECT_GT(memory.availablePhysical, 0u);
    EXPECT_GT(memory.totalPhysical, memory.availablePhysical);
    const auto drives = system.drives();
    EXPECT_NE(std::find(drives.begin(), drives.end(), "/"), drives.end());
    const DiskFacts root = system.disk("/");
    EXPECT_NE(root.driveType, static_cast<int>(DriveKind::NoRootDirectory));
    EXPECT_GT(root.capacity, 0u);
}

} // namespace
} // namespace domora
