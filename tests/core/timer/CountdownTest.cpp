#include "core/timer/Countdown.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

std::string Row(const SplitTime& t) {
    return t.hours + " " + t.minutes + " " + t.seconds;
}

TEST(Countdown, TypedPresetTextsReadByTheirFirstCharacters) {
    const std::pair<const char*, PresetReading> cases[] = {
        {"20 минут", {120'000, ""}}, // the first character decides for "2" and "5"
        {"50 минут", {300'000, ""}}, {"25 минут", {120'000, ""}},
        {"1 минутка", {60'000, ""}}, {"99 минут", {0, kDeveloperMessage}},
        {"1.5", {5'400'000, ""}}, // shorter than 7 characters: an hour item
        {"2 ч", {7'200'000, ""}},    {"4 часа", {0, kNoTimerMessage}},
        {"1", {0, kNoTimerMessage}}, {"", {0, kNoTimerMessage}},
    };
    for (const auto& [text, expected] : cases) {
        const PresetReading reading = PresetToMs(text);
        EXPECT_EQ(reading.ms, expected.ms) << text;
        EXPECT_EQ(reading.message, expected.message) << text;
    }
}

TEST(Countdown, TimeTextToMs) {
    struct Case {
        const char* text;
        BlankPair blanks;
        std::int32_t ms; // -1: not a number
        const char* badPair;
    };
    const Case cases[] = {
        {"00:00:05", BlankPair::Invalid, 5'000, ""},
        {"00:90:75", BlankPair::Invalid, 5'475'000, ""},  // minutes and seconds past 59
        {" 5: 7:09", BlankPair::Invalid, 18'429'000, ""}, // a blank before one digit
        {" 5:  :  ", BlankPair::Zero, 18'000'000, ""},    // "Мой таймер": two blanks are 00
        {"", BlankPair::Zero, 0, ""},
        {" 5:  :00", BlankPair::Invalid, -1, "  "},
        {"1 :00:00", BlankPair::Zero, -1, "1 "},
        {"00:0a:00", BlankPair::Zero, -1, "0a"},
        {"00:00:-1", BlankPair::Zero, -1, "-1"},
        {"00:00", BlankPair::Invalid, -1, "  "},
    };
    for (const Case& c : cases) {
        const TimeTextReading reading = TimeTextToMs(c.text, c.blanks);
        EXPECT_EQ(reading.ms.value_or(-1), c.ms) << c.text;
        EXPECT_EQ(reading.badPair, c.badPair) << c.text;
    }
}

// The five-second countdown of the display is in tst_Countdown; here the restarts.
TEST(Countdown, StartsAfreshAndStaysIdleWhenDone) {
    Countdown countdown;
    countdown.Start(3'600'000);
    countdown.Timer3Timer();
    countdown.Start(2'000); // a new countdown while counting: from zero, rows cleared
    EXPECT_EQ(countdown.CountdownElapsed, 0);
    EXPECT_EQ(Row(countdown.rows.total), "00 00 00");
    EXPECT_FALSE(countdown.Timer3Timer());
    EXPECT_EQ(Row(countdown.rows.left), "00 00 01");
    EXPECT_TRUE(countdown.Timer3Timer());
    EXPECT_EQ(countdown.Timer3Interval, 0);
    // A tick already on its way after ringing, or after "Ok" with 00:00:00, changes nothing.
    EXPECT_FALSE(countdown.Timer3Timer());
    EXPECT_EQ(Row(countdown.rows.elapsed), "00 00 02");
    countdown.Start(0);
    EXPECT_EQ(countdown.Timer3Interval, 0);
    EXPECT_FALSE(countdown.Timer3Timer());
    EXPECT_EQ(Row(countdown.rows.elapsed), "00 00 00");
}

} // namespace
} // namespace domora
