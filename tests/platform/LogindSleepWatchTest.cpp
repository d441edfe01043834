#include "platform/posix/LogindSleepWatch.h"

#include "StandInBus.h"
#include "core/app/MemoryRegistry.h"
#include "core/app/MissedFirings.h"
#include "core/base/MinuteGate.h"
#include "platform/posix/SdBusConnection.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace domora {
namespace {

constexpr const char* kPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";

DateTime At(int hour, int minute) {
    return DateTimeOfMinute(MinuteNumber(DateTime{2026, 12, 8, 1, hour, minute, 0, 0}));
}

// Waits on the watch's descriptor the way the event loop does until `enough` holds.
void ProcessUntil(SleepWatch& watch, const std::function<bool()>& enough) {
    for (int round = 0; round < 50 && !enough(); ++round) {
        pollfd fd{watch.descriptor(), POLLIN, 0};
        ::poll(&fd, 1, 100);
        watch.process();
    }
}

// logind is a name on a private bus that the test owns; a second client without the name
// sends the same signal, which must not be taken for a wake.
TEST(LogindSleepWatchTest, ASleepAndAWakeFromLogindTellWhatCameDue) {
    test::StandInBus bus("");
    if (!bus.usable()) {
        GTEST_SKIP() << "dbus-daemon or python3 missing";
    }
    ASSERT_TRUE(bus.ready());
    test::ScopedEnv system("DBUS_SYSTEM_BUS_ADDRESS", bus.address());

    FakeClock clock;
    MemoryRegistry registry;
    MemoryFileStore files;
    const auto alarm = [] {
        AlarmRecord r;
        r.Hour = 8;
        r.Minute = 0;
        r.Recurrence = "Всегда";
        r.Repeat = "Безконечно";
        r.Weekdays.fill(true);
        r.TextMessage = true;
        r.NoSound = true;
        r.SwitchedOn = true;
        return EncodeAlarm(r);
    }();
    files.writeAtomic("/a", std::string(alarm.begin(), alarm.end()));
    AlarmStore alarms(files, "/a", clock);
    TaskStore tasks(files, "/t");
    MissedWatch missed(registry, clock, alarms, tasks, files);
    clock.setLocal(At(6, 0));
    missed.start();

    std::vector<SleepWatch::Change> changes;
    std::vector<std::string> told;
    LogindSleepWatch watch;
    ASSERT_TRUE(watch.start([&](SleepWatch::Change change) {
        changes.push_back(change);
        if (change == SleepWatch::Change::Suspending) {
            missed.suspending();
            clock.setLocal(At(9, 0));
        } else if (auto list = missed.resumed()) {
            for (const auto& firing : list->firings) {
                told.push_back(MissedLine(firing));
            }
        }
    }));
    ASSERT_GE(watch.descriptor(), 0);

    SdBusConnection forger(SdBusConnection::Bus::System, 5'000'000, false);
    SdBusConnection logind(SdBusConnection::Bus::System, 5'000'000, false);
    ASSERT_NE(forger.get(), nullptr);
    ASSERT_NE(logind.get(), nullptr);
    ASSERT_GE(sd_bus_request_name(logind.get(), "org.freedesktop.login1", 0), 0);
    ASSERT_GE(sd_bus_emit_signal(forger.get(), kPath, kManager, "PrepareForSleep", "b", 0), 0);
    ASSERT_GE(sd_bus_emit_signal(logind.get(), kPath, kManager, "PrepareForSleep", "b", 1), 0);
    ASSERT_GE(sd_bus_emit_signal(logind.get(), kPath, kManager, "PrepareForSleep", "b", 0), 0);
    sd_bus_flush(forger.get());
    sd_bus_flush(logind.get());

    ProcessUntil(watch, [&] { return changes.size() >= 2; });
    EXPECT_EQ(changes,
              (std::vector<SleepWatch::Change>{SleepWatch::Change::Suspending, SleepWatch::Change::Resumed}));
    EXPECT_EQ(told, (std::vector<std::string>{"будильник 08:00 вт 08.12.2026 — без текста"}));
}

} // namespace
} // namespace domora
