#include "platform/posix/LinuxConnectionMonitor.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>

#include <net/if.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace domora {
namespace {

using namespace std::chrono_literals;

constexpr std::array<const char*, 8> kProxyVariables = {"http_proxy", "https_proxy", "ftp_proxy",
                                                        "all_proxy",  "HTTP_PROXY",  "HTTPS_PROXY",
                                                        "FTP_PROXY",  "ALL_PROXY"};

bool Readable(int descriptor, std::chrono::milliseconds wait) {
    pollfd watch{descriptor, POLLIN, 0};
    return ::poll(&watch, 1, static_cast<int>(wait.count())) == 1 && (watch.revents & POLLIN) != 0;
}

// One row a rule, not one a name of the lists the rules hold.
TEST(LinuxConnectionRules, WhatCountsAsAConnection) {
    const struct {
        const char* name;
        unsigned flags;
        bool dialUp;
    } links[] = {
        {"ppp0", IFF_UP | IFF_RUNNING | IFF_POINTOPOINT, true},
        {"wwan0", IFF_UP | IFF_RUNNING, true},
        {"ppp0", IFF_UP, false},      // still dialling: no carrier yet
        {"ppp0", IFF_RUNNING, false}, // taken down
        {"eth0", IFF_UP | IFF_RUNNING, false},
        {"xppp0", IFF_UP | IFF_RUNNING, false},
    };
    for (const auto& link : links) {
        EXPECT_EQ(IsActiveDialUpLink(link.name, link.flags), link.dialUp) << link.name << " " << link.flags;
    }

    const struct {
        const char* entry;
        bool proxy;
    } variables[] = {
        {"http_proxy=http://10.0.0.1:3128/", true},
        {"HTTPS_PROXY=proxy:8080", true},
        {"http_proxy=", false},
        {"http_proxy=  ", false},
        {"no_proxy=localhost", false},
        {"Http_Proxy=x", false},
        {"http_proxy_user=x", false},
        {"http_proxy", false},
    };
    for (const auto& variable : variables) {
        EXPECT_EQ(IsProxyVariable(variable.entry), variable.proxy) << variable.entry;
    }

    const struct {
        const char* desktop;
        bool gnome;
    } desktops[] = {{"ubuntu:GNOME", true}, {"X-Cinnamon", true}, {"KDE", false}, {"", false}};
    for (const auto& desktop : desktops) {
        EXPECT_EQ(KeepsGnomeProxySettings(desktop.desktop), desktop.gnome) << desktop.desktop;
    }

    const struct {
        const char* output;
        bool manual;
    } modes[] = {
        {"'manual'\n", true}, {"'manual'", true},  {"\"manual\"\n", true},
        {"'none'\n", false},  {"manual\n", false}, {"'manual2'\n", false},
        {"", false},
    };
    for (const auto& mode : modes) {
        EXPECT_EQ(IsManualProxyMode(mode.output), mode.manual) << mode.output;
    }
}

// A desktop of the GNOME family in a temporary home: a stand-in gsettings prints the mode
// written in a file and counts its runs; the environment names no proxy.
class DesktopProxyTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kProxyVariables) {
            cleared_.push_back(std::make_unique<test::ScopedEnv>(name, std::nullopt));
        }
        test::WriteFile(tmp_.path("bin/gsettings"),
                        "#!/bin/sh\n[ \"$*\" = 'get org.gnome.system.proxy mode' ] || exit 1\n"
                        "echo run >>'" +
                            tmp_.path("runs") + "'\ncat '" + tmp_.path("mode") + "'\n");
        ::chmod(tmp_.path("bin/gsettings").c_str(), 0755);
        setMode("'none'");
        std::filesystem::create_directories(tmp_.path("config"));
    }

    void setMode(const std::string& mode) { test::WriteFile(tmp_.path("mode"), mode + "\n"); }
    // The settings database replaced, as the settings service does it.
    void replaceDatabase() {
        test::WriteFile(tmp_.path("config/dconf/user.NEW"), "GVariant");
        std::filesystem::rename(tmp_.path("config/dconf/user.NEW"), tmp_.path("config/dconf/user"));
    }
    std::size_t runs() const {
        const auto text = test::ReadFile(tmp_.path("runs"));
        return text ? static_cast<std::size_t>(std::count(text->begin(), text->end(), '\n')) : 0;
    }

    test::TempFolder tmp_;
    std::vector<std::unique_ptr<test::ScopedEnv>> cleared_;
    test::ScopedEnv path_{"PATH", tmp_.path("bin") + ":/usr/bin:/bin"};
    test::ScopedEnv config_{"XDG_CONFIG_HOME", tmp_.path("config")};
    test::ScopedEnv desktop_{"XDG_CURRENT_DESKTOP", std::string("ubuntu:GNOME")};
};

// The mode is read once, and again only after the database changed, which wakes the
// descriptor; also when the database's folder is made after the start.
TEST_F(DesktopProxyTest, TheModeIsReadAgainWhenTheDatabaseChanges) {
    for (const bool folderAtStart : {true, false}) {
        SCOPED_TRACE(folderAtStart);
        std::filesystem::remove_all(tmp_.path("config/dconf"));
        std::filesystem::remove(tmp_.path("runs"));
        if (folderAtStart) {
            replaceDatabase();
        }
        setMode("'none'");
        LinuxConnectionMonitor monitor;
        ASSERT_GE(monitor.descriptor(), 0);
        EXPECT_EQ(monitor.kind(), ConnectionKind::None);
        EXPECT_EQ(monitor.kind(), ConnectionKind::None);
        EXPECT_EQ(runs(), 1U);

        setMode("'manual'"); // not seen until the database changes
        EXPECT_EQ(monitor.kind(), ConnectionKind::None);
        replaceDatabase();
        EXPECT_TRUE(Readable(monitor.descriptor(), 5s));
        EXPECT_EQ(monitor.kind(), ConnectionKind::Proxy);
        EXPECT_EQ(runs(), 2U);
        EXPECT_FALSE(Readable(monitor.descriptor(), 0ms)); // drained
        EXPECT_EQ(monitor.kind(), ConnectionKind::Proxy);
        EXPECT_EQ(runs(), 2U);

        setMode("'auto'");
        std::filesystem::remove(tmp_.path("config/dconf/user")); // back to the defaults
        EXPECT_TRUE(Readable(monitor.descriptor(), 5s));
        EXPECT_EQ(monitor.kind(), ConnectionKind::None);
        EXPECT_EQ(monitor.takeFailure(), "");
    }
}

// A proxy of the environment wins and is all that is needed; elsewhere than on a GNOME-like
// desktop gsettings is never run.
TEST_F(DesktopProxyTest, TheEnvironmentsProxyWinsAndOtherDesktopsAreNotAsked) {
    replaceDatabase();
    setMode("'manual'");
    {
        test::ScopedEnv proxy("https_proxy", std::string("http://10.1.1.1:3128"));
        LinuxConnectionMonitor monitor;
        EXPECT_EQ(monitor.kind(), ConnectionKind::Proxy);
    }
    EXPECT_EQ(runs(), 0U);
    {
        test::ScopedEnv desktop("XDG_CURRENT_DESKTOP", std::string("KDE"));
        LinuxConnectionMonitor monitor;
        EXPECT_NE(monitor.kind(), ConnectionKind::Proxy);
    }
    EXPECT_EQ(runs(), 0U);
}

// The whole way from the kernel's link events to the answer, in a network namespace of the
// test's own (unprivileged, through a user namespace): its loopback link renamed "ppp0" and
// brought up and down. Skipped where the system allows no such namespace.
TEST(LinuxConnectionMonitor, ADialUpLinkIsSeenThroughTheKernelsEvents) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) {
            ::_exit(77);
        }
        for (const char* name : kProxyVariables) {
            ::unsetenv(name);
        }
        ::unsetenv("XDG_CURRENT_DESKTOP");
        const int control = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ifreq request{};
        std::strcpy(request.ifr_name, "lo");
        std::strcpy(request.ifr_newname, "ppp0");
        const auto setUp = [&](bool up) {
            ifreq flags{};
            std::strcpy(flags.ifr_name, "ppp0");
            if (::ioctl(control, SIOCGIFFLAGS, &flags) != 0) {
                return false;
            }
            flags.ifr_flags = static_cast<short>(up ? flags.ifr_flags | IFF_UP : flags.ifr_flags & ~IFF_UP);
            return ::ioctl(control, SIOCSIFFLAGS, &flags) == 0;
        };

        LinuxConnectionMonitor monitor;
        int step = 1;
        const auto check = [&](bool passed) {
            if (!passed) {
                ::_exit(step);
            }
            ++step;
        };
        check(monitor.descriptor() >= 0);
        check(monitor.kind() == ConnectionKind::None);
        check(::ioctl(control, SIOCSIFNAME, &request) == 0);
        check(Readable(monitor.descriptor(), 5s));
        check(monitor.kind() == ConnectionKind::None); // a ppp link that is down
        check(setUp(true));
        check(Readable(monitor.descriptor(), 5s));
        check(monitor.kind() == ConnectionKind::DialUp);
        check(!Readable(monitor.descriptor(), 0ms));
        check(setUp(false));
        check(Readable(monitor.descriptor(), 5s));
        check(monitor.kind() == ConnectionKind::None);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "no user and network namespaces here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed at step " << WEXITSTATUS(status);
}

} // namespace
} // namespace domora
