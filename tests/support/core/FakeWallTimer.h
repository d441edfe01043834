#pragma once

#include "core/base/WallTimer.h"

#include <cstdint>
#include <vector>

namespace domora {

// A wall timer that only notes where it was set; the test decides when it wakes (`wake`).
// It has no descriptor, so a window that owns one waits the span itself.
class FakeWallTimer final : public WallTimer {
public:
    bool wakeAt(std::int64_t utcMs) override {
        settings.push_back(utcMs);
        return true;
    }
    int descriptor() const override { return -1; }
    Wake takeWake() override {
        const Wake result = wake;
        wake = Wake::None;
        return result;
    }

    // The instants it was set to, in order.
    std::vector<std::int64_t> settings;
    // What the next takeWake() answers.
    Wake wake = Wake::None;
};

} // namespace domora
