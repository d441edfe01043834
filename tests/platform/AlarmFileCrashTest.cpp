#include "TestSupport.h"

#include "core/alarms/AlarmStore.h"
#include "platform/posix/PosixFileStore.h"
#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace domora {
namespace {

AlarmRecord Alarm(int n) {
    AlarmRecord r = DefaultAlarm(DateTime{2027, 3, 9});
    r.Hour = n % 24;
    r.TextFile = "/home/user/.local/share/domora/Temp/File" + std::to_string(n) + ".txt";
    return r;
}

// A process killed at any moment while it rewrites the alarm file leaves the records as
// they were before that rewrite or as they are after it, never anything else; the next
// start clears away the temporary files that killed rewrites left.
TEST(AlarmFileCrash, AKilledRewriteLeavesTheOldOrTheNewRecords) {
    test::TempFolder folder;
    const std::string path = folder.path("Data/Budil.DMR");
    std::string without;
    for (int i = 0; i < 99; ++i) {
        const auto record = EncodeAlarm(Alarm(i));
        without.append(record.begin(), record.end());
    }
    const auto hundredth = EncodeAlarm(Alarm(99));
    const std::string with = without + std::string(hundredth.begin(), hundredth.end());
    test::WriteFile(path, without);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 12'000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (int kill = 0; kill < 200 && std::chrono::steady_clock::now() < deadline; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) { // adds the hundredth alarm and deletes it again, for ever
            PosixFileStore files;
            FakeClock clock;
            AlarmStore store(files, path, clock);
            for (;;) {
                store.AddAlarm(Alarm(99));
                store.DeleteAlarm(100);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const auto bytes = test::ReadFile(path);
        ASSERT_TRUE(bytes == without || bytes == with)
            << "kill " << kill << ", seed " << seed << ": " << (bytes ? bytes->size() : 0) << " bytes";
    }

    PosixFileStore files;
    FakeClock clock;
    const AlarmStore next(files, path, clock);
    EXPECT_EQ(test::Listing(folder.path("Data")), "Budil.DMR");
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
