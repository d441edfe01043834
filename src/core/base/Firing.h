#pragma once

#include "core/base/DateTime.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace domora {

// When a scheduler will next fire a record: a minute, or never with the reason in Russian
// ("будильник выключен"). The alarms and the tasks answer with it (AlarmFiring.h,
// TaskFiring.h), looking ten years ahead of the minute they are asked from.
struct Firing {
    // The minute (second 0, weekday set); nothing when the record never fires.
    std::optional<DateTime> at;
    std::string neverReason;

    static Firing At(const DateTime& minute);
    static Firing Never(std::string reason);

    friend bool operator==(const Firing&, const Firing&) = default;
};

inline constexpr int kFiringHorizonYears = 10;

// The minute number (see MinuteNumber) ten years after `from`; 29 February goes to 1 March.
std::int64_t FiringHorizon(const DateTime& from);

// The first minute from `from` on, before the horizon, that `fires` accepts. It is asked
// once a day, the days before `firstDay` skipped: at `minuteOfDay` (a record with a time;
// not before `from`) or, for a record without a time, at `from` itself on from's day and at
// 00:00 on the days after. `fires` learns whether the minute is `from`.
std::optional<DateTime> FirstFiringMinute(const DateTime& from, std::optional<int> minuteOfDay,
                                          const DateTime& firstDay,
                                          const std::function<bool(const DateTime&, bool isFrom)>& fires);

// The reasons for never that alarms and tasks share, nothing when there is none:
// - a time that is neither a clock time nor -1:-1 (no time);
std::optional<std::string> TimeNeverReason(int hour, int minute);
// - a date (an OLE date, its calendar day counts) that is no date, before from's day or past
//   the horizon;
std::optional<std::string> DateNeverReason(double oleDate, const DateTime& from);
// - a dated record whose date is from's day and whose time has passed;
std::string PassedTodayReason(const DateTime& from, int hour, int minute);
// - a text that is not in `list` (compared exactly), named by `what` ("повторение"): the
//   reason says so, and also when the text differs from an item only in letter case or
//   blanks, which the scheduler does not forgive.
std::optional<std::string> ListNeverReason(std::string_view text, std::span<const std::string_view> list,
                                           std::string_view what);

// The minute after the one `now` falls in (second 0). The windows ask for a record's next
// firing from there: the pass for now's own minute is made by the time they look.
DateTime MinuteAfter(const DateTime& now);

// A time field as typed that is no whole number: the record would never fire so.
Firing UnreadableTimeFiring(std::string_view typed);

// "Следующий раз: вт 08.12.2026 07:30" or "Не сработает никогда: будильник выключен".
std::string FiringText(const Firing& firing);

// "вт 08.12.2026 07:30": the weekday in two lower-case letters, the date, the time.
std::string FiringMinuteText(const DateTime& minute);

// "08.12.2026".
std::string DateText(const DateTime& date);

} // namespace domora
