#pragma once

#include "core/timer/TimerBank.h"

#include <cstdint>
#include <string>

namespace domora {

// The countdown's sound settings, shared by the setup dialog and the expiry window.
struct TimerSound {
    std::string TimerWav;         // the sound file
    std::int32_t PlayTime = 2000; // how long each repetition plays, ms; 0: once to its end
    std::int32_t PauseTime = 0;   // the pause between repetitions, ms
};

// The expiry window's player as the ring machine drives it.
class RingSound {
public:
    virtual ~RingSound() = default;
    // Makes `path` the player's file and stops it, so that the next play starts at the
    // beginning. A file that cannot be opened leaves the player silent.
    virtual void load(const std::string& path) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
};

// The expiry window's three timers and its sound: Timer1 (every 10 ms) keeps the other two
// armed, Timer2 plays `PlayTime` and pauses `PauseTime` in turn, Timer3 counts the seconds
// since the window rang. The window keeps this counter of its own, apart from the countdown's,
// so that a countdown started while the window rings counts its own time.
class RingMachine {
public:
    enum Timer : std::size_t { Timer1 = 0, Timer2 = 1, Timer3 = 2 };
    enum Phase : std::int32_t { NotStarted = 0, Playing = 1, Pausing = 2 };
    static constexpr std::int32_t kKeepAlive = 10;
    static constexpr std::int32_t kSecond = 1000;

    RingMachine(const TimerSound& sound, RingSound& out) : sound_(sound), out_(out) {}

    std::int32_t RingPhase() const { return phase_; }
    std::int32_t RingElapsed() const { return elapsed_; }
    std::int32_t interval(Timer timer) const { return timers_.interval(timer); }

    // The window shows: the count since ringing starts at 0 and Timer1 is armed.
    void Show(std::uint32_t now);
    // Fires the timers due at `now`, in the order Timer1, Timer2, Timer3, each once at most.
    void Run(std::uint32_t now);
    // Milliseconds until the next timer is due; -1 when all are silent.
    std::int64_t msUntilDue(std::uint32_t now) const { return timers_.msUntilDue(now); }

    void Timer1Timer(std::uint32_t now);
    void Timer2Timer(std::uint32_t now);
    void Timer3Timer();
    // The window closes, in any way: every timer silent, the sound stopped at once.
    void Close(std::uint32_t now);

private:
    const TimerSound& sound_;
    RingSound& out_;
    TimerBank timers_{3};
    std::int32_t phase_ = NotStarted;
    std::int32_t elapsed_ = 0;
};

} // namespace domora
