#include "core/balance/BalanceAccount.h"
#include "core/app/MemoryRegistry.h"
#include "core/balance/TariffStore.h"
#include "core/balance/Tariffs.h"
#include "core/base/OleDate.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

double At(int hour, int minute = 0, int second = 0) {
    return OleTimeOfDay(hour, minute, second);
}

// Monday 7 December 2026 at the time given.
DateTime Monday(int hour, int minute = 0, int second = 0) {
    return DateTime{2026, 12, 7, 2, hour, minute, second, 0};
}

// Every day: day 08:00-18:00, evening 18:00-23:00, night 23:00-07:00 at the prices given.
TariffTables Tables(double avans, double dayPrice, double eveningPrice, double nightPrice) {
    TariffTables tables;
    tables.avans = avans;
    for (TariffTables::Day& day : tables.days) {
        day = {dayPrice, eveningPrice, nightPrice, At(8), At(18), At(18), At(23), At(23), At(7)};
    }
    return tables;
}

constexpr std::uint32_t kMinute = 60000;

TEST(Tariffs, PriceOfThePeriodInForce) {
    const TariffTables tables = Tables(0, 100, 200, 300);
    const struct {
        int hour, minute, second;
        double price;
    } cases[] = {
        {23, 30, 0, 300}, {6, 59, 59, 300},  {7, 0, 0, 0}, // the night runs over midnight
        {18, 0, 0, 200},  {17, 59, 59, 100}, {8, 0, 0, 100}, {7, 59, 59, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PriceNow(tables, 1, SecondsOfDay(At(c.hour, c.minute, c.second))), c.price)
            << c.hour << ":" << c.minute << ":" << c.second;
    }
    // A period whose bounds are equal holds nothing; the default tables price nothing.
    EXPECT_FALSE(IsInPeriod(0, 0, 0));
    EXPECT_EQ(PriceNow(TariffTables{}, 3, 12 * 3600), 0);
}

TEST(Tariffs, Durations) {
    EXPECT_EQ(DurationText(30 * kMinute + 999), "00:30:00");
    EXPECT_EQ(DurationText(25 * 60 * kMinute + 61000), "25:01:01");
    EXPECT_EQ(ParseDuration("25:01:01"), 25 * 3600 + 61);
    EXPECT_EQ(ParseDuration(" 0:00:05 "), 5);
    for (const char* bad : {"", "1:60:00", "1:00", "a:00:00", "1::00", "1:00:00:00"}) {
        EXPECT_FALSE(ParseDuration(bad)) << bad;
    }
    EXPECT_EQ(DurationOfStored(StoredDuration(25 * 3600 + 61)), "25:01:01");
    EXPECT_EQ(DurationOfStored(-1), "00:00:00");
}

class BalanceAccountTest : public ::testing::Test {
protected:
    BalanceAccount account;
    BalanceWarnings warnings;

    BalanceAccount::Step poll(ConnectionKind kind, std::uint32_t tick, const DateTime& local = Monday(12)) {
        return account.poll(kind, tick, local, warnings);
    }
};

TEST_F(BalanceAccountTest, DefaultTablesMoveNothing) {
    warnings.day = {true, "23"};
    account.load(TariffTables{}, "00:00:00", "0,00");
    EXPECT_TRUE(poll(ConnectionKind::Proxy, 0).sessionStarted);
    const BalanceAccount::Step step = poll(ConnectionKind::Proxy, 90 * kMinute);
    EXPECT_TRUE(step.warnings.empty());
    EXPECT_EQ(account.display(), (BalanceDisplay{"0", "0", "01:30:00", "0"}));
}

// Five dollars at 1.20 an hour for half an hour; the session ends with the balance shown
// as the new advance, and its duration and cost stay shown.
TEST_F(BalanceAccountTest, SessionIsPricedAndEndsInTheAdvance) {
    account.load(Tables(500, 120, 120, 120), "00:00:00", "0,00");
    EXPECT_FALSE(poll(ConnectionKind::None, 1000).sessionStarted);
    EXPECT_EQ(account.display().hourPrice, "1,2");

    const std::uint32_t start = 5000;
    const BalanceAccount::Step first = poll(ConnectionKind::DialUp, start);
    EXPECT_TRUE(first.sessionStarted);
    EXPECT_FALSE(poll(ConnectionKind::DialUp, start + 500).sessionStarted);
    poll(ConnectionKind::DialUp, start + 30 * kMinute);
    EXPECT_EQ(account.display(), (BalanceDisplay{"4,4", "1,2", "00:30:00", "0,6"}));
    EXPECT_EQ(account.advance(), 500);

    EXPECT_TRUE(poll(ConnectionKind::None, start + 30 * kMinute + 500).sessionEnded);
    EXPECT_DOUBLE_EQ(account.advance(), 440);
    EXPECT_EQ(account.display().duration, "00:30:00");
    EXPECT_EQ(account.display().cost, "0,6");
    EXPECT_FALSE(poll(ConnectionKind::None, start + 31 * kMinute).sessionEnded);
}

// A connection seen by no poll starts nothing; the tick counter wrapping mid-session and a
// session past a day are timed right; the balance stops at 0.
TEST_F(BalanceAccountTest, TicksAndLongSessions) {
    account.load(Tables(10000, 100, 100, 100), "00:00:00", "0,00");
    poll(ConnectionKind::None, 0);
    poll(ConnectionKind::None, 500); // a connection came and went between these polls
    EXPECT_FALSE(account.online());

    const std::uint32_t beforeWrap = 0xFFFFFFFFU - 1000;
    poll(ConnectionKind::Proxy, beforeWrap);
    poll(ConnectionKind::Proxy, beforeWrap + 61001); // wraps
    EXPECT_EQ(account.display().duration, "00:01:01");

    poll(ConnectionKind::Proxy, beforeWrap + 25 * 60 * kMinute);
    EXPECT_EQ(account.display().duration, "25:00:00");
    EXPECT_EQ(account.display().cost, "25");
    EXPECT_EQ(account.display().balance, "75");

    poll(ConnectionKind::Proxy, beforeWrap + 101 * 60 * kMinute);
    EXPECT_EQ(account.display().balance, "0");
}

// The money warning once until the page is saved; the hours warnings for the periods of the
// day in order, stopping at the first without a price (Sunday's day price is 0).
TEST_F(BalanceAccountTest, WarningsOnceEach) {
    TariffTables tables = Tables(100, 100, 100, 100);
    tables.days[6].dayPrice = 0;
    account.load(tables, "00:00:00", "0,00");
    warnings = {{true, "1"}, {true, "1"}, {true, "1"}, {true, "1"}};
    const BalanceAccount::Step first = poll(ConnectionKind::Proxy, 0);
    EXPECT_EQ(first.warnings, (std::vector<std::string>{
                                  "У Вас аванс за Интернет составляет меньше чем $1.",
                                  "У Вас дневных часов за Интернет меньше чем 1 часа.",
                                  "У Вас вечерних часов за Интернет меньше чем 1 часа.",
                                  "У Вас ночных часов за Интернет меньше чем 1 часа.",
                              }));
    EXPECT_TRUE(poll(ConnectionKind::Proxy, 500).warnings.empty());
    account.clearWarnings();
    EXPECT_EQ(poll(ConnectionKind::Proxy, 1000).warnings.size(), 4U);

    account.clearWarnings();
    warnings.money.on = false;
    warnings.evening.threshold = "24"; // out of range: never a warning, never a failure
    const DateTime sunday{2026, 12, 13, 1, 12, 0, 0, 0};
    EXPECT_TRUE(account.poll(ConnectionKind::Proxy, 1500, sunday, warnings).warnings.empty());
    EXPECT_EQ(poll(ConnectionKind::Proxy, 2000).warnings,
              (std::vector<std::string>{"У Вас дневных часов за Интернет меньше чем 1 часа.",
                                        "У Вас ночных часов за Интернет меньше чем 1 часа."}));
}

// New tables from the price editor: offline the balance shows the new advance at once;
// online the next poll takes the running cost from it.
TEST_F(BalanceAccountTest, ReloadedTables) {
    account.load(Tables(500, 120, 120, 120), "00:00:00", "0,00");
    account.reload(Tables(1000, 120, 120, 120));
    EXPECT_EQ(account.display().balance, "10");
    poll(ConnectionKind::Proxy, 0);
    poll(ConnectionKind::Proxy, 30 * kMinute);
    account.reload(Tables(2000, 120, 120, 120));
    EXPECT_EQ(account.display().balance, "9,4");
    poll(ConnectionKind::Proxy, 30 * kMinute + 500);
    EXPECT_EQ(account.display().balance, "19,4");
}

// Damaged or missing values are replaced by 0 and named once; the editor's save is read
// back as it was written, with the change signal.
TEST(TariffStore, RepairsAndRoundTrips) {
    MemoryRegistry registry;
    auto money = registry.openKey(RegHive::CurrentUser, kMoneyKey, true);
    money->writeString("3_Night", "дёшево");
    money->writeDouble("Avans", 1234);
    money->close();
    TariffTables tables;
    std::vector<std::string> replaced;
    ASSERT_TRUE(LoadBalanceSettings(registry, tables, &replaced));
    EXPECT_EQ(tables.avans, 1234);
    EXPECT_EQ(replaced.size(), 63U); // all but the advance
    EXPECT_NE(std::find(replaced.begin(), replaced.end(), "3_Night"), replaced.end());
    replaced.clear();
    ASSERT_TRUE(LoadBalanceSettings(registry, tables, &replaced));
    EXPECT_TRUE(replaced.empty());
    EXPECT_FALSE(TariffsChanged(registry));

    const TariffTables written = Tables(777, 1, 2, 3);
    SaveBalanceSettings(registry, written);
    EXPECT_TRUE(TariffsChanged(registry));
    ASSERT_TRUE(LoadBalanceSettings(registry, tables));
    EXPECT_EQ(tables.avans, 777);
    EXPECT_EQ(tables.days[6].nightFrom, At(23));
    EXPECT_EQ(tables.days[0].eveningPrice, 2);
    ClearTariffsChanged(registry);
    EXPECT_FALSE(TariffsChanged(registry));
}

} // namespace
} // namespace domora
