#pragma once

#include "platform/UdpNetwork.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace domora {

// A datagram the scripted server sends back, `afterMicros` after the request left.
struct ScriptedDatagram {
    std::int64_t afterMicros = 0;
    std::vector<std::uint8_t> bytes;
};

// The network of tests: names resolve from a table, every request goes to a function that
// plays the server, and the two clocks stand still except while a receive waits (by the
// time of the datagram that comes, or by the whole timeout). Every call is noted in order:
//   "resolve time.example:123", "open 192.0.2.1:123", "send 48", "receive 2000"
class ScriptedUdpNetwork final : public UdpNetwork {
public:
    // Host name -> the texts of its addresses; a name missing here is not found.
    std::map<std::string, std::vector<std::string>> hosts;
    std::map<std::string, std::string> openFailures; // peer text -> open() fails with this reason
    std::string receiveFailure;                      // every receive() fails with it when not empty
    // Answers each request, given the request and the UTC time it left at; no datagrams:
    // the server is silent.
    std::function<std::vector<ScriptedDatagram>(const std::vector<std::uint8_t>& request,
                                                std::int64_t sentUtc)>
        server;

    std::int64_t utc = 1796601600LL * 1000000; // 2026-12-07 00:00:00 UTC
    std::int64_t monotonic = 5000000;

    std::vector<std::string> calls;
    std::vector<std::vector<std::uint8_t>> requests;

    UdpResolution resolve(const std::string& host, std::uint16_t port) override;
    std::unique_ptr<UdpSocket> open(const UdpPeer& peer, std::string& failure) override;
    std::int64_t utcMicros() override { return utc; }
    std::int64_t monotonicMicros() override { return monotonic; }

private:
    friend class ScriptedUdpSocket;
    struct Pending {
        std::int64_t arrival = 0; // monotonic
        std::vector<std::uint8_t> bytes;
    };
    std::deque<Pending> pending_;
    void advance(std::int64_t micros);
};

} // namespace domora
