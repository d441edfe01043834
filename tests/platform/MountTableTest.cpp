#include "platform/posix/MountTable.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(MountTable, ListsTheUsersFileSystemsDecodedInTheSystemsOrder) {
    const std::string table =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "22 26 0:21 / /sys rw,relatime shared:7 - sysfs sysfs rw\n"
        "23 26 0:6 / /dev rw - devtmpfs devtmpfs rw,size=100k\n"
        "24 23 0:22 / /dev/shm rw - tmpfs tmpfs rw\n"
        "26 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "30 22 0:27 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
        "31 26 7:3 / /snap/core/17 ro shared:9 - squashfs /dev/loop3 ro\n"
        "32 26 8:17 / /media/My\\040Disk\\011x rw shared:3 master:2 - vfat /dev/sdb1 rw\n"
        "33 26 0:40 / /run rw - tmpfs tmpfs rw\n"
        "34 33 0:41 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "35 33 8:33 / /run/media/anna/STICK rw - exfat /dev/sdc1 rw\n"
        "36 26 0:42 / /mnt/data rw - ext4 /dev/sda2 rw\n"
        "37 26 0:43 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n"
        "38 26 0:44 / /home rw - nfs4 server:/export/home rw\n"
        "39 26 0:45 / /mnt/data rw - proc proc rw\n"
        "40 26 0:46 / /tmp rw - tmpfs tmpfs rw\n"
        "41 26 0:47 / /mnt/data rw - xfs /dev/sdd1 rw\n"
        "broken line\n"
        "42 26 0:48 / /mnt/short rw -\n";
    const std::vector<std::string> expected = {"/",    "/media/My Disk\tx", "/run/media/anna/STICK", "/home",
                                               "/tmp", "/mnt/data"};
    const auto entries = ParseMountInfo(table);
    EXPECT_EQ(UserMountPoints(entries), expected);
    EXPECT_EQ(entries.size(), 17u);
    // The last mount over a point is the one seen there.
    const auto data = FindMount(entries, "/mnt/data");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->fileSystem, "xfs");
    EXPECT_EQ(data->source, "/dev/sdd1");
    EXPECT_EQ(data->device, "0:47");
    EXPECT_FALSE(FindMount(entries, "/mnt"));

    // An overlay is the user's only as the root of a container.
    EXPECT_EQ(UserMountPoints(ParseMountInfo("1 0 0:30 / / rw - overlay overlay rw\n")),
              std::vector<std::string>{"/"});
}

TEST(MountTable, DecodesOnlyWholeOctalEscapes) {
    EXPECT_EQ(DecodeMountField("a\\040b\\134c"), "a b\\c");
    EXPECT_EQ(DecodeMountField("end\\04"), "end\\04");
    EXPECT_EQ(DecodeMountField("x\\08y\\"), "x\\08y\\");
}

TEST(MountTable, ClassifiesDrives) {
    const struct {
        const char* fileSystem;
        const char* source;
        std::optional<bool> removable;
        DriveKind kind;
    } cases[] = {
        {"tmpfs", "tmpfs", std::nullopt, DriveKind::RamDisk},
        {"ramfs", "none", std::nullopt, DriveKind::RamDisk},
        {"nfs4", "server:/home", std::nullopt, DriveKind::Remote},
        {"cifs", "//server/share", std::nullopt, DriveKind::Remote},
        {"fuse.sshfs", "anna@host:", std::nullopt, DriveKind::Remote},
        {"9p", "hostshare", std::nullopt, DriveKind::Remote},
        {"iso9660", "/dev/loop0", false, DriveKind::CdRom},
        {"udf", "/dev/sdb", true, DriveKind::CdRom},
        {"auto", "/dev/sr0", true, DriveKind::CdRom},
        {"vfat", "/dev/sdb1", true, DriveKind::Removable},
        {"ext4", "/dev/nvme0n1p2", false, DriveKind::Fixed},
        {"btrfs", "/dev/mapper/root", false, DriveKind::Fixed},
        {"fuse.portal", "portal", std::nullopt, DriveKind::Unknown},
        {"overlay", "overlay", std::nullopt, DriveKind::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyDrive(c.fileSystem, c.source, c.removable), c.kind)
            << c.fileSystem << " " << c.source;
    }
}

} // namespace
} // namespace domora
