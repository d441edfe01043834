#include "core/balance/TariffText.h"

#include "core/base/NumberText.h"

#include <cmath>

namespace domora {

std::string DollarsText(double hundredths) {
    return FormatFloat(hundredths / 100);
}

std::optional<double> ParseDollars(std::string_view text, double maxDollars) {
    const std::optional<double> dollars = ParseFloat(text);
    if (!dollars || !std::isfinite(*dollars) || *dollars < 0 || *dollars > maxDollars) {
        return std::nullopt;
    }
    constexpr double kSteps = 1e6;                             // steps of a hundredth
    return std::round(*dollars * 100 * kSteps) / kSteps + 0.0; // + 0.0: no "-0" from "-0"
}

} // namespace domora
