#pragma once

#include "core/base/DateTime.h"

#include <string_view>

namespace domora {

// What the clock dialog changes: the time of day, or the date.
enum class ClockMode { Time, Date };

// The mode a caller names: "TIME" in any letter case is the time, anything else the date.
ClockMode ClockModeOf(std::string_view mode);

// The universal time to set the clock to when the dialog's value `chosen` is applied, from
// one reading of the local and universal clocks:
// - time mode: today's local date with the chosen hours, minutes and seconds (milliseconds 0);
// - date mode: the chosen date with the local time of day now (milliseconds too);
// converted to universal time by the present offset of local time from it (the zone's bias,
// daylight saving included, in whole minutes).
DateTime WantedUtc(ClockMode mode, const DateTime& chosen, const DateTime& localNow, const DateTime& utcNow);

} // namespace domora
