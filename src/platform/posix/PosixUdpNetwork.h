#pragma once

#include "platform/UdpNetwork.h"

namespace domora {

// Datagrams over POSIX sockets: names through getaddrinfo, waiting through poll, the clocks
// through clock_gettime.
class PosixUdpNetwork final : public UdpNetwork {
public:
    UdpResolution resolve(const std::string& host, std::uint16_t port) override;
    std::unique_ptr<UdpSocket> open(const UdpPeer& peer, std::string& failure) override;
    std::int64_t utcMicros() override;
    std::int64_t monotonicMicros() override;
};

} // namespace domora
