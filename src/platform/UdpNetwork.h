#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace domora {

// A peer of datagrams: its address as the system stores it, and as text ("127.0.0.1:123",
// "[::1]:123").
struct UdpPeer {
    std::string text;
    std::vector<std::uint8_t> address;
};

// A name resolved: its addresses in the system's order, or a Russian reason why none.
struct UdpResolution {
    std::vector<UdpPeer> peers;
    std::string failure;
};

// What waiting for a datagram gave: the datagram and the monotonic time it was taken in,
// nothing within the time, or a Russian reason (the peer's port is closed, ...).
struct UdpReceipt {
    enum class Status { Received, TimedOut, Failed };
    Status status = Status::TimedOut;
    std::vector<std::uint8_t> bytes;
    std::int64_t monotonicMicros = 0;
    std::string failure;

    static UdpReceipt failed(std::string reason) {
        UdpReceipt receipt;
        receipt.status = Status::Failed;
        receipt.failure = std::move(reason);
        return receipt;
    }
};

// A datagram socket on a port the system picks (never a privileged one), that sends to and
// hears from one peer only.
class UdpSocket {
public:
    virtual ~UdpSocket() = default;
    // Empty when sent, else the reason in Russian.
    virtual std::string send(std::span<const std::uint8_t> datagram) = 0;
    // Waits up to `timeoutMs` for the next datagram from the peer.
    virtual UdpReceipt receive(int timeoutMs) = 0;
};

// Datagrams to servers on the network, and the clocks an exchange is timed with.
class UdpNetwork {
public:
    virtual ~UdpNetwork() = default;
    // A host name or a numeric address (IPv4 or IPv6), with the port to use.
    virtual UdpResolution resolve(const std::string& host, std::uint16_t port) = 0;
    // A socket for the peer; nothing, with the reason in `failure`, when none can be made.
    virtual std::unique_ptr<UdpSocket> open(const UdpPeer& peer, std::string& failure) = 0;
    // The system clock: microseconds since 1970-01-01 UTC.
    virtual std::int64_t utcMicros() = 0;
    // A clock that only runs forward, in microseconds from an arbitrary start; receipts are
    // stamped with it.
    virtual std::int64_t monotonicMicros() = 0;
};

// The network of the system the program was built for.
std::unique_ptr<UdpNetwork> CreateUdpNetwork();

} // namespace domora
