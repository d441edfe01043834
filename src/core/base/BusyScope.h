#pragma once

namespace domora {

// Sets a flag for the life of a scope (a scheduler's pass, so that a pass started from
// inside another one is refused).
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

} // namespace domora
