// The minute beat with a minute gate behind it, on a simulated computer whose wall-clock
// timer wakes when the fake clock reaches the instant it was set to (a few milliseconds
// late, as an event loop is) and at once when the clock is set.

#include "core/base/MinuteBeat.h"
#include "core/base/MinuteGate.h"
#include "core/base/OleDate.h"
#include "testing/core/FakeClock.h"
#include "testing/core/FakeWallTimer.h"

#include <gtest/gtest.h>

#include <vector>

namespace domora {
namespace {

constexpr std::int64_t kLatencyMs = 3;

class Computer {
public:
    Computer(const DateTime& local, int offset) {
        clock.setLocal(local, offset);
        beat();
    }

    std::int64_t now() const { return UtcMilliseconds(clock.utcNow()); }

    // Lets `ms` pass; the timer wakes at every instant it was set to.
    void run(std::int64_t ms) {
        const std::int64_t end = now() + ms;
        while (timer.settings.back() + kLatencyMs <= end) {
            clock.advanceMs(timer.settings.back() + kLatencyMs - now());
            dueBeats.push_back(now());
            beat();
        }
        clock.advanceMs(end - now());
    }
    // The clock is set (the timer wakes at once), or the zone's offset changes (it does not).
    void setClock(const DateTime& local, int offset) {
        clock.setLocal(local, offset);
        beat();
    }
    void changeOffset(int minutes, int offset) {
        clock.setLocal(AddMilliseconds(clock.localNow(), minutes * 60'000LL), offset);
    }

    FakeClock clock;
    FakeWallTimer timer;
    std::uint8_t firstPassPending = 1;
    MinuteGate gate{firstPassPending};
    MinuteBeat minuteBeat{clock, timer};
    std::vector<std::int64_t> dueBeats;   // when the timer woke at its instant
    std::vector<std::int64_t> localGiven; // the minutes the gate gave, in order

private:
    void beat() {
        for (const DateTime& minute : gate.minutesToProcess(clock)) {
            localGiven.push_back(MinuteNumber(minute));
        }
        minuteBeat.arm();
    }
};

std::int64_t Minute(int day, int hour, int minute) {
    return MinuteNumber(DateTime{2027, 3, day, 0, hour, minute, 0, 0});
}

std::vector<std::int64_t> Minutes(std::int64_t first, std::int64_t last) {
    std::vector<std::int64_t> result;
    for (std::int64_t m = first; m <= last; ++m) {
        result.push_back(m);
    }
    return result;
}

// Every beat of the timer's own comes within 50 ms after a boundary, one per boundary, and
// the gate gives every local minute once: across a forward jump, a backward jump and the
// night daylight saving time begins (28 March 2027, 01:00 universal time, +60 -> +120).
TEST(MinuteBeat, WakesAtEachBoundaryAcrossJumpsAndDaylightSaving) {
    Computer pc(DateTime{2027, 3, 28, 0, 1, 50, 20, 300}, 60);
    pc.run(3 * 60'000);                                        // 01:50:20 .. 01:53:20
    pc.setClock(DateTime{2027, 3, 28, 0, 2, 10, 41, 700}, 60); // forward 17m21s
    pc.run(70'000);                                            // .. 02:11:51
    pc.setClock(DateTime{2027, 3, 28, 0, 1, 40, 5, 0}, 60);    // back 31m46s
    pc.run(7 * 60'000 + 40'000);                               // .. 01:47:45
    pc.setClock(DateTime{2027, 3, 28, 0, 1, 59, 58, 500}, 60); // forward to 00:59:58.5 UTC
    pc.run(1'500);                                             // 01:00 UTC, not yet woken
    pc.changeOffset(60, 120);                                  // local 02:00 -> 03:00
    pc.run(2 * 60'000 + 30'000);                               // .. 03:02:30

    for (const std::int64_t at : pc.dueBeats) {
        EXPECT_LT(at % 60'000, 50) << at;
    }
    // 01:51..01:53, 02:11, 01:41..01:47, then 03:00 (the boundary of 01:00 UTC) .. 03:02.
    EXPECT_EQ(pc.dueBeats.size(), 3u + 1 + 7 + 3);

    std::vector<std::int64_t> expected = Minutes(Minute(28, 1, 50), Minute(28, 1, 53));
    for (std::int64_t m : Minutes(Minute(28, 1, 54), Minute(28, 2, 11))) {
        expected.push_back(m); // the jump's skipped minutes, then the minutes after it
    }
    // Back at 01:40 nothing is given again until 02:11 has passed; then to 01:59:58.5, which
    // is less than 60 minutes before the last one given (02:11), so again nothing. The hour
    // daylight saving time leaves out (02:00..02:59) is given at 03:00, then 03:01, 03:02.
    for (std::int64_t m : Minutes(Minute(28, 2, 12), Minute(28, 3, 2))) {
        expected.push_back(m);
    }
    EXPECT_EQ(pc.localGiven, expected);
    EXPECT_EQ(pc.timer.settings.back(), UtcMilliseconds(DateTime{2027, 3, 28, 0, 1, 3, 0, 0}));
}

TEST(MinuteBeat, NextBoundaryIsStrictlyLater) {
    EXPECT_EQ(NextMinuteBoundary(0), 60'000);
    EXPECT_EQ(NextMinuteBoundary(59'999), 60'000);
    EXPECT_EQ(NextMinuteBoundary(60'000), 120'000);
    EXPECT_EQ(NextMinuteBoundary(-1), 0);
    EXPECT_EQ(NextMinuteBoundary(-60'000), 0);
}

} // namespace
} // namespace domora
