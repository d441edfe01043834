#pragma once

#include "platform/UdpNetwork.h"

#include <string>

namespace domora {

// Datagrams over Winsock (started with the object): names through GetAddrInfoW, waiting
// through select, the time through GetSystemTimePreciseAsFileTime where the system has it
// and the performance counter.
class Win32UdpNetwork final : public UdpNetwork {
public:
    Win32UdpNetwork();
    ~Win32UdpNetwork() override;
    Win32UdpNetwork(const Win32UdpNetwork&) = delete;
    Win32UdpNetwork& operator=(const Win32UdpNetwork&) = delete;

    UdpResolution resolve(const std::string& host, std::uint16_t port) override;
    std::unique_ptr<UdpSocket> open(const UdpPeer& peer, std::string& failure) override;
    std::int64_t utcMicros() override;
    std::int64_t monotonicMicros() override;

private:
    bool started_ = false;
    std::string startFailure_;
};

} // namespace domora
