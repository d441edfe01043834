// libFuzzer target: the number and time texts on any text. Parsing never fails hard; what
// parses is formatted and parsed again to the same value (numbers to 15 significant digits,
// after which formatting is a fixed point), and that text is what the formatter writes.

#include "FuzzCheck.h"
#include "core/balance/Tariffs.h"
#include "core/base/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

using namespace domora;
using fuzz::Require;
using fuzz::SameBits;

void CheckInt(std::string_view text) {
    const auto value = ParseInt32(text);
    if (value) {
        Require(ParseInt32(std::to_string(*value)) == value, "a whole number reads back");
    }
}

void CheckFloat(std::string_view text) {
    const auto value = ParseFloat(text);
    if (!value) {
        return;
    }
    Require(std::isfinite(*value), "a number read is finite");
    const std::string shown = FormatFloat(*value);
    const auto again = ParseFloat(shown);
    Require(again.has_value(), "a number's text reads back");
    const double limit = std::fabs(*value) * 1e-14 + std::numeric_limits<double>::denorm_min();
    Require(std::fabs(*again - *value) <= limit, "a number's text keeps 15 significant digits");
    Require(FormatFloat(*again) == shown, "a number shown, read and shown again gives the same text");
    Require(shown.find('.') == std::string::npos, "a number is written with the decimal comma");
}

void CheckTimeOfDay(std::string_view text) {
    const auto value = ParseTimeText(text);
    if (!value) {
        return;
    }
    Require(*value >= 0 && *value < 1, "a time of day is a fraction of a day");
    const std::string shown = FormatTimeOfDay(*value);
    const auto again = ParseTimeText(shown);
    Require(again.has_value() && SameBits(*again, *value), "a time of day shown reads back the same");
}

void CheckDuration(std::string_view text) {
    const auto seconds = ParseDuration(text);
    if (!seconds) {
        return;
    }
    Require(*seconds >= 0, "a duration is not negative");
    if (*seconds <= std::numeric_limits<std::uint32_t>::max() / 1000) {
        const std::string shown = DurationText(static_cast<std::uint32_t>(*seconds * 1000));
        Require(ParseDuration(shown) == seconds, "a duration shown reads back the same");
    }
    if (*seconds <= std::int64_t{86400} * 1000000) {
        // As the store keeps it (days) and shows it again.
        Require(ParseDuration(DurationOfStored(StoredDuration(*seconds))) == seconds,
                "a duration stored and shown reads back the same");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckInt(text);
    CheckFloat(text);
    CheckTimeOfDay(text);
    CheckDuration(text);
    return 0;
}
