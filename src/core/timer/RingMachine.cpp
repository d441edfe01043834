#include "core/timer/RingMachine.h"

namespace domora {

void RingMachine::Show(std::uint32_t now) {
    elapsed_ = 0;
    timers_.setInterval(Timer1, kKeepAlive, now);
}

void RingMachine::Run(std::uint32_t now) {
    if (timers_.takeDue(Timer1, now)) {
        Timer1Timer(now);
    }
    if (timers_.takeDue(Timer2, now)) {
        Timer2Timer(now);
    }
    if (timers_.takeDue(Timer3, now)) {
        Timer3Timer();
    }
}

// Arms the second counter and the sound; an interval set to the value it has does not
// start the timer's count again, so Timer2 runs out its play time undisturbed.
void RingMachine::Timer1Timer(std::uint32_t now) {
    timers_.setInterval(Timer3, kSecond, now);
    if (phase_ == NotStarted) {
        timers_.setInterval(Timer2, kKeepAlive, now);
    } else if (phase_ == Playing) {
        timers_.setInterval(Timer2, sound_.PlayTime, now);
    }
}

void RingMachine::Timer2Timer(std::uint32_t now) {
    out_.load(sound_.TimerWav);
    switch (phase_) {
    case NotStarted:
        phase_ = Playing;
        out_.play();
        // Timer1 arms it with the play time next; a play time of 0 leaves it silent, so
        // the file plays once to its end.
        timers_.setInterval(Timer2, 0, now);
        break;
    case Playing:
        out_.stop();
        timers_.setInterval(Timer2, sound_.PauseTime != 0 ? sound_.PauseTime : 1, now);
        phase_ = Pausing;
        break;
    default:
        phase_ = Playing;
        out_.play();
        break;
    }
}

void RingMachine::Timer3Timer() {
    elapsed_ += kSecond;
}

void RingMachine::Close(std::uint32_t now) {
    for (Timer timer : {Timer1, Timer2, Timer3}) {
        timers_.setInterval(timer, 0, now);
    }
    out_.stop();
    phase_ = NotStarted;
}

} // namespace domora
