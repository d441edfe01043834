#include "core/app/TimeText.h"

#include <array>

namespace domora {
namespace {

// The number of characters of a UTF-8 text.
std::size_t CharCount(const std::string& text) {
    std::size_t n = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

std::string Padded(int value) {
    return AddZero(std::to_string(value));
}

std::string Padded4(int value) {
    std::string s = std::to_string(value);
    while (s.size() < 4) {
        s.insert(s.begin(), '0');
    }
    return s;
}

} // namespace

std::string AddZero(const std::string& text) {
    return CharCount(text) == 1 ? "0" + text : text;
}

std::string FormatZoneTime(const DateTime& utc, std::int8_t offset, const Clock& clock) {
    std::int8_t shift = offset;
    if (clock.daylightInForce()) {
        // The sum is kept as a signed byte: 127 + 1 gives -128.
        shift = static_cast<std::int8_t>(shift + 1);
    }
    int hour = utc.hour + shift;
    if (hour > 23) {
        hour -= 24;
    }
    if (hour < 0) {
        hour += 24;
    }
    return Padded(hour) + ":" + Padded(utc.minute) + ":" + Padded(utc.second);
}

SplitTime SplitMs(std::int32_t ms) {
    if (ms <= 0) {
        return {"00", "00", "00"};
    }
    const std::int32_t hours = ms / 3'600'000;
    const std::int32_t rest = ms % 3'600'000;
    return {Padded(hours), Padded(rest / 60'000), Padded(rest % 60'000 / 1000)};
}

std::string WeekdayName(int weekday) {
    static const std::array<const char*, 7> names = {"Воскресенье", "Понедельник", "Вторник", "Среда",
                                                     "Четверг",     "Пятница",     "Суббота"};
    if (weekday < 1 || weekday > 7) {
        return names[0];
    }
    return names[static_cast<std::size_t>(weekday - 1)];
}

std::string FormatShortDate(const DateTime& dt) {
    return Padded(dt.day) + "." + Padded(dt.month) + "." + Padded4(dt.year);
}

std::string FormatLongTime(const DateTime& dt) {
    return Padded(dt.hour) + ":" + Padded(dt.minute) + ":" + Padded(dt.second);
}

} // namespace domora
