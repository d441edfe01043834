#include "core/timer/RingMachine.h"

#include "testing/core/FakeClock.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

// Notes each play and stop with the clock's time; loads are noted apart.
class RecordingSound final : public RingSound {
public:
    explicit RecordingSound(const FakeClock& clock) : clock_(clock) {}
    void load(const std::string& path) override { loads.push_back(path); }
    void play() override { events += "play@" + std::to_string(clock_.tickCount()) + " "; }
    void stop() override { events += "stop@" + std::to_string(clock_.tickCount()) + " "; }

    std::string events;
    std::vector<std::string> loads;

private:
    const FakeClock& clock_;
};

struct Ringing {
    FakeClock clock;
    TimerSound sound{"/app/sound/timer/timer.WAV", 2000, 0};
    RecordingSound out{clock};
    RingMachine machine{sound, out};

    // Millisecond by millisecond, as the window's timers would fire.
    void runFor(int ms) {
        for (int i = 0; i < ms; ++i) {
            clock.advanceMs(1);
            machine.Run(clock.tickCount());
        }
    }
};

TEST(RingMachine, PlaysAndPausesInTurn) {
    struct Case {
        std::int32_t play, pause;
        const char* events; // within the first 7 seconds
    };
    const Case cases[] = {
        // 10 ms after showing Timer1 arms Timer2, which plays 10 ms later; Timer1 then arms the
        // play time, and the pause is counted from the stop.
        {2000, 1000, "play@20 stop@2030 play@3030 stop@5040 play@6040 "},
        // No pause: the play starts again at the shortest timer period after the stop, and
        // its time counts from the next Timer1 tick.
        {2000, 0, "play@20 stop@2030 play@2040 stop@4050 play@4060 stop@6070 play@6080 "},
        // A play time of 0 plays the file once to its end.
        {0, 1000, "play@20 "},
        // Equal times: setting the interval it has does not restart Timer2.
        {1500, 1500, "play@20 stop@1530 play@3030 stop@4530 play@6030 "},
    };
    for (const Case& c : cases) {
        Ringing r;
        r.sound.PlayTime = c.play;
        r.sound.PauseTime = c.pause;
        r.machine.Show(r.clock.tickCount());
        r.runFor(7000);
        EXPECT_EQ(r.out.events, c.events) << c.play << "/" << c.pause;
        // Every turn of Timer2 loads the file first, so each play starts at its beginning.
        EXPECT_GE(r.out.loads.size(), 1u);
        EXPECT_EQ(r.out.loads.front(), "/app/sound/timer/timer.WAV");
    }
}

// Closed in the pause and shown again: the count and the sound start afresh.
TEST(RingMachine, CloseAndShowAgain) {
    Ringing r;
    r.sound.PauseTime = 1000;
    r.machine.Show(r.clock.tickCount());
    r.runFor(2030);
    EXPECT_EQ(r.machine.RingPhase(), RingMachine::Pausing);
    EXPECT_EQ(r.machine.RingElapsed(), 2000); // Timer3 is armed 10 ms after showing
    r.machine.Close(r.clock.tickCount());
    EXPECT_EQ(r.machine.RingPhase(), RingMachine::NotStarted);
    EXPECT_EQ(r.machine.msUntilDue(r.clock.tickCount()), -1);
    r.runFor(5000);
    r.machine.Show(r.clock.tickCount());
    r.runFor(1010);
    EXPECT_EQ(r.machine.RingElapsed(), 1000);
    EXPECT_EQ(r.out.events, "play@20 stop@2030 stop@2030 play@7050 ");
}

TEST(TimerBank, IntervalsOnTheClock) {
    TimerBank bank(2);
    const std::uint32_t start = 0xFFFF'FF00u; // the tick count wraps on the way
    bank.setInterval(0, 100, start);
    EXPECT_EQ(bank.msUntilDue(start), 100);
    EXPECT_FALSE(bank.takeDue(0, start + 99));
    bank.setInterval(0, 100, start + 99); // the same interval: the count goes on
    EXPECT_TRUE(bank.takeDue(0, start + 100));
    EXPECT_FALSE(bank.takeDue(0, start + 150));
    // Late by three intervals: fires once, then counts from the late check.
    EXPECT_TRUE(bank.takeDue(0, start + 500));
    EXPECT_FALSE(bank.takeDue(0, start + 550));
    bank.setInterval(0, 60, start + 550); // another interval starts the count again
    EXPECT_EQ(bank.msUntilDue(start + 560), 50);
    EXPECT_FALSE(bank.takeDue(0, start + 600));
    EXPECT_TRUE(bank.takeDue(0, start + 610));
    bank.setInterval(1, 1, start + 610); // counted as the shortest period
    EXPECT_EQ(bank.msUntilDue(start + 615), 5);
    EXPECT_EQ(bank.msUntilDue(start + 620), 0);
    bank.setInterval(0, 0, start + 620);
    bank.setInterval(1, -3, start + 620); // below 0: silent
    EXPECT_FALSE(bank.takeDue(0, start + 5000));
    EXPECT_EQ(bank.msUntilDue(start + 5000), -1);
}

} // namespace
} // namespace domora
