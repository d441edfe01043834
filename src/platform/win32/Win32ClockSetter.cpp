#include "platform/win32/Win32ClockSetter.h"

#include "core/base/OleDate.h"
#include "platform/win32/Win32ActionArguments.h"
#include "platform/win32/Win32NativeSystemCalls.h"
#include "platform/win32/Win32Privilege.h"

namespace domora {
namespace {

constexpr std::uint32_t kPrivilegeNotHeld = 1314; // ERROR_PRIVILEGE_NOT_HELD
// Days from 1 January 1601 (file times) to 30 December 1899 (OLE dates).
constexpr double kFileTimeDaysToOle = 109205.0;
constexpr double kFileTimeStepsPerDay = 864000000000.0;

} // namespace

Win32ClockSetter::Win32ClockSetter()
    : native_(std::make_unique<Win32NativeSystemCalls>()), calls_(*native_) {}

Win32ClockSetter::Win32ClockSetter(Win32SystemCalls& calls) : calls_(calls) {}

Win32ClockSetter::~Win32ClockSetter() = default;

ActionResult Win32ClockSetter::setUtc(const DateTime& utc) {
    EnablePrivilege(calls_, "SeSystemtimePrivilege");
    const Win32SystemCalls::SystemTimeFields fields = {static_cast<std::uint16_t>(utc.year),
                                                       static_cast<std::uint16_t>(utc.month),
                                                       0,
                                                       static_cast<std::uint16_t>(utc.day),
                                                       static_cast<std::uint16_t>(utc.hour),
                                                       static_cast<std::uint16_t>(utc.minute),
                                                       static_cast<std::uint16_t>(utc.second),
                                                       static_cast<std::uint16_t>(utc.millisecond)};
    if (calls_.setSystemTime(fields)) {
        return ActionResult::ok();
    }
    const std::uint32_t error = calls_.lastError();
    if (error == kPrivilegeNotHeld) {
        return ActionResult::failed("Часы не установлены: нет прав на изменение системного времени.");
    }
    return ActionResult::failed("Часы не установлены. " + SystemRefusalText(error));
}

ActionResult Win32ClockSetter::shiftBy(std::int64_t microseconds) {
    const double steps =
        static_cast<double>(calls_.systemTimeAsFileTime()) + static_cast<double>(microseconds) * 10.0;
    return setUtc(OleToDateTime(steps / kFileTimeStepsPerDay - kFileTimeDaysToOle));
}

std::unique_ptr<ClockSetter> CreateSystemClockSetter() {
    return std::make_unique<Win32ClockSetter>();
}

} // namespace domora
