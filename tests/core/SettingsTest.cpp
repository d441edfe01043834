#include "core/app/Settings.h"
#include "core/app/MemoryRegistry.h"
#include "testing/core/FailingRegistry.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

std::vector<std::string> NamesIn(const MemoryRegistry& registry, const char* key) {
    std::vector<std::string> names;
    for (const RegKeyData& data : registry.hive().keys()) {
        if (data.fullPath == RegistryHive::fullPath(RegHive::CurrentUser, key)) {
            for (const RegValue& v : data.values) {
                names.push_back(v.name);
            }
        }
    }
    return names;
}

void SetDouble(MemoryRegistry& registry, const char* key, const std::string& name, double v) {
    registry.openKey(RegHive::CurrentUser, key, false)->writeDouble(name, v);
}

TEST(Settings, FirstRunWritesTheGoldenHive) {
    MemoryRegistry registry;
    EXPECT_FALSE(SettingsKeysExist(registry));
    WriteDefaults(registry);
    EXPECT_TRUE(SettingsKeysExist(registry));
    EXPECT_EQ(registry.hive().serialise(), ReadTestData("registry-defaults.reg"));
}

TEST(Settings, WriteDefaultsStopsSilently) {
    MemoryRegistry registry;
    FailingRegistry failing(registry);
    failing.failWritesAfter(3);
    EXPECT_NO_THROW(WriteDefaults(failing));
    EXPECT_EQ(NamesIn(registry, kMainKey), (std::vector<std::string>{"StartWith", "StartHow1", "StartHow2"}));
    EXPECT_FALSE(registry.hive().keyExists(RegHive::CurrentUser, kCelebrateKey));
}

TEST(Settings, SaveThenLoadRoundTrip) {
    MemoryRegistry registry;
    WriteDefaults(registry);
    OptionsState saved{.startWith = "Сервис",
                       .startHow1 = true,
                       .startHow2 = false,
                       .autoStart = false,
                       .serverSynchron = "time.example.org",
                       .money = {true, "15"},
                       .day = {false, "-3"},
                       .night = {true, "7"},
                       .evening = {false, "8"},
                       .lastSession = "01:02:03"};
    const SaveOutcome outcome = SaveOptions(*registry.openKey(RegHive::CurrentUser, kMainKey, false), saved);
    EXPECT_TRUE(outcome.complete) << outcome.stoppedAt;
    // The crossed names: the night row is stored as LessToNights, the evening row as LessNights.
    EXPECT_EQ(registry.hive().value(RegHive::CurrentUser, kMainKey, "LessToNights")->dword, 7U);
    EXPECT_EQ(registry.hive().value(RegHive::CurrentUser, kMainKey, "LessNights")->dword, 8U);
    SetDouble(registry, kMainKey, "Last_Money", 0.1 + 0.2);
    SetDouble(registry, kMoneyKey, "Avans", 12345.0);
    registry.openKey(RegHive::CurrentUser, kMoneyKey, false)->writeInteger("Changing_Data", 1);
    saved.lastCost = "0,3";
    saved.balance = "123,45";

    OptionsState loaded;
    ASSERT_TRUE(LoadOptions(registry, loaded));
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(StartPageIndex(loaded.startWith), 2);
    EXPECT_EQ(registry.hive().value(RegHive::CurrentUser, kMoneyKey, "Changing_Data")->dword, 0U);
}

TEST(Settings, SecondNamesDecideAndMissingTextsReadEmpty) {
    MemoryRegistry registry;
    WriteDefaults(registry);
    auto main = registry.openKey(RegHive::CurrentUser, kMainKey, false);
    main->writeInteger("LessNights", 5);
    main->writeInteger("KOLsmallevening", 9);
    main->writeBool("LessToNightsCh", true);
    main->writeBool("SmallNigth", false);
    main->writeBool("SmallBucks", true);
    main->deleteValue("StartWith");
    main->deleteValue("ServerSynchron");
    OptionsState state;
    ASSERT_TRUE(LoadOptions(registry, state));
    EXPECT_EQ(state.evening.threshold, "9");
    EXPECT_FALSE(state.night.on);
    EXPECT_TRUE(state.money.on);
    EXPECT_EQ(state.startWith, "");
    EXPECT_EQ(StartPageIndex(state.startWith), -1);
    EXPECT_EQ(state.serverSynchron, "");
}

TEST(Settings, LoadStopsAtAMissingOrMistypedValue) {
    MemoryRegistry registry;
    WriteDefaults(registry);
    auto main = registry.openKey(RegHive::CurrentUser, kMainKey, false);
    main->writeInteger("LessBucks", 42);
    main->deleteValue("LessDays");
    registry.openKey(RegHive::CurrentUser, kMoneyKey, false)->writeInteger("Changing_Data", 1);
    OptionsState state;
    state.day.threshold = "untouched";
    EXPECT_FALSE(LoadOptions(registry, state));
    EXPECT_EQ(state.money.threshold, "42");
    EXPECT_EQ(state.day.threshold, "untouched");
    EXPECT_EQ(state.balance, "0"); // the advance is not reached
    EXPECT_EQ(registry.hive().value(RegHive::CurrentUser, kMoneyKey, "Changing_Data")->dword, 1U);

    main->writeInteger("LessDays", 1);
    main->writeInteger("StartWith", 3); // a text stored as a number is no missing text
    EXPECT_FALSE(LoadOptions(registry, state));

    MemoryRegistry empty;
    EXPECT_FALSE(LoadOptions(empty, state));
    EXPECT_TRUE(empty.hive().keys().empty());
}

TEST(Settings, SaveStopsAtTheFirstBadField) {
    struct Case {
        void (*spoil)(OptionsState&);
        const char* stoppedAt;
        std::size_t written;
    };
    const Case cases[] = {
        {[](OptionsState& s) { s.day.threshold = "abc"; }, "дневных часов", 14},
        {[](OptionsState& s) { s.money.threshold = "1,5"; }, "порог по деньгам ($)", 12},
        {[](OptionsState& s) { s.night.threshold = ""; }, "ночных часов", 16},
        {[](OptionsState& s) { s.evening.threshold = "99999999999"; }, "вечерних часов", 18},
        {[](OptionsState& s) { s.lastSession = "1:60:00"; }, "длительность последнего сеанса", 27}};
    for (const Case& c : cases) {
        MemoryRegistry registry;
        OptionsState state;
        c.spoil(state);
        auto main = registry.openKey(RegHive::CurrentUser, kMainKey, true);
        const SaveOutcome outcome = SaveOptions(*main, state);
        EXPECT_FALSE(outcome.complete);
        EXPECT_EQ(outcome.stoppedAt, c.stoppedAt);
        const auto names = NamesIn(registry, kMainKey);
        ASSERT_EQ(names.size(), c.written) << c.stoppedAt;
        EXPECT_EQ(names.back(), DefaultSettings()[c.written - 1].name) << c.stoppedAt;
    }

    MemoryRegistry registry;
    FailingRegistry failing(registry);
    auto main = failing.openKey(RegHive::CurrentUser, kMainKey, true);
    failing.failWritesAfter(5);
    const SaveOutcome outcome = SaveOptions(*main, OptionsState{});
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(outcome.stoppedAt, "значение «OnTop»");
    EXPECT_EQ(NamesIn(registry, kMainKey).size(), 5U);
}

// The check before a save names the first field, in the save order, that cannot be stored.
TEST(Settings, CheckOptionsNamesTheFirstBadField) {
    OptionsState state;
    EXPECT_FALSE(CheckOptions(state));
    state.lastSession = "25:00:00"; // a session past a day
    EXPECT_FALSE(CheckOptions(state));
    state.lastSession = "1:60:00";
    ASSERT_TRUE(CheckOptions(state));
    EXPECT_EQ(CheckOptions(state)->field, OptionsField::LastSession);
    EXPECT_EQ(CheckOptions(state)->wanted, OptionsWanted::Duration);
    state.day.threshold = "24"; // the hours thresholds are 0..23, the money one any number
    state.money.threshold = "24";
    EXPECT_EQ(CheckOptions(state)->field, OptionsField::DayThreshold);
    EXPECT_EQ(CheckOptions(state)->wanted, OptionsWanted::Hours);
    state.day.threshold = "23";
    state.evening.threshold = "";
    EXPECT_EQ(CheckOptions(state)->field, OptionsField::EveningThreshold);
    state.night.threshold = "12345678901";
    EXPECT_EQ(CheckOptions(state)->field, OptionsField::NightThreshold);
    EXPECT_EQ(CheckOptions(state)->caption, "ночных часов");
}

} // namespace
} // namespace domora
