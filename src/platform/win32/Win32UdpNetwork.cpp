#include "platform/win32/Win32UdpNetwork.h"

#include "platform/win32/Win32Text.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
// clang-format on

#include <cstring>

namespace domora {
namespace {

// The system's text of a Winsock error, with its number.
std::string ErrorText(int error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer != nullptr) {
        text = WideToUtf8(std::wstring_view(buffer, length));
        while (!text.empty() &&
               (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
            text.pop_back();
        }
    }
    LocalFree(buffer);
    const std::string code = "код " + std::to_string(error);
    return text.empty() ? code : text + " (" + code + ")";
}

std::string PeerText(const sockaddr* address, int length) {
    char host[NI_MAXHOST] = {};
    char service[NI_MAXSERV] = {};
    if (getnameinfo(address, length, host, sizeof host, service, sizeof service,
                    NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        return "?";
    }
    if (address->sa_family == AF_INET6) {
        return std::string("[") + host + "]:" + service;
    }
    return std::string(host) + ":" + service;
}

std::int64_t PerformanceMicros() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    const std::int64_t ticks = counter.QuadPart;
    const std::int64_t perSecond = frequency.QuadPart > 0 ? frequency.QuadPart : 1;
    return ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
}

class Win32UdpSocket final : public UdpSocket {
public:
    explicit Win32UdpSocket(SOCKET socket) : socket_(socket) {}
    ~Win32UdpSocket() override { closesocket(socket_); }
    Win32UdpSocket(const Win32UdpSocket&) = delete;
    Win32UdpSocket& operator=(const Win32UdpSocket&) = delete;

    std::string send(std::span<const std::uint8_t> datagram) override {
        const int sent = ::send(socket_, reinterpret_cast<const char*>(datagram.data()),
                                static_cast<int>(datagram.size()), 0);
        if (sent == SOCKET_ERROR) {
            return "Не удалось отправить запрос серверу: " + ErrorText(WSAGetLastError()) + ".";
        }
        if (static_cast<std::size_t>(sent) != datagram.size()) {
            return "Запрос серверу отправлен не целиком.";
        }
        return {};
    }

    UdpReceipt receive(int timeoutMs) override {
        UdpReceipt receipt;
        const std::int64_t deadline = PerformanceMicros() + std::int64_t{timeoutMs} * 1000;
        for (;;) {
            const std::int64_t left = deadline - PerformanceMicros();
            if (left <= 0) {
                receipt.status = UdpReceipt::Status::TimedOut;
                return receipt;
            }
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(socket_, &readable);
            timeval wait{static_cast<long>(left / 1000000), static_cast<long>(left % 1000000)};
            const int ready = select(0, &readable, nullptr, nullptr, &wait);
            if (ready == SOCKET_ERROR) {
                return UdpReceipt::failed("Ошибка ожидания ответа сервера: " + ErrorText(WSAGetLastError()) +
                                          ".");
            }
            if (ready == 0) {
                continue;
            }
            char buffer[2048];
            const int size = recv(socket_, buffer, sizeof buffer, 0);
            const std::int64_t at = PerformanceMicros();
            if (size == SOCKET_ERROR) {
                const int error = WSAGetLastError();
                if (error == WSAEWOULDBLOCK || error == WSAEINTR) {
                    continue;
                }
                if (error == WSAECONNRESET || error == WSAECONNREFUSED) {
                    return UdpReceipt::failed(
                        "Сервер отверг запрос: на его порту не работает служба времени.");
                }
                if (error == WSAEMSGSIZE) {
                    continue; // longer than any answer of a time server
                }
                return UdpReceipt::failed("Ошибка приёма ответа сервера: " + ErrorText(error) + ".");
            }
            receipt.status = UdpReceipt::Status::Received;
            receipt.bytes.assign(reinterpret_cast<const std::uint8_t*>(buffer),
                                 reinterpret_cast<const std::uint8_t*>(buffer) + size);
            receipt.monotonicMicros = at;
            return receipt;
        }
    }

private:
    SOCKET socket_;
};

} // namespace

Win32UdpNetwork::Win32UdpNetwork() {
    WSADATA data{};
    const int result = WSAStartup(MAKEWORD(2, 2), &data);
    started_ = result == 0;
    if (!started_) {
        startFailure_ = "Сеть Windows недоступна (WSAStartup): " + ErrorText(result) + ".";
    }
}

Win32UdpNetwork::~Win32UdpNetwork() {
    if (started_) {
        WSACleanup();
    }
}

UdpResolution Win32UdpNetwork::resolve(const std::string& host, std::uint16_t port) {
    UdpResolution resolution;
    if (!started_) {
        resolution.failure = startFailure_;
        return resolution;
    }
    std::string reason;
    const std::optional<std::wstring> wideHost = Utf8ToWide(host, &reason);
    if (!wideHost) {
        resolution.failure = "Неверное имя сервера: " + reason;
        return resolution;
    }
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICSERV;
    ADDRINFOW* found = nullptr;
    const int result = GetAddrInfoW(wideHost->c_str(), std::to_wstring(port).c_str(), &hints, &found);
    if (result != 0) {
        std::string why;
        if (result == WSAHOST_NOT_FOUND || result == WSANO_DATA) {
            why = "такого имени нет";
        } else if (result == WSATRY_AGAIN) {
            why = "служба имён сейчас недоступна";
        } else {
            why = ErrorText(result);
        }
        resolution.failure = "Не удалось найти адрес сервера «" + host + "»: " + why + ".";
        return resolution;
    }
    for (const ADDRINFOW* item = found; item != nullptr; item = item->ai_next) {
        if (item->ai_family != AF_INET && item->ai_family != AF_INET6) {
            continue;
        }
        UdpPeer peer;
        peer.text = PeerText(item->ai_addr, static_cast<int>(item->ai_addrlen));
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(item->ai_addr);
        peer.address.assign(bytes, bytes + item->ai_addrlen);
        resolution.peers.push_back(std::move(peer));
    }
    FreeAddrInfoW(found);
    if (resolution.peers.empty()) {
        resolution.failure = "У сервера «" + host + "» нет адреса IPv4 или IPv6.";
    }
    return resolution;
}

std::unique_ptr<UdpSocket> Win32UdpNetwork::open(const UdpPeer& peer, std::string& failure) {
    if (!started_) {
        failure = startFailure_;
        return nullptr;
    }
    sockaddr_storage address{};
    if (peer.address.size() < sizeof(address.ss_family) || peer.address.size() > sizeof address) {
        failure = "Неверный адрес сервера " + peer.text + ".";
        return nullptr;
    }
    std::memcpy(&address, peer.address.data(), peer.address.size());
    const SOCKET s = socket(address.ss_family, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) {
        failure = "Не удалось открыть сокет: " + ErrorText(WSAGetLastError()) + ".";
        return nullptr;
    }
    // Connecting binds a port the system picks and keeps datagrams of other senders out.
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), static_cast<int>(peer.address.size())) != 0) {
        failure = "Не удалось связаться с сервером " + peer.text + ": " + ErrorText(WSAGetLastError()) + ".";
        closesocket(s);
        return nullptr;
    }
    return std::make_unique<Win32UdpSocket>(s);
}

std::int64_t Win32UdpNetwork::utcMicros() {
    // GetSystemTimePreciseAsFileTime (Windows 8 and later) where there is one, else the
    // coarser GetSystemTimeAsFileTime.
    using PreciseTime = void(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<PreciseTime>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME time{};
    if (precise != nullptr) {
        precise(&time);
    } else {
        GetSystemTimeAsFileTime(&time);
    }
    const std::uint64_t ticks = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    // 100-nanosecond ticks since 1601-01-01; 11644473600 s from then to 1970.
    return static_cast<std::int64_t>(ticks / 10) - 11644473600LL * 1000000;
}

std::int64_t Win32UdpNetwork::monotonicMicros() {
    return PerformanceMicros();
}

std::unique_ptr<UdpNetwork> CreateUdpNetwork() {
    return std::make_unique<Win32UdpNetwork>();
}

} // namespace domora
