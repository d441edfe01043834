#include "platform/posix/LogindSession.h"

#include "StandInBus.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace domora {
namespace {

// A private bus with a scripted logind on it; DBUS_SYSTEM_BUS_ADDRESS points at it for
// the test. Both processes end with the suite.
class LogindSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bus_ = new test::StandInBus(DOMORA_TEST_DATA "/dbus/logind-stand-in.py"); }
    static void TearDownTestSuite() {
        delete bus_;
        bus_ = nullptr;
    }
    void SetUp() override {
        if (!bus_->usable()) {
            GTEST_SKIP() << "dbus-daemon or python3 missing";
        }
        ASSERT_TRUE(bus_->ready()) << "the private bus or the logind stand-in did not start";
    }

    static inline test::StandInBus* bus_ = nullptr;
};

TEST_F(LogindSessionTest, ActsOrRefusesAsTheInhibitorsAndLogindSay) {
    test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", bus_->address());
    const std::string cdBurner = R"(["shutdown:sleep", "Запись дисков", "идёт запись", "block", 1000, 42])";
    const std::string player = R"(["sleep", "Player", "", "block", 1000, 43])";
    const std::string delayer = R"(["shutdown", "Backup", "saving", "delay", 0, 44])";
    const struct {
        const char* name;
        std::function<ActionResult(LogindSession&)> act;
        std::string state;                  // the stand-in's answers
        std::optional<std::string> session; // $XDG_SESSION_ID
        std::string calls;                  // what reached logind
        std::string failure;                // the message, or empty when done
    } cases[] = {
        {"power off", [](LogindSession& s) { return s.endSession(SessionEnd::PowerOff, false); }, "{}", "c2",
         "PowerOff interactive=true\n", ""},
        {"power off blocked", [](LogindSession& s) { return s.endSession(SessionEnd::PowerOff, false); },
         R"({"block": "shutdown:sleep", "inhibitors": [)" + player + "," + cdBurner + "," + delayer + "]}",
         "c2", "", "Выключение запрещено сейчас программой «Запись дисков»: идёт запись."},
        {"power off forced", [](LogindSession& s) { return s.endSession(SessionEnd::PowerOff, true); },
         R"({"block": "shutdown", "inhibitors": [)" + cdBurner + "]}", "c2", "PowerOff interactive=true\n",
         ""},
        {"restart", [](LogindSession& s) { return s.endSession(SessionEnd::Restart, false); }, "{}", "c2",
         "Reboot interactive=true\n", ""},
        {"restart blocked by two", [](LogindSession& s) { return s.endSession(SessionEnd::Restart, false); },
         R"({"block": "shutdown", "inhibitors": [)" + cdBurner +
             R"(, ["shutdown", "Editor", "unsaved", "block", 1, 2]]})",
         "c2", "",
         "Перезагрузка запрещена сейчас программами «Запись дисков» (идёт запись), «Editor» (unsaved)."},
        {"restart forced", [](LogindSession& s) { return s.endSession(SessionEnd::Restart, true); },
         R"({"block": "shutdown", "inhibitors": [)" + cdBurner + "]}", "c2", "Reboot interactive=true\n", ""},
        {"suspend, shutdown blocked only", [](LogindSession& s) { return s.suspend(); },
         R"({"block": "shutdown", "inhibitors": [)" + delayer + "]}", "c2", "Suspend interactive=true\n", ""},
        {"suspend blocked", [](LogindSession& s) { return s.suspend(); },
         R"({"block": "sleep", "inhibitors": [)" + player + "]}", "c2", "",
         "Переход в спящий режим запрещён сейчас программой «Player»."},
        {"log off", [](LogindSession& s) { return s.endSession(SessionEnd::LogOff, false); }, "{}", "c2",
         "TerminateSession c2\n", ""},
        {"log off, session found by pid",
         [](LogindSession& s) { return s.endSession(SessionEnd::LogOff, true); }, "{}", std::nullopt,
         "GetSessionByPID " + std::to_string(::getpid()) + "\nTerminateSession 7\n", ""},
        {"log off blocked", [](LogindSession& s) { return s.endSession(SessionEnd::LogOff, false); },
         R"({"block": "shutdown", "inhibitors": [)" + cdBurner + "]}", "c2", "",
         "Выход из системы запрещён сейчас программой «Запись дисков»: идёт запись."},
        {"log off forced", [](LogindSession& s) { return s.endSession(SessionEnd::LogOff, true); },
         R"({"block": "shutdown", "inhibitors": [)" + cdBurner + "]}", "c2", "TerminateSession c2\n", ""},
        {"refused by polkit", [](LogindSession& s) { return s.endSession(SessionEnd::PowerOff, true); },
         R"({"error": ["org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", "Interactive authentication required."]})",
         "c2", "PowerOff interactive=true\n",
         "Не удалось выключить компьютер: система не разрешила это действие (Interactive authentication "
         "required.)."},
        {"failed", [](LogindSession& s) { return s.suspend(); },
         R"({"error": ["org.freedesktop.login1.SleepVerbNotSupported", "Sleep verb not supported"]})", "c2",
         "Suspend interactive=true\n",
         "Не удалось перевести компьютер в спящий режим: служба ответила ошибкой (Sleep verb not "
         "supported)."},
    };
    for (const auto& c : cases) {
        bus_->answer(c.state);
        test::ScopedEnv session("XDG_SESSION_ID", c.session);
        LogindSession logind;
        const ActionResult result = c.act(logind);
        EXPECT_EQ(result.done, c.failure.empty()) << c.name;
        EXPECT_EQ(result.failure, c.failure) << c.name;
        EXPECT_EQ(bus_->calls(), c.calls) << c.name;
    }
}

TEST_F(LogindSessionTest, NoBusOrNoLogindIsSaid) {
    {
        test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + bus_->path("no-such-bus"));
        const ActionResult result = LogindSession().endSession(SessionEnd::Restart, false);
        EXPECT_EQ(
            result.failure.rfind("Не удалось перезагрузить компьютер: нет связи с системной шиной D-Bus", 0),
            0u)
            << result.failure;
    }
    // A bus without logind on it.
    const test::StandInBus empty("");
    ASSERT_TRUE(empty.ready());
    test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", empty.address());
    const ActionResult result = LogindSession().suspend();
    EXPECT_EQ(result.failure.rfind("Не удалось перевести компьютер в спящий режим: служба не запущена (", 0),
              0u)
        << result.failure;
}

} // namespace
} // namespace domora
