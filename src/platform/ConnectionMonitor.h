#pragma once

#include "core/balance/ConnectionKind.h"

#include <string>

namespace domora {

// How the computer is on the Internet now, for the balance of a pre-paid connection, which
// counts the time spent connected. Asked twice a second, so an answer must be cheap.
class ConnectionMonitor {
public:
    virtual ~ConnectionMonitor() = default;
    // The connection now: Proxy when a proxy server is configured for the user (this wins:
    // then the dial-up test is not made), else DialUp when a dial-up link is active, else None.
    virtual ConnectionKind kind() = 0;
    // A descriptor that becomes readable when the state may have changed (the caller's event
    // loop watches it and then calls kind(), which drains it); -1 where the system gives no
    // events (the caller then calls kind() every 500 ms).
    virtual int descriptor() const = 0;
    // A Russian text of a failure the user should be told once, handed out once; else empty.
    virtual std::string takeFailure() = 0;
};

} // namespace domora
