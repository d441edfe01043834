#pragma once

#include "core/base/WallTimer.h"

namespace domora {

// For a system without a wall-clock timer the program can wait on: it has no descriptor,
// so its owner waits the span to the instant with a timer of its own.
class SpanWallTimer final : public WallTimer {
public:
    bool wakeAt(std::int64_t utcMs) override {
        (void)utcMs;
        return true;
    }
    int descriptor() const override { return -1; }
    Wake takeWake() override { return Wake::None; }
};

} // namespace domora
