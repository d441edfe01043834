#include "core/alarms/Recurrence.h"

#include "core/base/Cp1251.h"
#include "core/base/OleDate.h"

#include <chrono>
#include <optional>

namespace domora {
namespace {

using namespace std::chrono;

// The calendar date of a date-time; nothing for an impossible date.
std::optional<year_month_day> DateOf(const DateTime& dt) {
    if (dt.month < 1 || dt.month > 12 || dt.day < 1 || dt.day > 31) {
        return std::nullopt;
    }
    const year_month_day ymd{year{dt.year}, month{static_cast<unsigned>(dt.month)},
                             day{static_cast<unsigned>(dt.day)}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    return ymd;
}

// Monday 0 ... Sunday 6.
unsigned MondayIndex(const year_month_day& ymd) {
    return weekday{sys_days{ymd}}.iso_encoding() - 1;
}

enum class Rule { WorkingDay, Weekend, FirstOfMonth, LastOfMonth, NthWeekday };

struct RuleEntry {
    Rule rule;
    unsigned weekday = 0; // Monday 0 ... Sunday 6, for NthWeekday
    unsigned week = 0;    // 1 = days 1..7, 2 = days 8..14, 3 = 15..21, 4 = 22..28
};

// The rules, by the position of their texts in the recurrence list.
std::optional<RuleEntry> RuleOf(std::string_view text) {
    for (std::size_t i = 2; i < kRecurrenceTexts.size(); ++i) {
        if (kRecurrenceTexts[i] != text) {
            continue;
        }
        switch (i) {
        case 2:
            return RuleEntry{Rule::WorkingDay};
        case 3:
            return RuleEntry{Rule::Weekend};
        case 4:
            return RuleEntry{Rule::FirstOfMonth};
        case 5:
            return RuleEntry{Rule::LastOfMonth};
        default:
            // Items 6..33: seven weekdays, Monday first, for each of the four weeks.
            return RuleEntry{Rule::NthWeekday, static_cast<unsigned>((i - 6) % 7),
                             static_cast<unsigned>((i - 6) / 7 + 1)};
        }
    }
    return std::nullopt;
}

} // namespace

bool UsesWeekdays(std::string_view recurrence) {
    const std::string folded = TrimmedLower(recurrence);
    return folded.empty() || folded == "всегда";
}

bool IsKnownRule(std::string_view recurrence) {
    return RuleOf(recurrence).has_value();
}

bool CheckWeekdays(const AlarmRecord& record, const DateTime& today) {
    const auto date = DateOf(today);
    return date && record.Weekdays[MondayIndex(*date)];
}

bool CheckRecurrence(std::string_view recurrence, const DateTime& today) {
    const auto date = DateOf(today);
    const auto entry = RuleOf(recurrence);
    if (!date || !entry) {
        return false;
    }
    const unsigned wd = MondayIndex(*date);
    const unsigned dayOfMonth = static_cast<unsigned>(date->day());
    switch (entry->rule) {
    case Rule::WorkingDay:
        return wd < 5;
    case Rule::Weekend:
        return wd >= 5;
    case Rule::FirstOfMonth:
        return dayOfMonth == 1;
    case Rule::LastOfMonth:
        // The Gregorian calendar: February has 29 days in 2024, 28 in 2100.
        return date->day() == year_month_day_last{date->year(), month_day_last{date->month()}}.day();
    case Rule::NthWeekday:
        return wd == entry->weekday && (dayOfMonth - 1) / 7 + 1 == entry->week;
    }
    return false;
}

bool AlarmIsForDay(const AlarmRecord& record, const DateTime& today) {
    if (record.UseDate) {
        const auto date = TryOleToDateTime(record.AlarmDate);
        return date && date->year == today.year && date->month == today.month && date->day == today.day;
    }
    if (UsesWeekdays(record.Recurrence)) {
        return CheckWeekdays(record, today);
    }
    return CheckRecurrence(record.Recurrence, today);
}

std::string WeekdayList(const AlarmRecord& record) {
    static constexpr std::array<std::string_view, 7> kNames = {"ПН,", "ВТ,", "СР,", "ЧТ,",
                                                               "ПТ,", "СБ,", "ВС"};
    std::string out;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (record.Weekdays[i]) {
            out += kNames[i];
        }
    }
    return out;
}

} // namespace domora
