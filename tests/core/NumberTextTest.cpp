#include "core/base/NumberText.h"
#include "core/base/OleDate.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace domora {
namespace {

TEST(NumberText, FormatFloatAndBack) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},           {-0.0, "0"},          {12.5, "12,5"},
        {0.1 + 0.2, "0,3"},   {1e15, "1E15"},       {1.5e20, "1,5E20"},
        {0.00001, "0,00001"}, {-2.5e-7, "-2,5E-7"}, {999999999999999.9, "1E15"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatFloat(value), text) << value;
        EXPECT_TRUE(ParseFloat(text).has_value()) << text;
    }
    EXPECT_EQ(FormatFloat(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FormatFloat(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatFloat(std::nan("")), "NAN");
    // The largest doubles are not rounded up past the largest double: their text reads back.
    for (const double huge : {DBL_MAX, -DBL_MAX, 1.797693134862315e308}) {
        const std::string text = FormatFloat(huge);
        EXPECT_EQ(text, huge > 0 ? "1,79769313486231E308" : "-1,79769313486231E308");
        EXPECT_TRUE(ParseFloat(text).has_value()) << text;
    }
    EXPECT_EQ(ParseFloat(" -1,5E2 "), -150.0);
    for (const char* bad : {"", "1,2,3", "abc", "1 2", "inf", "nan", "+-1", "12$"}) {
        EXPECT_FALSE(ParseFloat(bad).has_value()) << bad;
    }
}

TEST(NumberText, ParseInt32) {
    const std::pair<const char*, std::int32_t> good[] = {
        {"1", 1}, {"  42 ", 42}, {"-7", -7}, {"+7", 7}, {"007", 7}};
    for (const auto& [text, value] : good) {
        EXPECT_EQ(ParseInt32(text), value) << text;
    }
    EXPECT_EQ(ParseInt32("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
    for (const char* bad :
         {"2147483648", "99999999999999999999", "", "  ", "-", "abc", "1.5", "1 2", "$FF", "0x10"}) {
        EXPECT_FALSE(ParseInt32(bad).has_value()) << bad;
    }
}

TEST(NumberText, TimeTexts) {
    struct Case {
        const char* text;
        int h, m, s;
    };
    for (const Case& c : {Case{"00:00:00", 0, 0, 0}, Case{"1:02:03", 1, 2, 3}, Case{"23:59:59", 23, 59, 59},
                          Case{"12:30", 12, 30, 0}, Case{" 7:05 ", 7, 5, 0}}) {
        EXPECT_EQ(ParseTimeText(c.text), OleTimeOfDay(c.h, c.m, c.s)) << c.text;
    }
    for (const char* bad :
         {"24:00:00", "100:00:00", "12:60", "12:00:60", "12", "12:00:00:00", "012:00", "1::2", "ab:cd", ""}) {
        EXPECT_FALSE(ParseTimeText(bad).has_value()) << bad;
    }
    EXPECT_EQ(FormatTimeOfDay(OleTimeOfDay(1, 2, 3, 999)), "01:02:03");
    EXPECT_EQ(FormatTimeOfDay(37000.0 + OleTimeOfDay(23, 59, 59, 999) + 0.4 / 86'400'000), "23:59:59");
    EXPECT_EQ(FormatTimeOfDay(OleTimeOfDay(10, 0, 0) - 0.1 / 86'400'000), "10:00:00"); // rounded first
    EXPECT_EQ(FormatTimeOfDay(std::nan("")), "00:00:00");
}

} // namespace
} // namespace domora
