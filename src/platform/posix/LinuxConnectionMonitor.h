#pragma once

#include "platform/ConnectionMonitor.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace domora {

// Whether a network interface is a dial-up link that is up: a point-to-point ("ppp...") or
// mobile ("wwan...") interface, up and running. The kernel reports a link whose operational
// state is "up" or "unknown" (as a ppp link's is) as running.
bool IsActiveDialUpLink(std::string_view name, unsigned flags);
// Whether an environment entry ("NAME=value") names a proxy server: http_proxy,
// https_proxy, ftp_proxy or all_proxy, in lower or upper case, with a value not blank.
bool IsProxyVariable(std::string_view entry);
// Whether the desktop named by $XDG_CURRENT_DESKTOP (names separated by ':') keeps the
// proxy in GNOME's settings (org.gnome.system.proxy).
bool KeepsGnomeProxySettings(std::string_view currentDesktop);
// Whether the output of "gsettings get org.gnome.system.proxy mode" is the mode 'manual'.
bool IsManualProxyMode(std::string_view gsettingsOutput);

// The connection on Linux, kept current by events, so that kind() reads a state and runs
// nothing unless something changed:
// - a proxy of the environment's variables, read once at the start;
// - on a GNOME-like desktop with gsettings, its proxy mode, read by running gsettings at
//   first and again only when the settings database ($XDG_CONFIG_HOME/dconf/user) changes,
//   which inotify reports on its folder (the database is replaced, not rewritten);
// - the dial-up links, scanned at first and again when a NETLINK_ROUTE socket reports a
//   change of a link.
// descriptor() is one epoll descriptor over both sockets. When a socket cannot be opened it
// is -1: then the links are scanned on each kind(), and the mode is read again when the
// database's file is another or changed.
class LinuxConnectionMonitor final : public ConnectionMonitor {
public:
    LinuxConnectionMonitor();
    ~LinuxConnectionMonitor() override;
    LinuxConnectionMonitor(const LinuxConnectionMonitor&) = delete;
    LinuxConnectionMonitor& operator=(const LinuxConnectionMonitor&) = delete;

    ConnectionKind kind() override;
    int descriptor() const override { return epoll_; }
    // Nothing here needs telling: without events the monitor polls.
    std::string takeFailure() override { return {}; }

private:
    // The identity and state of the database file, to see a change without events.
    struct FileStamp {
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t modified = 0; // nanoseconds
        bool operator==(const FileStamp&) const = default;
    };

    void openLinkEvents();
    void openSettingsEvents();
    void watchSettingsFolder();
    void drainLinkEvents();
    void drainSettingsEvents();
    FileStamp stampOfDatabase() const;
    static bool readDesktopManualMode();
    static bool scanDialUpLinks();

    bool environmentProxy_ = false;
    bool readsDesktop_ = false; // GNOME-like desktop with gsettings
    bool desktopProxy_ = false;
    bool modeStale_ = true;
    bool linksStale_ = true;
    bool dialUp_ = false;
    std::string configFolder_;
    std::string settingsFolder_;
    FileStamp databaseStamp_;
    int netlink_ = -1;
    int inotify_ = -1;
    int settingsWatch_ = -1; // on the dconf folder; -1 while its parent is watched for it
    int parentWatch_ = -1;
    int epoll_ = -1;
};

} // namespace domora
