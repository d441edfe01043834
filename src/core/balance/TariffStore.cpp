#include "core/balance/TariffStore.h"

#include <array>
#include <utility>

namespace domora {
namespace {

using Day = TariffTables::Day;

constexpr std::array<std::pair<const char*, double Day::*>, 3> kPrices = {{
    {"_Days", &Day::dayPrice},
    {"_Evening", &Day::eveningPrice},
    {"_Night", &Day::nightPrice},
}};

constexpr std::array<std::pair<const char*, double Day::*>, 6> kBounds = {{
    {"_D_From", &Day::dayFrom},
    {"_D_To", &Day::dayTo},
    {"_E_From", &Day::eveningFrom},
    {"_E_To", &Day::eveningTo},
    {"_N_From", &Day::nightFrom},
    {"_N_To", &Day::nightTo},
}};

std::string DayName(std::size_t index, const char* suffix) {
    return std::to_string(index + 1) + suffix;
}

// The value, or its default written back in its place (and named) when it is missing or of
// another type.
double ReadOrRepair(RegistryKey& key, const std::string& name, std::vector<std::string>* replaced) {
    try {
        return key.readDouble(name);
    } catch (const RegistryError&) {
        key.writeDouble(name, 0.0);
        if (replaced != nullptr) {
            replaced->push_back(name);
        }
        return 0.0;
    }
}

} // namespace

std::vector<std::string> MoneyValueNames() {
    std::vector<std::string> names{"Avans"};
    for (std::size_t d = 0; d < 7; ++d) {
        for (const auto& price : kPrices) {
            names.push_back(DayName(d, price.first));
        }
    }
    return names;
}

std::vector<std::string> TimesValueNames() {
    std::vector<std::string> names;
    for (std::size_t d = 0; d < 7; ++d) {
        for (const auto& bound : kBounds) {
            names.push_back(DayName(d, bound.first));
        }
    }
    return names;
}

bool LoadBalanceSettings(Registry& registry, TariffTables& tables, std::vector<std::string>* replaced) {
    try {
        TariffTables read;
        auto money = OpenKeyOrThrow(registry, kMoneyKey, true);
        read.avans = ReadOrRepair(*money, "Avans", replaced);
        for (std::size_t d = 0; d < read.days.size(); ++d) {
            for (const auto& [suffix, field] : kPrices) {
                read.days[d].*field = ReadOrRepair(*money, DayName(d, suffix), replaced);
            }
        }
        money->close();
        auto times = OpenKeyOrThrow(registry, kTimesKey, true);
        for (std::size_t d = 0; d < read.days.size(); ++d) {
            for (const auto& [suffix, field] : kBounds) {
                read.days[d].*field = ReadOrRepair(*times, DayName(d, suffix), replaced);
            }
        }
        times->close();
        tables = read;
        return true;
    } catch (const RegistryError&) {
        return false;
    }
}

bool TariffsChanged(Registry& registry) {
    auto money = registry.openKey(RegHive::CurrentUser, kMoneyKey, false);
    try {
        return money && money->valueExists("Changing_Data") && money->readBool("Changing_Data");
    } catch (const RegistryError&) {
        return false;
    }
}

void ClearTariffsChanged(Registry& registry) {
    auto money = OpenKeyOrThrow(registry, kMoneyKey, true);
    money->writeInteger("Changing_Data", 0);
    money->close();
}

void SaveBalanceSettings(Registry& registry, const TariffTables& tables) {
    auto times = OpenKeyOrThrow(registry, kTimesKey, true);
    for (std::size_t d = 0; d < tables.days.size(); ++d) {
        for (const auto& [suffix, field] : kBounds) {
            times->writeDouble(DayName(d, suffix), tables.days[d].*field);
        }
    }
    times->close();
    // The prices and the signal last, so that the main program never reads a half-written
    // table as changed.
    auto money = OpenKeyOrThrow(registry, kMoneyKey, true);
    money->writeDouble("Avans", tables.avans);
    for (std::size_t d = 0; d < tables.days.size(); ++d) {
        for (const auto& [suffix, field] : kPrices) {
            money->writeDouble(DayName(d, suffix), tables.days[d].*field);
        }
    }
    money->writeInteger("Changing_Data", 1);
    money->close();
}

void SaveAdvance(Registry& registry, double avans) {
    auto money = OpenKeyOrThrow(registry, kMoneyKey, true);
    money->writeDouble("Avans", avans);
    money->close();
}

std::string ReplacedValuesMessage(const std::vector<std::string>& replaced) {
    std::string names;
    for (const std::string& name : replaced) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return "Настройки счёта Dial-up были повреждены или отсутствовали и заменены нулями: " + names +
           ". Проверьте аванс и цены в окне «Настройки...».";
}

} // namespace domora
