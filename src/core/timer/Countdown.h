#pragma once

#include "core/app/TimeText.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace domora {

// The countdown's tick: the main window's Timer3 runs at this interval while counting.
inline constexpr std::int32_t kCountdownTick = 1000;

// An item of the setup dialog's preset list and the duration its text stands for.
struct ComboPreset {
    std::string_view text;
    std::int32_t ms;
};

// The preset list in its order; the first item is the initial text.
extern const std::array<ComboPreset, 14> kComboPresets;

// An item of the "&Таймер" submenu: the object name of its action, its caption, its
// duration, and whether a separator comes before it.
struct MenuPreset {
    std::string_view objectName;
    std::string_view caption;
    std::int32_t ms;
    bool separatorBefore = false;
};

extern const std::array<MenuPreset, 13> kMenuPresets;

// The duration a preset text stands for, as the setup dialog's "Ok" reads it: the first
// characters decide, so any text the user types into the list is read the same way. A text
// that matches no rule gives 0 and the plain message to show.
struct PresetReading {
    std::int32_t ms = 0;
    std::string message; // empty when the text matched a rule
};
PresetReading PresetToMs(const std::string& text);

inline constexpr char kNoTimerMessage[] = "Нет таймера";
inline constexpr char kDeveloperMessage[] = "Обратитесь к разработчику\nError1";

// How a pair of two blanks reads: as "00" in the "Мой таймер" field, as no number elsewhere.
enum class BlankPair { Zero, Invalid };

// A time text "hh:mm:ss" read pair by pair (characters 1-2, 4-5 and 7-8; a missing character
// counts as a blank). Each pair is a decimal number of one or two digits, a blank before a
// single digit allowed; minutes and seconds are not limited to 59.
struct TimeTextReading {
    std::optional<std::int32_t> ms; // nothing when a pair is not a number
    std::string badPair;            // that pair, as it stands in the text
};
TimeTextReading TimeTextToMs(const std::string& text, BlankPair blanks = BlankPair::Invalid);

// The three rows of the countdown display: set time, time passed, time left.
struct CountdownRows {
    SplitTime total{"00", "00", "00"};
    SplitTime elapsed{"00", "00", "00"};
    SplitTime left{"00", "00", "00"};
};

// The one countdown of the program. Timer3Interval is what the main window's Timer3 must be
// set to after each call: kCountdownTick while counting, 0 otherwise.
class Countdown {
public:
    std::int32_t CountdownTotal = 0; // 0: no countdown
    std::int32_t CountdownElapsed = 0;
    std::int32_t Timer3Interval = 0;
    CountdownRows rows;

    // No countdown, the counter at 0, every display field "00".
    void ResetCountdown();
    // The setup dialog's "Ok" and the menu presets: the display is reset and the count starts
    // again from 0 with the new duration; a duration of 0 leaves the countdown idle.
    void Start(std::int32_t ms);
    // One tick of Timer3: counts a second and fills the rows. True on the tick that reaches
    // the set time: the countdown is then idle again, and the rows keep the set time, the
    // full time passed and nothing left.
    bool Timer3Timer();
};

} // namespace domora
