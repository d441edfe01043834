#include "core/app/Settings.h"

#include "core/balance/TariffStore.h"
#include "core/balance/Tariffs.h"
#include "core/base/NumberText.h"

#include <tuple>

namespace domora {
namespace {

SettingValue Dword(const char* key, std::string name, std::uint32_t value) {
    return SettingValue{key, std::move(name), RegType::Dword, value, {}, 0.0};
}

SettingValue Text(const char* key, std::string name, std::string value) {
    return SettingValue{key, std::move(name), RegType::String, 0, std::move(value), 0.0};
}

SettingValue Number(const char* key, std::string name, double value) {
    return SettingValue{key, std::move(name), RegType::Binary, 0, {}, value};
}

// A field whose text does not convert: the save stops there.
struct FieldNotValid {
    std::string caption;
};

// A threshold field's text as the number the save writes.
std::uint32_t Threshold(const std::string& text, const char* caption) {
    const auto value = ParseInt32(text);
    if (!value) {
        throw FieldNotValid{caption};
    }
    return static_cast<std::uint32_t>(*value);
}

std::string IntegerText(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

// A text value; a missing one reads as an empty text (a value of another type still fails).
std::string TextOrEmpty(RegistryKey& key, const std::string& name) {
    return key.valueExists(name) ? key.readString(name) : std::string();
}

} // namespace

int StartPageIndex(const std::string& startWith) {
    for (std::size_t i = 0; i < kStartPages.size(); ++i) {
        if (startWith == kStartPages[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<SettingValue> DefaultSettings(const std::string& defaultServer) {
    std::vector<SettingValue> v;
    v.reserve(96);
    v.push_back(Text(kMainKey, "StartWith", kStartPages[0]));
    v.push_back(Dword(kMainKey, "StartHow1", 0));
    v.push_back(Dword(kMainKey, "StartHow2", 1));
    v.push_back(Dword(kMainKey, "StartHow3", 0));
    v.push_back(Dword(kMainKey, "AutoStart", 1));
    v.push_back(Dword(kMainKey, "OnTop", 0));
    v.push_back(Dword(kMainKey, "Synchronization", 1));
    v.push_back(Dword(kMainKey, "MessageSynchron", 1));
    v.push_back(Text(kMainKey, "ServerSynchron", defaultServer));
    v.push_back(Dword(kMainKey, "RussianKeyb", 0));
    v.push_back(Dword(kMainKey, "SNFBigLetter", 1));
    for (const char* name : {"LessBucks", "LessDays", "LessToNights", "LessNights"}) {
        v.push_back(Dword(kMainKey, std::string(name) + "Ch", 0));
        v.push_back(Dword(kMainKey, name, 1));
    }
    for (const auto& [flag, count] :
         {std::pair{"SmallBucks", "KOLsmallbuks"}, std::pair{"SmallDay", "KOLsmallday"},
          std::pair{"SmallEvening", "KOLsmallevening"}, std::pair{"SmallNigth", "KOLsmallnigth"}}) {
        v.push_back(Dword(kMainKey, flag, 0));
        v.push_back(Dword(kMainKey, count, 1));
    }
    v.push_back(Number(kMainKey, "Last_Seans", 0.0));
    v.push_back(Number(kMainKey, "Last_Money", 0.0));

    v.push_back(Dword(kCelebrateKey, "Celebr", 0));
    v.push_back(Dword(kCelebrateKey, "Kolich", 0));

    // The advance first, the change signal, then the prices and the period bounds.
    const std::vector<std::string> money = MoneyValueNames();
    v.push_back(Number(kMoneyKey, money.front(), 0.0));
    v.push_back(Dword(kMoneyKey, "Changing_Data", 0));
    for (auto name = money.begin() + 1; name != money.end(); ++name) {
        v.push_back(Number(kMoneyKey, *name, 0.0));
    }
    for (const std::string& name : TimesValueNames()) {
        v.push_back(Number(kTimesKey, name, 0.0));
    }
    return v;
}

bool SettingsKeysExist(Registry& registry) {
    try {
        return registry.openKey(RegHive::CurrentUser, kRootKey, false) != nullptr &&
               registry.openKey(RegHive::CurrentUser, kMainKey, false) != nullptr;
    } catch (const std::exception&) {
        return false;
    }
}

void WriteDefaults(Registry& registry, const std::string& defaultServer) {
    try {
        OpenKeyOrThrow(registry, kRootKey, true)->close();
        std::unique_ptr<RegistryKey> key;
        std::string keyPath;
        for (const SettingValue& value : DefaultSettings(defaultServer)) {
            if (!key || value.key != keyPath) {
                if (key) {
                    key->close();
                }
                keyPath = value.key;
                key = OpenKeyOrThrow(registry, keyPath.c_str(), true);
            }
            switch (value.type) {
            case RegType::Dword:
                key->writeInteger(value.name, value.dword);
                break;
            case RegType::String:
                key->writeString(value.name, value.text);
                break;
            case RegType::Binary:
                key->writeDouble(value.name, value.number);
                break;
            }
        }
        key->close();
    } catch (const std::exception&) {
        // One guarded unit: the first failure ends it silently; what was written stays.
    }
}

bool LoadOptions(Registry& registry, OptionsState& state) {
    try {
        {
            auto main = OpenKeyOrThrow(registry, kMainKey, false);
            RegistryKey& k = *main;
            state.startHow1 = k.readBool("StartHow1");
            state.startHow2 = k.readBool("StartHow2");
            state.startHow3 = k.readBool("StartHow3");
            state.startWith = TextOrEmpty(k, "StartWith");
            state.autoStart = k.readBool("AutoStart");
            state.onTop = k.readBool("OnTop");
            state.synchronization = k.readBool("Synchronization");
            state.messageSynchron = k.readBool("MessageSynchron");
            state.serverSynchron = TextOrEmpty(k, "ServerSynchron");
            state.russianKeyb = k.readBool("RussianKeyb");
            state.snfBigLetter = k.readBool("SNFBigLetter");
            // The first set of the warning rows, then the second, which decides. The
            // evening and night names cross: LessToNights* is the night row, LessNights*
            // the evening row.
            state.money.on = k.readBool("LessBucksCh");
            state.money.threshold = IntegerText(k.readInteger("LessBucks"));
            state.day.on = k.readBool("LessDaysCh");
            state.day.threshold = IntegerText(k.readInteger("LessDays"));
            state.night.on = k.readBool("LessToNightsCh");
            state.night.threshold = IntegerText(k.readInteger("LessToNights"));
            state.evening.on = k.readBool("LessNightsCh");
            state.evening.threshold = IntegerText(k.readInteger("LessNights"));
            state.money.on = k.readBool("SmallBucks");
            state.money.threshold = IntegerText(k.readInteger("KOLsmallbuks"));
            state.day.on = k.readBool("SmallDay");
            state.day.threshold = IntegerText(k.readInteger("KOLsmallday"));
            state.evening.on = k.readBool("SmallEvening");
            state.evening.threshold = IntegerText(k.readInteger("KOLsmallevening"));
            state.night.on = k.readBool("SmallNigth");
            state.night.threshold = IntegerText(k.readInteger("KOLsmallnigth"));
            state.lastSession = DurationOfStored(k.readDouble("Last_Seans"));
            state.lastCost = FormatFloat(k.readDouble("Last_Money"));
            main->close();
        }
        // The tables themselves are read by the balance (LoadBalanceSettings), which
        // repairs what is damaged; here only the advance shown and the change signal.
        auto money = OpenKeyOrThrow(registry, kMoneyKey, true);
        state.balance = FormatFloat(money->readDouble("Avans") / 100);
        money->writeInteger("Changing_Data", 0);
        money->close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<InvalidOptionsField> CheckOptions(const OptionsState& state) {
    const std::tuple<OptionsField, const WarningRow*, const char*, bool> thresholds[] = {
        {OptionsField::MoneyThreshold, &state.money, "порог по деньгам ($)", false},
        {OptionsField::DayThreshold, &state.day, "дневных часов", true},
        {OptionsField::NightThreshold, &state.night, "ночных часов", true},
        {OptionsField::EveningThreshold, &state.evening, "вечерних часов", true},
    };
    for (const auto& [field, row, caption, hours] : thresholds) {
        const auto value = ParseInt32(row->threshold);
        if (!value || (hours && (*value < 0 || *value > 23))) {
            return InvalidOptionsField{field, caption,
                                       hours ? OptionsWanted::Hours : OptionsWanted::WholeNumber};
        }
    }
    if (!ParseDuration(state.lastSession)) {
        return InvalidOptionsField{OptionsField::LastSession, "длительность последнего сеанса",
                                   OptionsWanted::Duration};
    }
    return std::nullopt;
}

SaveOutcome SaveOptions(RegistryKey& key, const OptionsState& state) {
    std::string current;
    // Each step names its value first, so a failure can say where the save stopped.
    auto step = [&](const char* name, auto&& write) {
        current = std::string("значение «") + name + "»";
        write();
    };
    auto flag = [&](const char* name, bool on) { step(name, [&] { key.writeBool(name, on); }); };
    auto threshold = [&](const char* name, const WarningRow& row, const char* caption) {
        step(name, [&] { key.writeInteger(name, Threshold(row.threshold, caption)); });
    };
    try {
        step("StartWith", [&] { key.writeString("StartWith", state.startWith); });
        flag("StartHow1", state.startHow1);
        flag("StartHow2", state.startHow2);
        flag("StartHow3", state.startHow3);
        flag("AutoStart", state.autoStart);
        flag("OnTop", state.onTop);
        flag("Synchronization", state.synchronization);
        flag("MessageSynchron", state.messageSynchron);
        step("ServerSynchron", [&] { key.writeString("ServerSynchron", state.serverSynchron); });
        flag("RussianKeyb", state.russianKeyb);
        flag("SNFBigLetter", state.snfBigLetter);
        flag("LessBucksCh", state.money.on);
        threshold("LessBucks", state.money, "порог по деньгам ($)");
        flag("LessDaysCh", state.day.on);
        threshold("LessDays", state.day, "дневных часов");
        flag("LessToNightsCh", state.night.on);
        threshold("LessToNights", state.night, "ночных часов");
        flag("LessNightsCh", state.evening.on);
        threshold("LessNights", state.evening, "вечерних часов");
        flag("SmallBucks", state.money.on);
        threshold("KOLsmallbuks", state.money, "порог по деньгам ($)");
        flag("SmallDay", state.day.on);
        threshold("KOLsmallday", state.day, "дневных часов");
        flag("SmallEvening", state.evening.on);
        threshold("KOLsmallevening", state.evening, "вечерних часов");
        flag("SmallNigth", state.night.on);
        threshold("KOLsmallnigth", state.night, "ночных часов");
        step("Last_Seans", [&] {
            const auto duration = ParseDuration(state.lastSession);
            if (!duration) {
                throw FieldNotValid{"длительность последнего сеанса"};
            }
            key.writeDouble("Last_Seans", StoredDuration(*duration));
        });
        return {true, {}, false};
    } catch (const FieldNotValid& field) {
        return {false, field.caption, true};
    } catch (const std::exception&) {
        return {false, current, false};
    }
}

} // namespace domora
