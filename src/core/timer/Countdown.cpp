#include "core/timer/Countdown.h"

#include "core/base/Cp1251.h"

namespace domora {

const std::array<ComboPreset, 14> kComboPresets = {{
    {"<Нет таймера>", 0},
    {"1 минуту", 60'000},
    {"2 минуты", 120'000},
    {"3 минуты", 180'000},
    {"4 минуты", 240'000},
    {"5 минут", 300'000},
    {"10 минут", 600'000},
    {"15 минут", 900'000},
    {"30 минуту", 1'800'000},
    {"45 минуту", 2'700'000},
    {"1 час", 3'600'000},
    {"1.5 часа", 5'400'000},
    {"2 часа", 7'200'000},
    {"3 часа", 10'800'000},
}};

const std::array<MenuPreset, 13> kMenuPresets = {{
    {"mnTSet1", "Установить на &1 мин...", 60'000, true},
    {"mnTSet2", "Установить на &2 мин...", 120'000},
    {"mnTSet3", "Установить на &3 мин...", 180'000},
    {"mnTSet4", "Установить на &4 мин...", 240'000},
    {"mnTSet5", "Установить на &5 мин...", 300'000},
    {"mnTSet10", "Установить на 10 мин...", 600'000},
    {"mnTSet15", "Установить на 15 мин...", 900'000},
    {"mnTSet30", "Установить на 30 мин...", 1'800'000},
    {"mnTSet45", "Установить на 45 мин...", 2'700'000},
    {"mnTSet1h", "Установить на 1 час...", 3'600'000, true},
    {"mnTSet15h", "Установить на 1.5 часа...", 5'400'000},
    {"mnTSet2h", "Установить на 2 часа...", 7'200'000},
    {"mnTSet3h", "Установить на 3 часа...", 10'800'000},
}};

namespace {

// The character at a 1-based position, or 0 past the end.
char32_t CharAt(const std::u32string& text, std::size_t position) {
    return position <= text.size() ? text[position - 1] : 0;
}

struct Rule {
    char32_t first;
    char32_t second; // 0: any second character
    std::int32_t ms;
};

std::int32_t Match(const std::u32string& text, std::initializer_list<Rule> rules) {
    for (const Rule& rule : rules) {
        if (CharAt(text, 1) == rule.first && (rule.second == 0 || CharAt(text, 2) == rule.second)) {
            return rule.ms;
        }
    }
    return 0;
}

} // namespace

PresetReading PresetToMs(const std::string& text) {
    const std::u32string chars = DecodeUtf8Lossy(text);
    // "минут", "минуты", "минуту" put the letter "т" at the 7th or 8th place; the hour items
    // and "<Нет таймера>" do not.
    const bool minutes = CharAt(chars, 7) == U'т' || CharAt(chars, 8) == U'т';
    if (minutes) {
        // In this order: the first character alone decides for "2" and "5".
        const std::int32_t ms = Match(chars, {{U'2', 0, 120'000},
                                              {U'5', 0, 300'000},
                                              {U'1', U' ', 60'000},
                                              {U'1', U'0', 600'000},
                                              {U'1', U'5', 900'000},
                                              {U'3', U' ', 180'000},
                                              {U'3', U'0', 1'800'000},
                                              {U'4', U' ', 240'000},
                                              {U'4', U'5', 2'700'000}});
        return ms != 0 ? PresetReading{ms, {}} : PresetReading{0, kDeveloperMessage};
    }
    const std::int32_t ms = Match(chars, {{U'1', U' ', 3'600'000},
                                          {U'1', U'.', 5'400'000},
                                          {U'2', U' ', 7'200'000},
                                          {U'3', U' ', 10'800'000}});
    return ms != 0 ? PresetReading{ms, {}} : PresetReading{0, kNoTimerMessage};
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One pair of a time text: "12", " 7" or "07"; two blanks as `blanks` says.
std::optional<std::int32_t> PairValue(char tens, char units, BlankPair blanks) {
    if (tens == ' ' && units == ' ') {
        return blanks == BlankPair::Zero ? std::optional<std::int32_t>(0) : std::nullopt;
    }
    if (!IsDigit(units) || !(IsDigit(tens) || tens == ' ')) {
        return std::nullopt;
    }
    return (tens == ' ' ? 0 : (tens - '0') * 10) + (units - '0');
}

} // namespace

TimeTextReading TimeTextToMs(const std::string& text, BlankPair blanks) {
    const auto at = [&text](std::size_t i) { return i < text.size() ? text[i] : ' '; };
    constexpr std::int32_t weights[] = {3'600'000, 60'000, 1000};
    std::int32_t total = 0;
    for (std::size_t pair = 0; pair < 3; ++pair) {
        const char tens = at(pair * 3);
        const char units = at(pair * 3 + 1);
        const std::optional<std::int32_t> value = PairValue(tens, units, blanks);
        if (!value) {
            return {std::nullopt, std::string{tens, units}};
        }
        // At most 99 hours 99 minutes 99 seconds: far inside 32 bits.
        total += *value * weights[pair];
    }
    return {total, {}};
}

void Countdown::ResetCountdown() {
    CountdownTotal = 0;
    Timer3Interval = 0;
    CountdownElapsed = 0;
    rows = CountdownRows{};
}

void Countdown::Start(std::int32_t ms) {
    ResetCountdown();
    Timer3Interval = ms != 0 ? kCountdownTick : 0;
    CountdownTotal = ms;
}

bool Countdown::Timer3Timer() {
    if (CountdownTotal <= 0) {
        // A tick already queued when the countdown was reset.
        return false;
    }
    CountdownElapsed += kCountdownTick;
    rows.total = SplitMs(CountdownTotal);
    rows.elapsed = SplitMs(CountdownElapsed);
    rows.left = SplitMs(CountdownTotal - CountdownElapsed);
    // Every duration is whole seconds, so the count meets the set time exactly; "at least"
    // keeps a count that somehow passed it from running on for ever.
    if (CountdownElapsed < CountdownTotal) {
        return false;
    }
    Timer3Interval = 0;
    CountdownElapsed = 0;
    CountdownTotal = 0;
    return true;
}

} // namespace domora
