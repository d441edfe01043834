#include "platform/posix/LinuxConnectionMonitor.h"

#include "core/base/Text.h"
#include "platform/posix/ChildProcess.h"
#include "platform/posix/XdgPaths.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <ifaddrs.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/epoll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace domora {
namespace {

constexpr std::string_view kDatabaseName = "user";
constexpr std::string_view kSettingsFolderName = "dconf";

void CloseIfOpen(int& descriptor) {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
}

} // namespace

bool IsActiveDialUpLink(std::string_view name, unsigned flags) {
    const bool dialUpName = name.starts_with("ppp") || name.starts_with("wwan");
    const unsigned upAndRunning = IFF_UP | IFF_RUNNING;
    return dialUpName && (flags & upAndRunning) == upAndRunning;
}

bool IsProxyVariable(std::string_view entry) {
    static constexpr std::array<std::string_view, 8> kNames = {"http_proxy", "https_proxy", "ftp_proxy",
                                                               "all_proxy",  "HTTP_PROXY",  "HTTPS_PROXY",
                                                               "FTP_PROXY",  "ALL_PROXY"};
    const auto equals = entry.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const std::string_view name = entry.substr(0, equals);
    for (const auto known : kNames) {
        if (name == known) {
            return !TrimControls(entry.substr(equals + 1)).empty();
        }
    }
    return false;
}

bool KeepsGnomeProxySettings(std::string_view currentDesktop) {
    const std::string folded = FoldCase(currentDesktop);
    for (const std::string_view family : {"gnome", "unity", "budgie", "cinnamon"}) {
        if (folded.find(family) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool IsManualProxyMode(std::string_view gsettingsOutput) {
    // A text value comes in single quotes, or in double ones when it holds a single quote.
    const std::string_view value = TrimControls(gsettingsOutput);
    return value == "'manual'" || value == "\"manual\"";
}

LinuxConnectionMonitor::LinuxConnectionMonitor() {
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        environmentProxy_ = environmentProxy_ || IsProxyVariable(*entry);
    }
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    readsDesktop_ =
        desktop != nullptr && KeepsGnomeProxySettings(desktop) && !FindInPath("gsettings").empty();
    configFolder_ = XdgConfigHome();
    settingsFolder_ = configFolder_ + "/" + std::string(kSettingsFolderName);

    openLinkEvents();
    if (readsDesktop_) {
        openSettingsEvents();
    }
    const bool eventsForAll = netlink_ >= 0 && (!readsDesktop_ || inotify_ >= 0);
    if (eventsForAll) {
        epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    }
    for (const int source : {netlink_, inotify_}) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = source;
        if (epoll_ >= 0 && source >= 0 && ::epoll_ctl(epoll_, EPOLL_CTL_ADD, source, &event) != 0) {
            CloseIfOpen(epoll_); // then the caller polls
        }
    }
}

LinuxConnectionMonitor::~LinuxConnectionMonitor() {
    CloseIfOpen(epoll_);
    CloseIfOpen(inotify_);
    CloseIfOpen(netlink_);
}

void LinuxConnectionMonitor::openLinkEvents() {
    netlink_ = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    if (netlink_ < 0) {
        return;
    }
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_LINK;
    if (::bind(netlink_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        CloseIfOpen(netlink_);
    }
}

void LinuxConnectionMonitor::openSettingsEvents() {
    inotify_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (inotify_ >= 0) {
        watchSettingsFolder();
    }
}

// The database's folder is watched; until it exists, the folder it will be made in.
void LinuxConnectionMonitor::watchSettingsFolder() {
    constexpr std::uint32_t kFileChanges =
        IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_ONLYDIR;
    settingsWatch_ = ::inotify_add_watch(inotify_, settingsFolder_.c_str(), kFileChanges);
    if (settingsWatch_ >= 0) {
        if (parentWatch_ >= 0) {
            ::inotify_rm_watch(inotify_, parentWatch_);
            parentWatch_ = -1;
        }
        return;
    }
    if (parentWatch_ < 0) {
        parentWatch_ =
            ::inotify_add_watch(inotify_, configFolder_.c_str(), IN_CREATE | IN_MOVED_TO | IN_ONLYDIR);
    }
    if (parentWatch_ < 0) {
        CloseIfOpen(inotify_); // nothing to watch: the database file's stamp is compared instead
    }
}

void LinuxConnectionMonitor::drainLinkEvents() {
    if (netlink_ < 0) {
        linksStale_ = true;
        return;
    }
    // What changed is not read: any change of a link means a new scan.
    alignas(nlmsghdr) char buffer[8192];
    for (;;) {
        const ssize_t got = ::recv(netlink_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0 || (got < 0 && errno == ENOBUFS)) {
            linksStale_ = true; // ENOBUFS: events were lost
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            return;
        }
    }
}

void LinuxConnectionMonitor::drainSettingsEvents() {
    if (!readsDesktop_) {
        return;
    }
    if (inotify_ < 0) {
        const FileStamp stamp = stampOfDatabase();
        if (stamp != databaseStamp_) {
            databaseStamp_ = stamp;
            modeStale_ = true;
        }
        return;
    }
    // A new watch is made after the queue was read; the removal of the old one queues an
    // event of its own, which is read in the next round.
    for (bool rewatch = true; rewatch && inotify_ >= 0;) {
        rewatch = false;
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                const std::string_view name =
                    event->len > 0 ? std::string_view(event->name) : std::string_view();
                if (event->mask & IN_Q_OVERFLOW) {
                    modeStale_ = true;
                } else if (event->wd == settingsWatch_ && event->wd >= 0) {
                    if (event->mask & IN_IGNORED) {
                        settingsWatch_ = -1; // the folder went away: wait for it again
                        rewatch = true;
                    } else if (name == kDatabaseName) {
                        modeStale_ = true;
                    }
                } else if (event->wd == parentWatch_ && event->wd >= 0 && name == kSettingsFolderName) {
                    rewatch = true;
                }
            }
        }
        if (rewatch) {
            modeStale_ = true; // the database may have come with its folder
            watchSettingsFolder();
        }
    }
    if (inotify_ < 0) {
        CloseIfOpen(epoll_); // nothing left to watch: the caller polls from now on
    }
}

LinuxConnectionMonitor::FileStamp LinuxConnectionMonitor::stampOfDatabase() const {
    struct stat st {};
    if (::stat((settingsFolder_ + "/" + std::string(kDatabaseName)).c_str(), &st) != 0) {
        return {};
    }
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool LinuxConnectionMonitor::readDesktopManualMode() {
    const ProgramRun run = RunToEnd("gsettings", {"get", "org.gnome.system.proxy", "mode"});
    return run.succeeded() && IsManualProxyMode(run.output);
}

bool LinuxConnectionMonitor::scanDialUpLinks() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return false;
    }
    bool found = false;
    for (const ifaddrs* entry = list; entry != nullptr && !found; entry = entry->ifa_next) {
        found = entry->ifa_name != nullptr && IsActiveDialUpLink(entry->ifa_name, entry->ifa_flags);
    }
    ::freeifaddrs(list);
    return found;
}

ConnectionKind LinuxConnectionMonitor::kind() {
    // Both sources are drained every time, so that the descriptor is quiet again.
    drainLinkEvents();
    drainSettingsEvents();
    if (environmentProxy_) {
        return ConnectionKind::Proxy;
    }
    if (readsDesktop_ && modeStale_) {
        if (inotify_ < 0 && databaseStamp_ == FileStamp{}) {
            databaseStamp_ = stampOfDatabase();
        }
        modeStale_ = false;
        desktopProxy_ = readDesktopManualMode();
    }
    if (desktopProxy_) {
        return ConnectionKind::Proxy;
    }
    if (linksStale_) {
        linksStale_ = false;
        dialUp_ = scanDialUpLinks();
    }
    return dialUp_ ? ConnectionKind::DialUp : ConnectionKind::None;
}

} // namespace domora
