#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/base/DateTime.h"
#include "core/base/Text.h"

#include <array>
#include <string>
#include <string_view>

namespace domora {

// The editor's recurrence list, in its order. Item 0 (empty) and "Всегда" make an alarm go
// by its weekday flags; every other item names a rule of its own. The scheduler compares a
// stored text with these character for character.
inline constexpr std::array<std::string_view, 34> kRecurrenceTexts = {
    "",
    "Всегда",
    "Каждый рабочий день",
    "Каждый вик-энд",
    "Каждый первый день месяца",
    "Каждый последний день месяца",
    "Каждый первый ПН",
    "Каждый первый ВТ",
    "Каждую первую СР",
    "Каждый первый ЧТ",
    "Каждую первую ПТ",
    "Каждую первую СБ",
    "Каждое первое ВС",
    "Каждый второй ПН",
    "Каждый второй ВТ",
    "Каждую вторую СР",
    "Каждый второй ЧТ",
    "Каждую вторую ПТ",
    "Каждую вторую СБ",
    "Каждое второе ВС",
    "Каждый третий ПН",
    "Каждый третий ВТ",
    "Каждую третию СР",
    "Каждый третий ЧТ",
    "Каждую третию ПТ",
    "Каждую третию СБ",
    "Каждое третье ВС",
    "Каждый четвёртый ПН",
    "Каждый четвёртый ВТ",
    "Каждую четвёртую СР",
    "Каждый четвёртый ЧТ",
    "Каждую четвёртую ПТ",
    "Каждую четвёртую СБ",
    "Каждое четвёртое ВС",
};

// The editor's repeat list and its built-in melodies.
inline constexpr std::array<std::string_view, 7> kRepeatTexts = {"Безконечно", "1",  "2", "3",
                                                                 "5",          "10", "20"};
inline constexpr std::array<std::string_view, 3> kMelodyNames = {"Бип-Бип", "Звонок", "Кукушка"};

// Whether an alarm with this recurrence text goes by its weekday flags: the text is empty
// or "Всегда", blanks at the ends and letter case ignored.
bool UsesWeekdays(std::string_view recurrence);

// Whether the weekday flag of `today` is set.
bool CheckWeekdays(const AlarmRecord& record, const DateTime& today);

// Whether `recurrence` names a rule of the list (items 2..33), compared exactly.
bool IsKnownRule(std::string_view recurrence);

// Whether `today` fits the rule named by `recurrence`, compared exactly (case and blanks
// count). A text that names no rule never fits.
bool CheckRecurrence(std::string_view recurrence, const DateTime& today);

// Whether the alarm is for `today`, leaving its time and its switch aside: its date when it
// has one, else its weekday flags or its rule.
bool AlarmIsForDay(const AlarmRecord& record, const DateTime& today);

// The abbreviations of the set weekday flags, Monday first, each followed by a comma except
// Sunday's: "ПН,СР,СБ," or "ПН,ВТ,СР,ЧТ,ПТ,СБ,ВС"; empty without flags.
std::string WeekdayList(const AlarmRecord& record);

} // namespace domora
