#include "platform/posix/PosixUdpNetwork.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace domora {
namespace {

// A datagram socket of the test on 127.0.0.1, on a port the system picks.
class LoopbackSocket {
public:
    LoopbackSocket() : fd_(::socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackSocket() { close(); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    std::uint16_t port() const { return port_; }
    void close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    // Waits for one datagram and sends `answer` back to its sender; the sender's port.
    std::uint16_t answer(const std::string& answer) {
        char buffer[512];
        sockaddr_in sender{};
        socklen_t length = sizeof sender;
        if (::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &length) < 0) {
            return 0;
        }
        ::sendto(fd_, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&sender), length);
        return ntohs(sender.sin_port);
    }
    void sendTo(std::uint16_t port, const std::string& text) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        ::sendto(fd_, text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }

private:
    int fd_;
    std::uint16_t port_ = 0;
};

std::uint16_t LocalPort(LoopbackSocket& server, UdpSocket& client) {
    EXPECT_EQ(client.send(std::vector<std::uint8_t>{1}), "");
    return server.answer("x");
}

TEST(PosixUdpNetwork, ResolvesNumericAddressesAndLocalNames) {
    PosixUdpNetwork network;
    UdpResolution found = network.resolve("127.0.0.1", 4123);
    ASSERT_EQ(found.peers.size(), 1u) << found.failure;
    EXPECT_EQ(found.peers[0].text, "127.0.0.1:4123");
    found = network.resolve("::1", 123);
    ASSERT_FALSE(found.peers.empty()) << found.failure;
    EXPECT_EQ(found.peers[0].text, "[::1]:123");
    // "localhost" comes from the hosts file: no name server is asked.
    found = network.resolve("localhost", 123);
    ASSERT_FALSE(found.peers.empty()) << found.failure;
}

TEST(PosixUdpNetwork, ExchangesWithItsPeerOnlyFromAnUnprivilegedPort) {
    PosixUdpNetwork network;
    LoopbackSocket server;
    LoopbackSocket stranger;
    const UdpResolution found = network.resolve("127.0.0.1", server.port());
    std::string failure;
    const auto client = network.open(found.peers.at(0), failure);
    ASSERT_TRUE(client) << failure;

    const std::int64_t before = network.monotonicMicros();
    const std::uint16_t clientPort = LocalPort(server, *client);
    EXPECT_GE(clientPort, 1024);
    UdpReceipt receipt = client->receive(2000);
    ASSERT_EQ(receipt.status, UdpReceipt::Status::Received) << receipt.failure;
    EXPECT_EQ(receipt.bytes, std::vector<std::uint8_t>{'x'});
    EXPECT_GE(receipt.monotonicMicros, before);
    EXPECT_LE(receipt.monotonicMicros, network.monotonicMicros());

    // A datagram from another sender never reaches it; the wait ends at its time.
    stranger.sendTo(clientPort, "forged");
    receipt = client->receive(150);
    EXPECT_EQ(receipt.status, UdpReceipt::Status::TimedOut);
    EXPECT_GE(network.monotonicMicros() - before, 150000);

    const std::int64_t utc = network.utcMicros();
    EXPECT_GT(utc, 1700000000LL * 1000000); // after 2023: the real clock, in microseconds
}

TEST(PosixUdpNetwork, AClosedPortIsToldAsARefusal) {
    PosixUdpNetwork network;
    LoopbackSocket gone;
    const std::uint16_t port = gone.port();
    gone.close();
    std::string failure;
    const auto client = network.open(network.resolve("127.0.0.1", port).peers.at(0), failure);
    ASSERT_TRUE(client) << failure;
    EXPECT_EQ(client->send(std::vector<std::uint8_t>(48, 0)), "");
    const UdpReceipt receipt = client->receive(2000);
    EXPECT_EQ(receipt.status, UdpReceipt::Status::Failed);
    EXPECT_EQ(receipt.failure, "Сервер отверг запрос: на его порту не работает служба времени.");
}

} // namespace
} // namespace domora
