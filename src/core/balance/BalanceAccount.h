#pragma once

#include "core/app/Settings.h"
#include "core/balance/ConnectionKind.h"
#include "core/base/DateTime.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace domora {

// What the balance group of the Options page shows.
struct BalanceDisplay {
    std::string balance = "0";         // dollars left (StaticText56)
    std::string hourPrice = "0";       // the price of one hour now, dollars (StaticText58)
    std::string duration = "00:00:00"; // the current or last session (StaticText39)
    std::string cost = "0,00";         // its cost, dollars (StaticText57)

    friend bool operator==(const BalanceDisplay&, const BalanceDisplay&) = default;
};

// The hints of the balance and of the hour's price.
std::string BalanceHint(const std::string& balance);
std::string HourPriceHint(const std::string& hourPrice);

// The warning switches and thresholds as the page holds them when a poll runs.
struct BalanceWarnings {
    WarningRow money;
    WarningRow day;
    WarningRow evening;
    WarningRow night;
};

// The account of a pre-paid metered connection: the advance (hundredths of a dollar), the
// price tables, the session being timed, and the low-balance warnings, each given once
// until the Options page is saved. A poll every half second drives it.
//
// While online the whole session so far is priced at the price of the period in force now,
// and the balance shown is the advance less that cost (never below 0); when the connection
// goes, the balance shown becomes the new advance.
class BalanceAccount {
public:
    // What one poll did besides the display: a session began (the caller may synchronise the
    // clock) or ended (the advance changed), and the warnings to show, in order.
    struct Step {
        bool sessionStarted = false;
        bool sessionEnded = false;
        std::vector<std::string> warnings;
    };

    // The state of a start: the advance and tables read, the last session's duration and
    // cost as stored.
    void load(const TariffTables& tables, const std::string& lastDuration, const std::string& lastCost);
    // New tables from the price editor. The advance shown changes at once only offline;
    // online the next poll subtracts the running cost from the new advance.
    void reload(const TariffTables& tables);

    // One poll: the connection seen now, the tick counter (milliseconds, wrapping at 2^32)
    // and the local time.
    Step poll(ConnectionKind kind, std::uint32_t tick, const DateTime& local,
              const BalanceWarnings& warnings);

    // The balance shown as an advance in hundredths (what the price editor is given and what
    // is stored at the end).
    double advanceShown() const;
    // Saving the Options page lets every warning be given again.
    void clearWarnings() { warned_.fill(false); }

    bool online() const { return wasConnected_; }
    double advance() const { return tables_.avans; }
    const TariffTables& tables() const { return tables_; }
    const BalanceDisplay& display() const { return display_; }

private:
    void showPrice(double price);
    void sessionStep(std::uint32_t elapsedMs, double price);
    void checkWarnings(const DateTime& local, const BalanceWarnings& warnings, Step& step);

    TariffTables tables_;
    BalanceDisplay display_;
    bool wasConnected_ = false;
    std::uint32_t sessionStart_ = 0;
    std::array<bool, 4> warned_{}; // money, day, evening, night
};

} // namespace domora
