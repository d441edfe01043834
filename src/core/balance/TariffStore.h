#pragma once

#include "core/app/Registry.h"
#include "core/app/Settings.h"

#include <string>
#include <vector>

namespace domora {

// The advance, prices and periods of the metered connection in the settings store: the
// `Money` key holds "Avans" and, for each weekday n = 1 (Monday) .. 7 (Sunday), "n_Days",
// "n_Evening" and "n_Night" (8-byte doubles, hundredths of a dollar) with "Changing_Data"
// (a number, 1 when the price editor changed them); the `Times` key holds "n_D_From",
// "n_D_To", "n_E_From", "n_E_To", "n_N_From", "n_N_To" (8-byte date-time doubles; only
// the time of day counts).

// The names of the 63 table values and the advance, in the order they are read.
std::vector<std::string> MoneyValueNames(); // "Avans", "1_Days", "1_Evening", "1_Night", ...
std::vector<std::string> TimesValueNames(); // "1_D_From", "1_D_To", ... "7_N_To"

// Reads the advance and both tables, creating the keys when they are missing. A value that
// is missing or stored with another type is replaced by its default (0) in `tables` and in
// the store, and its name is added to `replaced`. False when a key cannot be opened or
// created (`tables` then keeps what it had).
bool LoadBalanceSettings(Registry& registry, TariffTables& tables,
                         std::vector<std::string>* replaced = nullptr);

// Whether the price editor has changed the tables since they were last read: "Changing_Data"
// of the `Money` key (a key or value that is missing reads as unchanged).
bool TariffsChanged(Registry& registry);
// Clears "Changing_Data".
void ClearTariffsChanged(Registry& registry);

// Writes the advance, the 21 prices and the 42 bounds, then sets "Changing_Data" to 1, so
// that the main program reads them again. Throws RegistryError when the store refuses.
void SaveBalanceSettings(Registry& registry, const TariffTables& tables);

// Writes the advance alone (the main program before the editor starts and at its end).
void SaveAdvance(Registry& registry, double avans);

// The Russian message for values replaced by their defaults, naming them.
std::string ReplacedValuesMessage(const std::vector<std::string>& replaced);

} // namespace domora
