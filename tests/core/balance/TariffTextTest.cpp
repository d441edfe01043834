#include "core/balance/TariffText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace domora {
namespace {

// What the editor shows is read back as the hundredths it came from.
TEST(TariffText, ShownAmountsReadBackAsTheirHundredths) {
    for (const double hundredths : {0.0, 1.0, 7.0, 10.0, 29.0, 150.0, 12345.0, 99999.0, 100000.0, 12.5}) {
        const std::string text = DollarsText(hundredths);
        EXPECT_EQ(ParseDollars(text, kMaxPriceDollars), hundredths) << text;
    }
    EXPECT_EQ(DollarsText(7), "0,07");
    EXPECT_EQ(DollarsText(12345), "123,45");
}

TEST(TariffText, TypedAmounts) {
    const struct {
        const char* text;
        std::optional<double> hundredths;
    } cases[] = {
        {"0,07", 7.0},
        {"0.07", 7.0},
        {" 2 ", 200.0},
        {"+1,1", 110.0},
        {"-0", 0.0},
        {"1000", 100000.0},
        {"1E2", 10000.0},
        {"0,125", 12.5},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1,2,3", std::nullopt},
        {"-0,01", std::nullopt},
        {"1000,01", std::nullopt},
        {"1e400", std::nullopt},
        {"INF", std::nullopt},
        {"NAN", std::nullopt},
        {"1 000", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> parsed = ParseDollars(c.text, kMaxPriceDollars);
        EXPECT_EQ(parsed, c.hundredths) << c.text;
        if (parsed) {
            EXPECT_FALSE(std::signbit(*parsed)) << c.text;
        }
    }
}

} // namespace
} // namespace domora
