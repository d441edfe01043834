#include "platform/posix/CdDrive.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(CdDrive, FindsTheFirstDriveOrSaysWhyTheDoorDidNotMove) {
    const struct {
        const char* name;
        std::optional<std::string> driveList; // the kernel's list; none: missing
        std::vector<std::string> devices;     // plain files in the device folder
        std::string drive;                    // inside the device folder
        std::string failure;                  // "{drive}" stands for the drive's path
    } cases[] = {
        {"nothing", std::nullopt, {"sda", "tty0"}, "", "Не найден привод компакт-дисков."},
        {"an empty list",
         "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\ndrive name:\t\n",
         {},
         "",
         "Не найден привод компакт-дисков."},
        {"listed, oldest last",
         "CD-ROM information\n\ndrive name:\t\tsr1\tsr0\ndrive speed:\t\t24\t24\n",
         {},
         "sr0",
         "Не удалось открыть лоток привода {drive}: устройство не найдено."},
        {"not a drive",
         std::nullopt,
         {"sda", "sr10", "sr2", "srx"},
         "sr2",
         "Не удалось открыть лоток привода {drive}: это устройство не является приводом компакт-дисков."},
    };
    for (const auto& c : cases) {
        test::TempFolder tmp;
        std::filesystem::create_directories(tmp.path("dev"));
        if (c.driveList) {
            test::WriteFile(tmp.path("info"), *c.driveList);
        }
        for (const auto& device : c.devices) {
            test::WriteFile(tmp.path("dev/" + device), "");
        }
        CdDrive drive(tmp.path("info"), tmp.path("dev"));
        const std::string path = c.drive.empty() ? std::string() : tmp.path("dev/" + c.drive);
        EXPECT_EQ(drive.firstDrive(), path) << c.name;
        std::string failure = c.failure;
        if (const auto at = failure.find("{drive}"); at != std::string::npos) {
            failure.replace(at, 7, path);
        }
        EXPECT_EQ(drive.door(true).failure, failure) << c.name;
        if (failure.find("открыть лоток") != std::string::npos) {
            failure.replace(failure.find("открыть"), std::string("открыть").size(), "закрыть");
        }
        EXPECT_EQ(drive.door(false).failure, failure) << c.name;
    }
}

} // namespace
} // namespace domora
