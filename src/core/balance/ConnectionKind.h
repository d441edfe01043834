#pragma once

#include <cstdint>

namespace domora {

// How the computer is on the Internet, as the balance of a pre-paid connection sees it: a
// proxy server configured for the user wins over a dial-up (point-to-point or mobile) link.
enum class ConnectionKind : std::uint8_t { None = 0, Proxy = 1, DialUp = 2 };

inline bool IsInternetConnected(ConnectionKind kind) {
    return kind != ConnectionKind::None;
}

} // namespace domora
