// A stand-in for the system's clock setter, compiled into clocksy only while the platform
// layer has none (src/apps/clocksy/CMakeLists.txt looks for it): every call is refused with
// a reason, so the program builds and measures, and says plainly that it cannot set.
#include "platform/ClockSetter.h"

namespace domora {
namespace {

class StandInClockSetter final : public ClockSetter {
public:
    ActionResult setUtc(const DateTime&) override { return Refused(); }
    ActionResult shiftBy(std::int64_t) override { return Refused(); }

private:
    static ActionResult Refused() {
        return ActionResult::failed("в этой сборке программа не умеет устанавливать системное время.");
    }
};

} // namespace

std::unique_ptr<ClockSetter> CreateSystemClockSetter() {
    return std::make_unique<StandInClockSetter>();
}

} // namespace domora
