// domora and the price editor writing the one settings file at the same time, each in a
// process of its own through the real FileRegistry, while a third process reads the file
// over and over: every read parses, no writer's value ever goes back to an older one, each
// save is seen whole, and at the end each writer's last values are all there.

#include "core/app/RegistryHive.h"
#include "core/app/Settings.h"
#include "core/balance/TariffStore.h"
#include "platform/posix/FileRegistry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

namespace domora {
namespace {

constexpr int kWrites = 1000;
// The price editor's advance, above any that domora writes, so that a read tells them apart.
constexpr double kEditorAvans = 1e6;

// domora's part: the options saved into the main key with the warning thresholds at `n`,
// then the advance alone.
void SaveThresholds(FileRegistry& registry, int n) {
    OptionsState state;
    state.money.threshold = state.day.threshold = state.night.threshold = state.evening.threshold =
        std::to_string(n);
    auto key = registry.openKey(RegHive::CurrentUser, kMainKey, false);
    if (!key || !SaveOptions(*key, state).complete) {
        throw RegistryError("the options were not saved");
    }
    key->close();
}

void DomoraWrites(const std::string& file) {
    FileRegistry registry(file);
    for (int n = 1; n <= kWrites; ++n) {
        SaveThresholds(registry, n);
        SaveAdvance(registry, n);
    }
}

// The price editor's part: every price `n` hundredths and every bound n / 100000 of a day.
void EditorWrites(const std::string& file) {
    FileRegistry registry(file);
    for (int n = 1; n <= kWrites; ++n) {
        TariffTables tables;
        tables.avans = kEditorAvans + n;
        for (auto& day : tables.days) {
            day = {double(n), double(n), double(n), n / 1e5, n / 1e5, n / 1e5, n / 1e5, n / 1e5, n / 1e5};
        }
        SaveBalanceSettings(registry, tables);
    }
}

pid_t Fork(void (*work)(const std::string&), const std::string& file) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            work(file);
        } catch (...) {
            std::_Exit(3);
        }
        std::_Exit(0);
    }
    return pid;
}

double DoubleOf(const RegValue& value) {
    double result = 0;
    std::memcpy(&result, value.binary.data(), sizeof result);
    return result;
}

// The one value all of a save's names hold in `hive`; -1 when they differ or one is missing.
double Common(const RegistryHive& hive, const char* key, const std::vector<std::string>& names,
              RegType type) {
    std::set<double> seen;
    for (const std::string& name : names) {
        const auto value = hive.value(RegHive::CurrentUser, key, name);
        if (!value || value->type != type) {
            return -1;
        }
        seen.insert(type == RegType::Dword ? double(value->dword) : DoubleOf(*value));
    }
    return seen.size() == 1 ? *seen.begin() : -1;
}

struct Reading {
    double thresholds = 0, prices = 0, bounds = 0;
};

Reading Read(const RegistryHive& hive) {
    std::vector<std::string> prices = MoneyValueNames();
    prices.erase(prices.begin()); // the advance: both write it
    return {Common(hive, kMainKey, {"LessBucks", "LessDays", "LessToNights", "LessNights", "KOLsmallbuks"},
                   RegType::Dword),
            Common(hive, kMoneyKey, prices, RegType::Binary),
            Common(hive, kTimesKey, TimesValueNames(), RegType::Binary) * 1e5};
}

TEST(SharedSettingsWriters, NoValueIsLostAndTheFileAlwaysParses) {
    test::TempFolder tmp;
    const std::string file = tmp.path("domora/registry.reg");
    {
        FileRegistry registry(file);
        WriteDefaults(registry);
        SaveThresholds(registry, 0);
    }
    const pid_t domora = Fork(DomoraWrites, file);
    const pid_t editor = Fork(EditorWrites, file);
    ASSERT_GT(domora, 0);
    ASSERT_GT(editor, 0);

    // The reader: the file as it stands, without the lock (each write replaces it whole).
    int reads = 0, status = 0;
    Reading last;
    std::set<pid_t> running{domora, editor};
    while (!running.empty()) {
        const auto text = test::ReadFile(file);
        ASSERT_TRUE(text);
        std::string error;
        const auto hive = RegistryHive::parse(*text, &error);
        ASSERT_TRUE(hive) << "read " << reads << ": " << error;
        const Reading now = Read(*hive);
        // Each save whole (-1 otherwise), and never older than one seen before.
        ASSERT_GE(now.thresholds, std::max(last.thresholds, 0.0)) << "read " << reads;
        ASSERT_GE(now.prices, std::max(last.prices, 0.0)) << "read " << reads;
        ASSERT_GE(now.bounds, std::max(last.bounds, 0.0)) << "read " << reads;
        // The bounds are written before the prices of the same save.
        ASSERT_GE(std::round(now.bounds), now.prices) << "read " << reads;
        last = now;
        ++reads;
        std::this_thread::sleep_for(std::chrono::milliseconds(5)); // the writers share the cores
        for (const pid_t pid : std::set<pid_t>(running)) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                    << "writer " << pid << ": " << status;
                running.erase(pid);
            }
        }
    }

    const auto hive = RegistryHive::parse(*test::ReadFile(file));
    ASSERT_TRUE(hive);
    const Reading end = Read(*hive);
    EXPECT_EQ(end.thresholds, kWrites);
    EXPECT_EQ(end.prices, kWrites);
    EXPECT_DOUBLE_EQ(end.bounds, kWrites);
    const auto avans = hive->value(RegHive::CurrentUser, kMoneyKey, "Avans");
    ASSERT_TRUE(avans && avans->type == RegType::Binary);
    EXPECT_TRUE(DoubleOf(*avans) == kWrites || DoubleOf(*avans) == kEditorAvans + kWrites)
        << DoubleOf(*avans);
    FileRegistry registry(file);
    EXPECT_TRUE(TariffsChanged(registry));
    EXPECT_GT(reads, 10);
}

} // namespace
} // namespace domora
