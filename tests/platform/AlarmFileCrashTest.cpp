#include "TestSupport.h"

#include "core/alarms/AlarmStore.h"
#include "core/base/FakeClock.h"
#include "platform/posix/PosixFileStore.h"

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
// they were before that rewrite or as they are after it, never anything else.
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int kills = 0;
    int added = 0;
    while (kills < 400 && std::chrono::steady_clock::now() < deadline) {
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
            << "kill " << kills << ", seed " << seed << ": " << (bytes ? bytes->size() : 0) << " bytes";
        added += bytes == with ? 1 : 0;
        ++kills;
    }
    // Both states seen, or the kills never met a rewrite.
    EXPECT_GT(kills, 50);
    EXPECT_GT(added, 0);
    EXPECT_LT(added, kills);
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.path("Data")), {});
    std::printf("%d kills, %d left the hundredth alarm, %td unfinished temporary files\n", kills, added,
                entries - 1);
}

} // namespace
} // namespace domora
