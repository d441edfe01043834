#include "platform/posix/LogindSession.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace domora {
namespace {

// The configuration of a private bus that listens at `socket`; the client finds it by its
// address, whatever its type.
std::string BusConfig(const std::string& socket) {
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><type>session</type><listen>unix:path=" +
           socket +
           "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
           "<allow user=\"*\"/><allow own=\"*\"/><allow send_destination=\"*\"/>"
           "<allow receive_sender=\"*\"/></policy></busconfig>\n";
}

// A private bus with a scripted logind on it; DBUS_SYSTEM_BUS_ADDRESS points
// at it for the test. Both processes end with the suite.
class LogindSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (::access("/usr/bin/dbus-daemon", X_OK) != 0 || ::access("/usr/bin/python3", X_OK) != 0) {
            return;
        }
        folder_ = new test::TempFolder;
        test::WriteFile(folder_->path("bus.conf"), BusConfig(folder_->path("bus")));
        bus_ = new test::BackgroundProcess({"dbus-daemon", "--config-file=" + folder_->path("bus.conf"),
                                            "--nofork", "--nopidfile", "--print-address={fd}"});
        address_ = bus_->firstLine();
        if (address_.empty()) {
            return;
        }
        logind_ =
            new test::BackgroundProcess({"/usr/bin/python3", DOMORA_TEST_DATA "/dbus/logind-stand-in.py",
                                         address_, folder_->path("log"), folder_->path("state.json")});
        ready_ = logind_->firstLine() == "ready";
    }
    static void TearDownTestSuite() {
        delete logind_;
        delete bus_;
        delete folder_;
        logind_ = bus_ = nullptr;
        folder_ = nullptr;
    }
    void SetUp() override {
        if (folder_ == nullptr) {
            GTEST_SKIP() << "dbus-daemon or python3 missing";
        }
        ASSERT_TRUE(ready_) << "the private bus or the logind stand-in did not start";
    }

    static inline test::TempFolder* folder_ = nullptr;
    static inline test::BackgroundProcess* bus_ = nullptr;
    static inline test::BackgroundProcess* logind_ = nullptr;
    static inline std::string address_;
    static inline bool ready_ = false;
};

TEST_F(LogindSessionTest, ActsOrRefusesAsTheInhibitorsAndLogindSay) {
    test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", address_);
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
        test::WriteFile(folder_->path("state.json"), c.state);
        test::WriteFile(folder_->path("log"), "");
        test::ScopedEnv session("XDG_SESSION_ID", c.session);
        LogindSession logind;
        const ActionResult result = c.act(logind);
        EXPECT_EQ(result.done, c.failure.empty()) << c.name;
        EXPECT_EQ(result.failure, c.failure) << c.name;
        EXPECT_EQ(test::ReadFile(folder_->path("log")), c.calls) << c.name;
    }
}

TEST_F(LogindSessionTest, NoBusOrNoLogindIsSaid) {
    {
        test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + folder_->path("no-such-bus"));
        const ActionResult result = LogindSession().endSession(SessionEnd::Restart, false);
        EXPECT_EQ(
            result.failure.rfind("Не удалось перезагрузить компьютер: нет связи с системной шиной D-Bus", 0),
            0u)
            << result.failure;
    }
    // A bus without logind on it.
    test::WriteFile(folder_->path("empty.conf"), BusConfig(folder_->path("empty-bus")));
    test::BackgroundProcess empty({"dbus-daemon", "--config-file=" + folder_->path("empty.conf"), "--nofork",
                                   "--nopidfile", "--print-address={fd}"});
    const std::string address = empty.firstLine();
    ASSERT_FALSE(address.empty());
    test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", address);
    const ActionResult result = LogindSession().suspend();
    EXPECT_EQ(result.failure.rfind("Не удалось перевести компьютер в спящий режим: служба не запущена (", 0),
              0u)
        << result.failure;
}

} // namespace
} // namespace domora
