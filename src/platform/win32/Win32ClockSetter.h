#pragma once

#include "platform/ClockSetter.h"
#include "platform/win32/Win32SystemCalls.h"

#include <memory>

namespace domora {

// The clock on Windows: SetSystemTime with a universal time, after enabling the
// system-time privilege. The weekday field of the record is 0.
class Win32ClockSetter final : public ClockSetter {
public:
    // Through the system itself.
    Win32ClockSetter();
    // Through `calls`, which outlive this object.
    explicit Win32ClockSetter(Win32SystemCalls& calls);
    ~Win32ClockSetter() override;
    Win32ClockSetter(const Win32ClockSetter&) = delete;
    Win32ClockSetter& operator=(const Win32ClockSetter&) = delete;

    ActionResult setUtc(const DateTime& utc) override;
    // The clock read (GetSystemTimeAsFileTime), moved, and set.
    ActionResult shiftBy(std::int64_t microseconds) override;

private:
    std::unique_ptr<Win32SystemCalls> native_;
    Win32SystemCalls& calls_;
};

} // namespace domora
