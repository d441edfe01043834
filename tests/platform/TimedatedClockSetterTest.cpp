#include "platform/posix/TimedatedClockSetter.h"

#include "StandInBus.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

// Setting the clock through a scripted timedated on a private bus: the absolute time in
// microseconds since 1970 or the shift, always interactive (polkit may ask); each refusal
// in Russian with its cause. The clock itself is never set here.
TEST(TimedatedClockSetter, AsksTheServiceAndSaysWhyNot) {
    const test::StandInBus bus(DOMORA_TEST_DATA "/dbus/timedated-stand-in.py");
    if (!bus.usable()) {
        GTEST_SKIP() << "dbus-daemon or python3 missing";
    }
    ASSERT_TRUE(bus.ready()) << "the private bus or the timedated stand-in did not start";
    test::ScopedEnv address("DBUS_SYSTEM_BUS_ADDRESS", bus.address());
    TimedatedClockSetter setter(false);

    const struct {
        const char* name;
        std::string state;
        bool shift;
        std::string calls;
        std::string failure;
    } cases[] = {
        {"set", "{}", false, "SetTime 1799101805250000 relative=false interactive=true\n", ""},
        {"shift back", "{}", true, "SetTime -1500000 relative=true interactive=true\n", ""},
        {"automatic synchronisation on",
         R"({"error": ["org.freedesktop.timedate1.AutomaticTimeSyncEnabled", "Automatic time synchronization is enabled"]})",
         false, "SetTime 1799101805250000 relative=false interactive=true\n",
         "Часы не установлены: включена автоматическая синхронизация времени системы (NTP). Пока она "
         "включена, система сама поправляет часы и не даёт менять их."},
        {"declined", R"({"error": ["org.freedesktop.DBus.Error.AccessDenied", "Permission denied"]})", true,
         "SetTime -1500000 relative=true interactive=true\n",
         "Часы не установлены: нет прав на изменение системного времени."},
        {"other", R"({"error": ["org.freedesktop.DBus.Error.Failed", "RTC broken"]})", false,
         "SetTime 1799101805250000 relative=false interactive=true\n",
         "Часы не установлены: служба времени системы (systemd-timedated): служба ответила ошибкой (RTC "
         "broken)."},
    };
    for (const auto& c : cases) {
        bus.answer(c.state);
        const ActionResult result =
            c.shift ? setter.shiftBy(-1500000) : setter.setUtc(DateTime{2027, 1, 4, 2, 22, 30, 5, 250});
        EXPECT_EQ(result.failure, c.failure) << c.name;
        EXPECT_EQ(result.done, c.failure.empty()) << c.name;
        EXPECT_EQ(bus.calls(), c.calls) << c.name;
    }

    test::ScopedEnv none("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + bus.path("no-such-bus"));
    EXPECT_EQ(setter.shiftBy(1).failure.rfind("Часы не установлены: нет связи с системной шиной D-Bus", 0),
              0U);
}

} // namespace
} // namespace domora
