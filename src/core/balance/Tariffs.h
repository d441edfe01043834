#pragma once

#include "core/app/Settings.h"
#include "core/base/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace domora {

// The weekday of the tariff tables: 1 = Monday ... 7 = Sunday (DateTime counts from Sunday).
int TariffWeekday(const DateTime& local);

// The time of day of a date-time value in whole seconds, 0 .. 86399.
int SecondsOfDay(double dateTime);

// Whether the time of day `t` lies in the period from -> to (seconds of the day): from <= t
// < to, or, for a period over midnight (from > to), from <= t or t < to. A period whose
// bounds are equal holds nothing.
bool IsInPeriod(int t, int from, int to);

// The price of one hour (hundredths of a dollar) on `weekday` at the time of day `t`: the
// day period is tried first, then the evening, then the night; 0 when none holds.
double PriceNow(const TariffTables& tables, int weekday, int t);

// The hours that `money` dollars buy at `priceDollars` an hour; 0 when the price is 0.
double HoursForMoney(double priceDollars, double money);

// A duration "h:mm:ss" of whole elapsed milliseconds, each part at least two digits; the
// hours are never cut (a session of a day and an hour is "25:00:00").
std::string DurationText(std::uint32_t elapsedMs);
// The seconds of such a text (hours any whole number, minutes and seconds 0..59); nothing
// for another text.
std::optional<std::int64_t> ParseDuration(std::string_view text);
// A duration as the store keeps it (a date-time double: days and a fraction) and back.
std::string DurationOfStored(double days);
double StoredDuration(std::int64_t seconds);

} // namespace domora
