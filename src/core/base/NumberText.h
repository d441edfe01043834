#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace domora {

// Number and time texts with Russian conventions (decimal comma), whatever the locale.

// The shortest general text of a number with up to 15 significant digits: fixed notation
// while the number has at most 15 digits before the point and is at least 0,00001 in
// magnitude, otherwise "1,5E20" / "1E-7". 0 gives "0", 12.5 "12,5", 0.1 + 0.2 "0,3".
// NaN gives "NAN", the infinities "INF" and "-INF".
std::string FormatFloat(double value);

// A whole number: optional blanks around it, an optional sign, decimal digits, within the
// 32-bit signed range. Nothing for any other text.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// A number as FormatFloat writes it (a decimal comma; a point is accepted too; optional
// exponent). Nothing for any other text.
std::optional<double> ParseFloat(std::string_view text);

// A time of day "H:MM", "HH:MM:SS" (one or two digits each, hours 0..23, minutes and
// seconds 0..59, optional blanks around) as a fraction of a day. Nothing otherwise.
std::optional<double> ParseTimeText(std::string_view text);

// "HH:MM:SS" of the time of day of a date-time value, rounded to the nearest millisecond
// and then cut to whole seconds. A value that is not a date gives "00:00:00".
std::string FormatTimeOfDay(double value);

} // namespace domora
