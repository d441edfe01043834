#pragma once

#include <cstdint>

namespace domora {

// A one-shot timer set to an instant of the wall clock rather than to a span: it wakes at
// that instant even when the clock is set or the computer sleeps in between, and it wakes
// early when the clock is set, so that the caller can take a new reading. The system's
// implementation is in the platform layer.
class WallTimer {
public:
    enum class Wake {
        None,     // it has not woken
        Due,      // the instant it was set to has come
        ClockSet, // the clock was set (or the computer woke up) before that instant
    };

    virtual ~WallTimer() = default;

    // Sets it to wake at `utcMs`, milliseconds since 1970-01-01 00:00 universal time; an
    // earlier setting is replaced. False when the system refused (the caller then waits
    // the span itself).
    virtual bool wakeAt(std::int64_t utcMs) = 0;
    // A descriptor that becomes readable when it wakes, for the caller's event loop; -1
    // where the system has none (the caller then waits the span itself and hears of a
    // clock change only at its next wake).
    virtual int descriptor() const = 0;
    // Why it woke, once per wake.
    virtual Wake takeWake() = 0;
};

} // namespace domora
