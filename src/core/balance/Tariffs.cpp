#include "core/balance/Tariffs.h"

#include "core/base/NumberText.h"

#include <cmath>

namespace domora {

int TariffWeekday(const DateTime& local) {
    return local.weekday == 1 ? 7 : local.weekday - 1;
}

// Rounded to the millisecond first, as the time texts are, then cut to the second.
int SecondsOfDay(double dateTime) {
    if (!std::isfinite(dateTime)) {
        return 0;
    }
    const double fraction = std::fabs(dateTime - std::trunc(dateTime));
    const auto ms = static_cast<std::int64_t>(std::llround(fraction * 86400000.0));
    return static_cast<int>((ms / 1000) % 86400);
}

bool IsInPeriod(int t, int from, int to) {
    if (from <= to) {
        return from <= t && t < to;
    }
    return from <= t || t < to;
}

double PriceNow(const TariffTables& tables, int weekday, int t) {
    if (weekday < 1 || weekday > 7) {
        return 0;
    }
    const TariffTables::Day& day = tables.days[static_cast<std::size_t>(weekday - 1)];
    const struct {
        double from, to, price;
    } periods[] = {{day.dayFrom, day.dayTo, day.dayPrice},
                   {day.eveningFrom, day.eveningTo, day.eveningPrice},
                   {day.nightFrom, day.nightTo, day.nightPrice}};
    for (const auto& period : periods) {
        if (IsInPeriod(t, SecondsOfDay(period.from), SecondsOfDay(period.to))) {
            return period.price;
        }
    }
    return 0;
}

double HoursForMoney(double priceDollars, double money) {
    return priceDollars == 0 ? 0 : money / priceDollars;
}

namespace {

std::string TwoDigits(std::int64_t value) {
    // Appended, not inserted in front: GCC 12 at -O3 warns (-Wrestrict) of a false overlap
    // in the string insert that "0" + text becomes.
    std::string text(value < 10 ? 1 : 0, '0');
    text += std::to_string(value);
    return text;
}

std::string DurationOfSeconds(std::int64_t seconds) {
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

} // namespace

std::string DurationText(std::uint32_t elapsedMs) {
    return DurationOfSeconds(elapsedMs / 1000);
}

std::optional<std::int64_t> ParseDuration(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::int64_t parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    for (const char c : text) {
        if (c == ':') {
            if (digits == 0 || ++part > 2) {
                return std::nullopt;
            }
            digits = 0;
        } else if (c >= '0' && c <= '9' && digits < 9) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || part != 2 || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

std::string DurationOfStored(double days) {
    if (!std::isfinite(days) || days < 0 || days > 1e6) {
        return "00:00:00";
    }
    return DurationOfSeconds(std::llround(days * 86400000.0) / 1000);
}

double StoredDuration(std::int64_t seconds) {
    return static_cast<double>(seconds) / 86400.0;
}

} // namespace domora
