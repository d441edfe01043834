#include "platform/posix/PosixUdpNetwork.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace domora {
namespace {

std::int64_t Micros(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

std::string PeerText(const sockaddr* address, socklen_t length) {
    char host[NI_MAXHOST] = {};
    char service[NI_MAXSERV] = {};
    if (::getnameinfo(address, length, host, sizeof host, service, sizeof service,
                      NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        return "?";
    }
    if (address->sa_family == AF_INET6) {
        return std::string("[") + host + "]:" + service;
    }
    return std::string(host) + ":" + service;
}

class PosixUdpSocket final : public UdpSocket {
public:
    explicit PosixUdpSocket(int fd) : fd_(fd) {}
    ~PosixUdpSocket() override { ::close(fd_); }
    PosixUdpSocket(const PosixUdpSocket&) = delete;
    PosixUdpSocket& operator=(const PosixUdpSocket&) = delete;

    std::string send(std::span<const std::uint8_t> datagram) override {
        const ssize_t sent = ::send(fd_, datagram.data(), datagram.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            return "Не удалось отправить запрос серверу: " + SystemReason(errno) + ".";
        }
        if (static_cast<std::size_t>(sent) != datagram.size()) {
            return "Запрос серверу отправлен не целиком.";
        }
        return {};
    }

    UdpReceipt receive(int timeoutMs) override {
        UdpReceipt receipt;
        const std::int64_t deadline = Micros(CLOCK_MONOTONIC) + std::int64_t{timeoutMs} * 1000;
        for (;;) {
            const std::int64_t left = deadline - Micros(CLOCK_MONOTONIC);
            if (left <= 0) {
                receipt.status = UdpReceipt::Status::TimedOut;
                return receipt;
            }
            pollfd waiting{fd_, POLLIN, 0};
            const int ready = ::poll(&waiting, 1, static_cast<int>((left + 999) / 1000));
            if (ready < 0 && errno == EINTR) {
                continue;
            }
            if (ready < 0) {
                return UdpReceipt::failed("Ошибка ожидания ответа сервера: " + SystemReason(errno) + ".");
            }
            if (ready == 0) {
                continue; // the deadline is checked above
            }
            std::uint8_t buffer[2048];
            const ssize_t size = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
            const std::int64_t at = Micros(CLOCK_MONOTONIC);
            if (size < 0) {
                const int error = errno;
                if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR) {
                    continue;
                }
                if (error == ECONNREFUSED) {
                    return UdpReceipt::failed(
                        "Сервер отверг запрос: на его порту не работает служба времени.");
                }
                return UdpReceipt::failed("Ошибка приёма ответа сервера: " + SystemReason(error) + ".");
            }
            receipt.status = UdpReceipt::Status::Received;
            receipt.bytes.assign(buffer, buffer + size);
            receipt.monotonicMicros = at;
            return receipt;
        }
    }

private:
    int fd_;
};

} // namespace

UdpResolution PosixUdpNetwork::resolve(const std::string& host, std::uint16_t port) {
    UdpResolution resolution;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int result = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (result != 0) {
        std::string why;
        switch (result) {
        case EAI_NONAME:
#ifdef EAI_NODATA
        case EAI_NODATA:
#endif
            why = "такого имени нет";
            break;
        case EAI_AGAIN:
            why = "служба имён сейчас недоступна";
            break;
        case EAI_SYSTEM:
            why = SystemReason(errno);
            break;
        default:
            why = ::gai_strerror(result);
            break;
        }
        resolution.failure = "Не удалось найти адрес сервера «" + host + "»: " + why + ".";
        return resolution;
    }
    for (const addrinfo* item = found; item != nullptr; item = item->ai_next) {
        if (item->ai_family != AF_INET && item->ai_family != AF_INET6) {
            continue;
        }
        UdpPeer peer;
        peer.text = PeerText(item->ai_addr, item->ai_addrlen);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(item->ai_addr);
        peer.address.assign(bytes, bytes + item->ai_addrlen);
        resolution.peers.push_back(std::move(peer));
    }
    ::freeaddrinfo(found);
    if (resolution.peers.empty()) {
        resolution.failure = "У сервера «" + host + "» нет адреса IPv4 или IPv6.";
    }
    return resolution;
}

std::unique_ptr<UdpSocket> PosixUdpNetwork::open(const UdpPeer& peer, std::string& failure) {
    sockaddr_storage address{};
    if (peer.address.size() < sizeof(sa_family_t) || peer.address.size() > sizeof address) {
        failure = "Неверный адрес сервера " + peer.text + ".";
        return nullptr;
    }
    std::memcpy(&address, peer.address.data(), peer.address.size());
    const int fd = ::socket(address.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        failure = "Не удалось открыть сокет: " + SystemReason(errno) + ".";
        return nullptr;
    }
    // Connecting binds a port the system picks and keeps datagrams of other senders out.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address),
                  static_cast<socklen_t>(peer.address.size())) != 0) {
        failure = "Не удалось связаться с сервером " + peer.text + ": " + SystemReason(errno) + ".";
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixUdpSocket>(fd);
}

std::int64_t PosixUdpNetwork::utcMicros() {
    return Micros(CLOCK_REALTIME);
}

std::int64_t PosixUdpNetwork::monotonicMicros() {
    return Micros(CLOCK_MONOTONIC);
}

std::unique_ptr<UdpNetwork> CreateUdpNetwork() {
    return std::make_unique<PosixUdpNetwork>();
}

} // namespace domora
