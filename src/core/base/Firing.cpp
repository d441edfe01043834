#include "core/base/Firing.h"

#include "core/base/MinuteGate.h"
#include "core/base/OleDate.h"
#include "core/base/Text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <utility>

namespace domora {

Firing Firing::At(const DateTime& minute) {
    return Firing{DateTimeOfMinute(MinuteNumber(minute)), {}};
}

Firing Firing::Never(std::string reason) {
    return Firing{std::nullopt, std::move(reason)};
}

DateTime MinuteAfter(const DateTime& now) {
    return DateTimeOfMinute(MinuteNumber(now) + 1);
}

Firing UnreadableTimeFiring(std::string_view typed) {
    return Firing::Never("в поле времени «" + std::string(typed) + "» — не целое число");
}

std::int64_t FiringHorizon(const DateTime& from) {
    DateTime later = from;
    later.year += kFiringHorizonYears;
    if (later.month == 2 && later.day == 29 && !IsLeapYear(later.year)) {
        later.month = 3;
        later.day = 1;
    }
    return MinuteNumber(later);
}

std::optional<DateTime> FirstFiringMinute(const DateTime& from, std::optional<int> minuteOfDay,
                                          const DateTime& firstDay,
                                          const std::function<bool(const DateTime&, bool isFrom)>& fires) {
    const std::int64_t start = MinuteNumber(from);
    const std::int64_t horizon = FiringHorizon(from);
    const auto dayOf = [](std::int64_t minute) { return minute - ((minute % 1440) + 1440) % 1440; };
    for (std::int64_t day = std::max(dayOf(start), dayOf(MinuteNumber(firstDay))); day < horizon;
         day += 1440) {
        const std::int64_t minute = minuteOfDay ? day + *minuteOfDay : std::max(day, start);
        if (minute < start) {
            continue;
        }
        if (minute >= horizon) {
            break;
        }
        const DateTime at = DateTimeOfMinute(minute);
        if (fires(at, minute == start)) {
            return at;
        }
    }
    return std::nullopt;
}

std::optional<std::string> TimeNeverReason(int hour, int minute) {
    if (hour == -1 && minute == -1) {
        return std::nullopt;
    }
    if (hour == -1) {
        return "заданы минуты без часа";
    }
    if (minute == -1) {
        return "задан час без минут";
    }
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return "времени " + std::to_string(hour) + ":" + (minute >= 0 && minute < 10 ? "0" : "") +
               std::to_string(minute) + " не бывает в сутках";
    }
    return std::nullopt;
}

std::optional<std::string> DateNeverReason(double oleDate, const DateTime& from) {
    const auto date = TryOleToDateTime(oleDate);
    if (!date) {
        return std::string("дата испорчена");
    }
    DateTime day = *date;
    day.hour = day.minute = day.second = day.millisecond = 0;
    DateTime today = from;
    today.hour = today.minute = 0;
    if (MinuteNumber(day) < MinuteNumber(today)) {
        return "дата " + DateText(day) + " уже прошла";
    }
    if (MinuteNumber(day) >= FiringHorizon(from)) {
        return "дата " + DateText(day) + " дальше десяти лет";
    }
    return std::nullopt;
}

std::string PassedTodayReason(const DateTime& from, int hour, int minute) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", hour, minute);
    return "его день — сегодня, " + DateText(from) + ", а время " + time + " уже прошло";
}

std::optional<std::string> ListNeverReason(std::string_view text, std::span<const std::string_view> list,
                                           std::string_view what) {
    for (const std::string_view item : list) {
        if (item == text) {
            return std::nullopt;
        }
    }
    const std::string quoted = std::string(what) + " «" + std::string(text) + "»";
    for (const std::string_view item : list) {
        if (!item.empty() && TrimmedLower(item) == TrimmedLower(text)) {
            return quoted + " отличается от «" + std::string(item) +
                   "» регистром букв или пробелами и потому не распознаётся";
        }
    }
    return quoted + " не из списка";
}

std::string DateText(const DateTime& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", date.day, date.month, date.year);
    return buffer;
}

std::string FiringMinuteText(const DateTime& minute) {
    // The clock's weekdays: 1 = Sunday ... 7 = Saturday.
    static constexpr std::array<std::string_view, 7> kDays = {"вс", "пн", "вт", "ср", "чт", "пт", "сб"};
    const int weekday = WeekdayOf(minute.year, minute.month, minute.day);
    char time[16];
    std::snprintf(time, sizeof time, " %02d:%02d", minute.hour, minute.minute);
    return std::string(kDays[static_cast<std::size_t>(weekday - 1)]) + " " + DateText(minute) + time;
}

std::string FiringText(const Firing& firing) {
    if (firing.at) {
        return "Следующий раз: " + FiringMinuteText(*firing.at);
    }
    return "Не сработает никогда: " + firing.neverReason;
}

} // namespace domora
