#pragma once

#include "core/app/Registry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace domora {

inline constexpr char kRootKey[] = "\\Software\\Tervo\\Domora_Lite";
inline constexpr char kMainKey[] = "\\Software\\Tervo\\Domora_Lite\\Main";
inline constexpr char kCelebrateKey[] = "\\Software\\Tervo\\Domora_Lite\\Main\\Celebrate";
inline constexpr char kMoneyKey[] = "\\Software\\Tervo\\Domora_Lite\\Main\\Balans\\Money";
inline constexpr char kTimesKey[] = "\\Software\\Tervo\\Domora_Lite\\Main\\Balans\\Times";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kDefaultTimeServer[] = "pool.ntp.org";

// The pages a start may show, in page order: the position of the chosen text is the page
// index of the main window.
inline constexpr std::array<const char*, 5> kStartPages = {"Напоминания", "Опции", "Сервис", "Время в мире",
                                                           "Система"};
// The page index for a `StartWith` text, or -1 when the text is none of the five.
int StartPageIndex(const std::string& startWith);

// One value of the settings schema with its first-run default.
struct SettingValue {
    std::string key; // e.g. kMainKey
    std::string name;
    RegType type;
    std::uint32_t dword = 0; // Dword
    std::string text;        // String
    double number = 0.0;     // Binary: an 8-byte double
};

// The 96 values of the first run, in the order they are written.
std::vector<SettingValue> DefaultSettings(const std::string& defaultServer = kDefaultTimeServer);

// Whether `\Software\Tervo\Domora_Lite` and its `Main` key both open without creating them.
bool SettingsKeysExist(Registry& registry);

// Writes every default, creating the keys. Stops silently at the first failure.
void WriteDefaults(Registry& registry, const std::string& defaultServer = kDefaultTimeServer);

// A warning row of the balance group: its check box and its threshold field's text.
struct WarningRow {
    bool on = false;
    std::string threshold = "1";

    friend bool operator==(const WarningRow&, const WarningRow&) = default;
};

// The working copy of the Options page: what the load puts into its controls and the save
// takes from them.
struct OptionsState {
    std::string startWith = "Напоминания";
    bool startHow1 = false;
    bool startHow2 = true;
    bool startHow3 = false;
    bool autoStart = true;
    bool onTop = false;
    bool synchronization = true;
    bool messageSynchron = true;
    std::string serverSynchron;
    bool russianKeyb = false;
    bool snfBigLetter = true;
    WarningRow money;   // CheckBox9, Edit3: LessBucksCh/LessBucks, SmallBucks/KOLsmallbuks
    WarningRow day;     // CheckBox10, Edit4: LessDaysCh/LessDays, SmallDay/KOLsmallday
    WarningRow night;   // CheckBox11, Edit5: LessToNightsCh/LessToNights, SmallNigth/KOLsmallnigth
    WarningRow evening; // CheckBox12, Edit6: LessNightsCh/LessNights, SmallEvening/KOLsmallevening
    std::string lastSession = "00:00:00"; // StaticText39: duration of the last session
    std::string lastCost = "0,00";        // StaticText57: its cost in dollars
    std::string balance = "0";            // StaticText56: the balance in dollars

    friend bool operator==(const OptionsState&, const OptionsState&) = default;
};

// Tariff tables of the metered connection, weekday 1 = Monday ... 7 = Sunday (index 0..6).
struct TariffTables {
    double avans = 0.0; // hundredths of a dollar
    struct Day {
        double dayPrice = 0, eveningPrice = 0, nightPrice = 0;
        double dayFrom = 0, dayTo = 0, eveningFrom = 0, eveningTo = 0, nightFrom = 0, nightTo = 0;
    };
    std::array<Day, 7> days{};
};

// Reads the main key into `state` in the load order (the second name of each warning row
// last, so it decides), then the advance shown as the balance, and clears the price
// editor's change signal. Stops silently at the first failure (a missing text reads as
// empty; any other missing value stops); what was read before stays. Returns false when it
// stopped early.
bool LoadOptions(Registry& registry, OptionsState& state);

// The fields of the page whose text must be a number or a time before anything is saved.
enum class OptionsField { MoneyThreshold, DayThreshold, NightThreshold, EveningThreshold, LastSession };

// What such a field must hold: a whole number, a whole number of hours 0..23 (the hours
// thresholds), or a duration "ч:мм:сс".
enum class OptionsWanted { WholeNumber, Hours, Duration };

struct InvalidOptionsField {
    OptionsField field;
    std::string caption; // the field's Russian name, as the messages give it
    OptionsWanted wanted;
};

// The first field, in the save order, whose text cannot be stored; nothing when all can.
std::optional<InvalidOptionsField> CheckOptions(const OptionsState& state);

// What the save managed: `complete` when every value was written; otherwise the Russian
// caption of the field or value where it stopped.
struct SaveOutcome {
    bool complete = false;
    // Where it stopped: the caption of a field whose text is not a number or a time, or the
    // value that could not be written.
    std::string stoppedAt;
    // True when a field's text stopped it, false when the store failed.
    bool fieldNotValid = false;
};

// Writes the page into the open main key in the save order. A threshold that is not a whole
// number or a duration that is not a time stops the save there: the values before it are
// written, those after it are not.
SaveOutcome SaveOptions(RegistryKey& mainKey, const OptionsState& state);

} // namespace domora
