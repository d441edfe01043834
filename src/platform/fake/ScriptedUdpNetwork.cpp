#include "platform/fake/ScriptedUdpNetwork.h"

#include <algorithm>

namespace domora {

class ScriptedUdpSocket final : public UdpSocket {
public:
    explicit ScriptedUdpSocket(ScriptedUdpNetwork& network) : network_(network) {}

    std::string send(std::span<const std::uint8_t> datagram) override {
        network_.calls.push_back("send " + std::to_string(datagram.size()));
        network_.requests.emplace_back(datagram.begin(), datagram.end());
        if (network_.server) {
            for (ScriptedDatagram& reply : network_.server(network_.requests.back(), network_.utc)) {
                network_.pending_.push_back({network_.monotonic + reply.afterMicros, std::move(reply.bytes)});
            }
            std::stable_sort(network_.pending_.begin(), network_.pending_.end(),
                             [](const auto& a, const auto& b) { return a.arrival < b.arrival; });
        }
        return {};
    }

    UdpReceipt receive(int timeoutMs) override {
        network_.calls.push_back("receive " + std::to_string(timeoutMs));
        UdpReceipt receipt;
        if (!network_.receiveFailure.empty()) {
            receipt.status = UdpReceipt::Status::Failed;
            receipt.failure = network_.receiveFailure;
            return receipt;
        }
        const std::int64_t deadline = network_.monotonic + std::int64_t{timeoutMs} * 1000;
        if (network_.pending_.empty() || network_.pending_.front().arrival > deadline) {
            network_.advance(deadline - network_.monotonic);
            receipt.status = UdpReceipt::Status::TimedOut;
            return receipt;
        }
        ScriptedUdpNetwork::Pending next = std::move(network_.pending_.front());
        network_.pending_.pop_front();
        network_.advance(std::max<std::int64_t>(0, next.arrival - network_.monotonic));
        receipt.status = UdpReceipt::Status::Received;
        receipt.bytes = std::move(next.bytes);
        receipt.monotonicMicros = network_.monotonic;
        return receipt;
    }

private:
    ScriptedUdpNetwork& network_;
};

void ScriptedUdpNetwork::advance(std::int64_t micros) {
    utc += micros;
    monotonic += micros;
}

UdpResolution ScriptedUdpNetwork::resolve(const std::string& host, std::uint16_t port) {
    calls.push_back("resolve " + host + ":" + std::to_string(port));
    UdpResolution resolution;
    const auto found = hosts.find(host);
    if (found == hosts.end()) {
        resolution.failure = "Не удалось найти адрес сервера «" + host + "»: такого имени нет.";
        return resolution;
    }
    for (const std::string& address : found->second) {
        resolution.peers.push_back({address + ":" + std::to_string(port), {}});
    }
    return resolution;
}

std::unique_ptr<UdpSocket> ScriptedUdpNetwork::open(const UdpPeer& peer, std::string& failure) {
    calls.push_back("open " + peer.text);
    const auto refused = openFailures.find(peer.text);
    if (refused != openFailures.end()) {
        failure = refused->second;
        return nullptr;
    }
    return std::make_unique<ScriptedUdpSocket>(*this);
}

} // namespace domora
