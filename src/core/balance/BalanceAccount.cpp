#include "core/balance/BalanceAccount.h"

#include "core/balance/Tariffs.h"
#include "core/base/NumberText.h"
#include "core/base/OleDate.h"

#include <cmath>
#include <cstdlib>

namespace domora {

std::string BalanceHint(const std::string& balance) {
    return "Количество денег на Вашем счету\r\n" + balance;
}

std::string HourPriceHint(const std::string& hourPrice) {
    return "Стоимость одного часа\r\nв Интернете сейчас составляет:\r\n" + hourPrice + " $";
}

void BalanceAccount::load(const TariffTables& tables, const std::string& lastDuration,
                          const std::string& lastCost) {
    tables_ = tables;
    display_.balance = FormatFloat(tables.avans / 100);
    display_.duration = lastDuration;
    display_.cost = lastCost;
}

void BalanceAccount::reload(const TariffTables& tables) {
    tables_ = tables;
    if (!wasConnected_) {
        display_.balance = FormatFloat(tables.avans / 100);
    }
}

double BalanceAccount::advanceShown() const {
    return ParseFloat(display_.balance).value_or(0) * 100;
}

BalanceAccount::Step BalanceAccount::poll(ConnectionKind kind, std::uint32_t tick, const DateTime& local,
                                          const BalanceWarnings& warnings) {
    Step step;
    const double price = PriceNow(tables_, TariffWeekday(local),
                                  SecondsOfDay(OleTimeOfDay(local.hour, local.minute, local.second)));
    if (!IsInternetConnected(kind)) {
        if (wasConnected_) {
            wasConnected_ = false;
            tables_.avans = advanceShown();
            step.sessionEnded = true;
        }
        sessionStart_ = tick;
        showPrice(price);
        return step;
    }
    if (!wasConnected_) {
        wasConnected_ = true;
        sessionStart_ = tick;
        step.sessionStarted = true;
    }
    // The counter wraps: the distance is the absolute value of the signed 32-bit difference.
    const auto difference = static_cast<std::int32_t>(tick - sessionStart_);
    const std::uint32_t elapsed =
        difference < 0 ? 0U - static_cast<std::uint32_t>(difference) : static_cast<std::uint32_t>(difference);
    sessionStep(elapsed, price);
    checkWarnings(local, warnings, step);
    return step;
}

void BalanceAccount::showPrice(double price) {
    display_.hourPrice = FormatFloat(price / 100);
}

// The session is priced by its whole seconds, as its duration shows them.
void BalanceAccount::sessionStep(std::uint32_t elapsedMs, double price) {
    display_.duration = DurationText(elapsedMs);
    const double hours = static_cast<double>(elapsedMs / 1000) / 3600.0;
    display_.cost = FormatFloat(hours * price / 100);
    showPrice(price);
    const double remaining = tables_.avans / 100 - ParseFloat(display_.cost).value_or(0);
    display_.balance = remaining > 0 ? FormatFloat(remaining) : "0";
}

// A threshold that is not a whole number (or, for hours, not 0..23) gives no warning: the
// Options page refuses to save such a text.
void BalanceAccount::checkWarnings(const DateTime& local, const BalanceWarnings& warnings, Step& step) {
    const double balance = ParseFloat(display_.balance).value_or(0);
    const auto threshold = ParseInt32(warnings.money.threshold);
    if (warnings.money.on && !warned_[0] && threshold && *threshold >= balance) {
        warned_[0] = true;
        step.warnings.push_back("У Вас аванс за Интернет составляет меньше чем $" + warnings.money.threshold +
                                ".");
    }
    const TariffTables::Day& day = tables_.days[static_cast<std::size_t>(TariffWeekday(local) - 1)];
    const struct {
        double price;
        const WarningRow& row;
        const char* text;
    } rows[] = {
        {day.dayPrice, warnings.day, "дневных"},
        {day.eveningPrice, warnings.evening, "вечерних"},
        {day.nightPrice, warnings.night, "ночных"},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        if (rows[i].price == 0) {
            return; // a period without a price ends the hours warnings of the day
        }
        const double hours = HoursForMoney(rows[i].price / 100, balance);
        const auto limit = ParseInt32(rows[i].row.threshold);
        bool& warned = warned_[i + 1];
        if (rows[i].row.on && !warned && limit && *limit >= 0 && *limit <= 23 && hours <= *limit) {
            warned = true;
            step.warnings.push_back(std::string("У Вас ") + rows[i].text + " часов за Интернет меньше чем " +
                                    rows[i].row.threshold + " часа.");
        }
    }
}

} // namespace domora
