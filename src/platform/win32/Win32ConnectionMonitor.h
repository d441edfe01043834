#pragma once

#include "platform/ConnectionMonitor.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemCalls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace domora {

// Where the user's proxy is configured, under HKEY_CURRENT_USER.
inline constexpr char kInternetSettingsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings";
// The size of one connection record of RasEnumConnectionsA in its first layout (a size
// field, the connection's handle, the entry, device type and device names): 412 bytes in a
// 32-bit program, 424 in a 64-bit one, where the handle is 8 bytes and aligned.
inline constexpr std::uint32_t kRasConnectionRecordSize = sizeof(void*) == 8 ? 424 : 412;
// How many records the buffer holds; more connections are counted all the same.
inline constexpr std::uint32_t kRasConnectionRecords = 4;

// Whether a stored ProxyEnable turns the proxy on: a REG_BINARY as a little-endian number
// of its first four bytes, a REG_DWORD when not zero. Any other type reads as off.
bool ProxyEnableIsOn(const RawRegValue& value);
// Whether a stored ProxyServer names a server: a text (REG_SZ, REG_EXPAND_SZ) not empty.
bool NamesProxyServer(const RawRegValue& value);

// The connection on Windows, asked of the system at each kind(): a proxy when the user's
// Internet settings enable one and name its server; else a dial-up link when remote access
// (rasapi32.dll, loaded for each question and never linked, so that a system without it
// still runs the program) counts a connection. The system gives no events: descriptor()
// is -1.
class Win32ConnectionMonitor final : public ConnectionMonitor {
public:
    // Through the system itself.
    Win32ConnectionMonitor();
    // Through `calls`, which outlive this object.
    explicit Win32ConnectionMonitor(Win32SystemCalls& calls);
    ~Win32ConnectionMonitor() override;
    Win32ConnectionMonitor(const Win32ConnectionMonitor&) = delete;
    Win32ConnectionMonitor& operator=(const Win32ConnectionMonitor&) = delete;

    ConnectionKind kind() override;
    int descriptor() const override { return -1; }
    // The library without RasEnumConnectionsA is told once in the monitor's life, however
    // often the connection is asked for.
    std::string takeFailure() override;

private:
    bool proxyConfigured();
    std::uint32_t dialUpCount();

    std::unique_ptr<Win32SystemCalls> native_;
    Win32SystemCalls& calls_;
    bool missingFunctionSeen_ = false;
    std::string failure_;
};

} // namespace domora
