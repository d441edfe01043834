#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace domora {

// The advance and the prices as the price editor shows them: dollars with the decimal comma,
// over the hundredths of a dollar the store holds.

// The most an hour may cost, and the largest advance, in dollars: anything above is a typing
// slip.
inline constexpr double kMaxPriceDollars = 1000.0;
inline constexpr double kMaxAvansDollars = 1000000.0;

// "1,5" for 150 hundredths, "0,07" for 7, "0" for 0.
std::string DollarsText(double hundredths);

// The hundredths of a dollar amount written as FormatFloat writes numbers (a point is taken
// too), rounded to a millionth of a hundredth so that "0,07" gives 7 and not 7.000000000000001.
// Nothing for a text that is not a number, a negative amount or one above `maxDollars`.
std::optional<double> ParseDollars(std::string_view text, double maxDollars);

} // namespace domora
