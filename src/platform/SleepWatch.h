#pragma once

#include <functional>
#include <memory>

namespace domora {

// Hears the computer go to sleep and wake up, so that the program can tell what came due
// while it slept. On Linux systemd-logind's PrepareForSleep signal on the system bus, on
// Windows WM_POWERBROADCAST to a hidden window of the program.
class SleepWatch {
public:
    enum class Change { Suspending, Resumed };
    using Listener = std::function<void(Change)>;

    virtual ~SleepWatch() = default;

    // Starts listening; `listener` hears each change. False when the system cannot tell
    // (no system bus, no logind): the program then learns of gaps only at its next start.
    virtual bool start(Listener listener) = 0;
    // A descriptor that becomes readable when changes wait, for the caller's event loop;
    // -1 where they come through the thread's message loop (Windows) or there are none.
    virtual int descriptor() const = 0;
    // Hands the waiting changes to the listener.
    virtual void process() = 0;
};

// The watch of the system the program was built for.
std::unique_ptr<SleepWatch> CreateSleepWatch();

} // namespace domora
