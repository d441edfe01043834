#include "platform/win32/Win32UdpNetwork.h"

#include <gtest/gtest.h>

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

#include <chrono>

namespace domora {
namespace {

// A datagram socket of the test on 127.0.0.1, on a port the system picks (Winsock is
// started by the network object the test makes first).
class LoopbackSocket {
public:
    LoopbackSocket() : socket_(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackSocket() { ::closesocket(socket_); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    std::uint16_t port() const { return port_; }
    // Waits for one datagram and sends `answer` back to its sender; the sender's port.
    std::uint16_t answer(const std::string& answer) {
        char buffer[512];
        sockaddr_in sender{};
        int length = sizeof sender;
        if (::recvfrom(socket_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &length) ==
            SOCKET_ERROR) {
            return 0;
        }
        ::sendto(socket_, answer.data(), static_cast<int>(answer.size()), 0,
                 reinterpret_cast<sockaddr*>(&sender), length);
        return ntohs(sender.sin_port);
    }

private:
    SOCKET socket_;
    std::uint16_t port_ = 0;
};

TEST(Win32UdpNetwork, ExchangesADatagramOnTheLoopbackFromAnUnprivilegedPort) {
    Win32UdpNetwork network;
    LoopbackSocket server;
    const UdpResolution found = network.resolve("127.0.0.1", server.port());
    ASSERT_EQ(found.peers.size(), 1u) << found.failure;
    EXPECT_EQ(found.peers[0].text, "127.0.0.1:" + std::to_string(server.port()));
    std::string failure;
    const auto client = network.open(found.peers[0], failure);
    ASSERT_TRUE(client) << failure;

    const std::int64_t before = network.monotonicMicros();
    EXPECT_EQ(client->send(std::vector<std::uint8_t>(48, 0x23)), "");
    EXPECT_GE(server.answer("reply"), 1024);
    UdpReceipt receipt = client->receive(2000);
    ASSERT_EQ(receipt.status, UdpReceipt::Status::Received) << receipt.failure;
    EXPECT_EQ(receipt.bytes, (std::vector<std::uint8_t>{'r', 'e', 'p', 'l', 'y'}));
    EXPECT_GE(receipt.monotonicMicros, before);

    receipt = client->receive(150);
    EXPECT_EQ(receipt.status, UdpReceipt::Status::TimedOut);
    EXPECT_GE(network.monotonicMicros() - before, 140000);
}

TEST(Win32UdpNetwork, UniversalTimeInMicrosecondsAgreesWithTheStandardClock) {
    Win32UdpNetwork network;
    const auto standard = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    EXPECT_LT(std::abs(network.utcMicros() - standard), 1000000);
}

} // namespace
} // namespace domora
