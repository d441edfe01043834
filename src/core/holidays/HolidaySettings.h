#pragma once

#include "core/app/Registry.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace domora {

// The advance reminder's two values under the `Celebrate` key: `Celebr` (on or off) and
// `Kolich` (days ahead).
struct HolidaySettings {
    // Nothing for a value that could not be read: the page's controls then stay as they are.
    std::optional<bool> Celebr;
    std::optional<std::int32_t> Kolich;
};

// Reads `Celebr`, then `Kolich`, opening the key (creating it when absent). A registry
// failure ends the reading quietly: what was read before it is returned.
HolidaySettings LoadHolidaySettings(Registry& registry);

// Writes `Celebr` and then `Kolich` = the days-ahead text as a number, opening the key
// (creating it). False when the registry fails or the text is refused; `Celebr` is then
// already written and `Kolich` not.
bool SaveHolidaySettings(Registry& registry, bool celebr, std::string_view daysAheadText);

// The number of days ahead in the text of the days list, blanks around it removed: a whole
// number from 0 to 36500. Nothing for any other text, which the list refuses.
std::optional<int> ParseDaysAhead(std::string_view text);

} // namespace domora
