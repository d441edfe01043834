#include "TestSupport.h"

#include "core/alarms/AlarmStore.h"
#include "platform/posix/PosixFileStore.h"
#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace domora {
namespace {

AlarmRecord Alarm(int n) {
    AlarmRecord r = DefaultAlarm(DateTime{2027, 3, 9});
    r.Hour = n % 24;
    r.TextFile = "/home/user/.local/share/domora/Temp/File" + std::to_string(n) + ".txt";
    return r;
}

// Rewrites that finish leave no temporary file behind. Leftovers of killed rewrites are
// removed when the alarm file is opened next, and nothing else in the folder is: not the
// temporary files of another file, nor names that only look like the store's own.
TEST(AlarmFileCrash, OnlyTheStoresOwnLeftoversAreRemoved) {
    test::TempFolder folder;
    const std::string path = folder.path("Data/Budil.DMR");
    test::WriteFile(path, {});
    PosixFileStore files;
    FakeClock clock;
    {
        AlarmStore store(files, path, clock);
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(store.AddAlarm(Alarm(i)).ok());
        }
        ASSERT_TRUE(store.DeleteAlarm(1).ok());
        EXPECT_EQ(test::Listing(folder.path("Data")), "Budil.DMR");
    }
    const std::string records = test::ReadFile(path).value();

    for (const char* name :
         {".Budil.DMR.tmp-Ab12Cd", ".Budil.DMR.tmp-zzzzzz", ".Budil.DMR.tmp-12345", ".Budil.DMR.tmp-a1b2c3d",
          ".Budil.DMR.tmp-ab_cd1", ".Celeb.DMR.tmp-Ab12Cd", "Budil.DMR.tmp-Ab12Cd", "notes.txt"}) {
        test::WriteFile(folder.path("Data/") + name, "half a record");
    }
    std::filesystem::create_directory(folder.path("Data/.Budil.DMR.tmp-folder"));

    // Opened under another letter case, as a data folder copied from Windows may be named.
    const AlarmStore next(files, folder.path("Data/BUDIL.DMR"), clock);
    EXPECT_EQ(test::Listing(folder.path("Data")),
              ".Budil.DMR.tmp-12345 .Budil.DMR.tmp-a1b2c3d .Budil.DMR.tmp-ab_cd1 .Budil.DMR.tmp-folder "
              ".Celeb.DMR.tmp-Ab12Cd Budil.DMR Budil.DMR.tmp-Ab12Cd notes.txt");
    EXPECT_EQ(test::ReadFile(path), records);
}

} // namespace
} // namespace domora
