#include "HolidayTestSupport.h"

#include "core/app/MemoryRegistry.h"
#include "core/holidays/HolidaySettings.h"
#include "core/holidays/HolidayStore.h"
#include "core/holidays/HolidayViews.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using test::Date2002;

constexpr const char* kPath = "/app/Data/Celeb.DMR";

// Holidays told apart by their event, a number; all on 8 May.
std::vector<HolidayRecord> Numbered(int count) {
    std::vector<HolidayRecord> holidays;
    for (int i = 1; i <= count; ++i) {
        holidays.push_back({5, 8, std::to_string(i), ""});
    }
    return holidays;
}

struct HolidayStoreTest : ::testing::Test {
    HolidayStoreTest() {
        store.addListener([this] { ++refills; });
    }
    void put(const std::vector<HolidayRecord>& holidays) { files.put(kPath, test::HolidayFileOf(holidays)); }
    std::string events() const {
        std::string out;
        for (const auto& holiday : store.ReadCelebs().holidays) {
            if (!out.empty()) {
                out += ' ';
            }
            out += holiday.Event;
        }
        return out;
    }

    MemoryFileStore files;
    HolidayStore store{files, kPath};
    int refills = 0;
};

TEST_F(HolidayStoreTest, AddInsertsAfterItsAnchorAndNeverDropsTheHoliday) {
    struct Row {
        int count;
        int after;
        const char* events;
    };
    const Row rows[] = {
        {0, 0, "new"},       {0, 5, "new"},       {3, 1, "1 new 2 3"},  {3, 3, "1 2 3 new"},
        {3, 0, "new 1 2 3"}, {3, 9, "1 2 3 new"}, {3, -1, "new 1 2 3"},
    };
    for (const Row& row : rows) {
        put(Numbered(row.count));
        ASSERT_TRUE(store.AddCeleb("new", "", row.after, Date2002(5, 8))) << row.count << " " << row.after;
        EXPECT_EQ(events(), row.events) << row.count << " " << row.after;
    }
    EXPECT_EQ(refills, 7);

    // A full file refuses the 1001st holiday and stays as it was, whatever the anchor.
    put(Numbered(1000));
    const std::string before = files.files().at(kPath);
    for (const int after : {0, 1, 1000, 1001}) {
        const HolidayStoreResult full = store.AddCeleb("new", "", after, Date2002(5, 8));
        EXPECT_EQ(full.status, HolidayStoreResult::Status::Full);
        EXPECT_EQ(full.message,
                  "Праздник не добавлен: в файле уже 1000 праздников, больше в нём не помещается.\r\n"
                  "Удалите ненужный праздник или измените один из имеющихся.");
    }
    EXPECT_EQ(files.files().at(kPath), before);
    EXPECT_EQ(refills, 7);
}

TEST_F(HolidayStoreTest, ChangeDeleteClearAndTheirFailures) {
    put(Numbered(4));
    ASSERT_TRUE(store.ChangeCeleb(2, "два", std::string(250, 'c'), Date2002(2, 23)));
    const HolidayRecord changed = store.ReadCelebs().holidays[1];
    EXPECT_EQ((std::vector<int>{changed.Month, changed.Day}), (std::vector<int>{2, 23}));
    EXPECT_EQ(changed.Comment, std::string(200, 'c'));
    ASSERT_TRUE(store.DeleteCeleb(1));
    ASSERT_TRUE(store.DeleteCeleb(3));
    EXPECT_EQ(events(), "два 3");
    EXPECT_EQ(store.ChangeCeleb(3, "x", "", Date2002(1, 1)).status, HolidayStoreResult::Status::NoSuchRecord);
    EXPECT_EQ(store.DeleteCeleb(0).status, HolidayStoreResult::Status::NoSuchRecord);
    EXPECT_EQ(events(), "два 3");
    EXPECT_EQ(refills, 3);

    files.remove(kPath);
    EXPECT_EQ(store.CountCelebs().result.message, "Ошибка!\r\nФайл \"Data\\Celeb.dmr\" не найден");
    EXPECT_EQ(store.ChangeCeleb(1, "x", "", 0).message, "Ошибка!\r\nФайл \"Data\\Celeb.dmr\" не найден");
    EXPECT_EQ(store.AddCeleb("x", "", 0, 0).message, "Ошибка!\r\nФайл /app/Data/Celeb.DMR не найден");
    EXPECT_EQ(store.DeleteCeleb(1).status, HolidayStoreResult::Status::IoError);
    EXPECT_FALSE(store.CelebFileExists());
    ASSERT_TRUE(store.ClearCelebs());
    EXPECT_EQ(files.files().at(kPath), "");
    files.setWritesFail(true);
    EXPECT_EQ(store.ClearCelebs().message, "Ошибка!\r\nФайл /app/Data/Celeb.DMR не найден");
}

TEST(HolidayDates, DayAndMonthComeFromTheDateValue) {
    EXPECT_EQ(DayMonthOfDate(OleDateOnly(2004, 2, 29) + 0.99), (DayMonth{29, 2}));
    EXPECT_EQ(DayMonthOfDate(OleDateOnly(2002, 12, 31)), (DayMonth{31, 12}));
    EXPECT_EQ(DayMonthOfDate(OleDateOnly(1850, 1, 2) - 0.25), (DayMonth{2, 1}));
}

TEST_F(HolidayStoreTest, ViewsAndTheirNoMatchRows) {
    const DateTime may8{2002, 5, 8};
    // An empty file.
    put({});
    HolidayView all = ShowAllHolidays(store);
    EXPECT_FALSE(all.hasHolidays);
    EXPECT_EQ(ShowMonthHolidays(store, may8).rows,
              (std::vector<HolidayRow>{{"", "", std::string(kNoHolidaysThisMonthRow), ""}}));
    EXPECT_EQ(ShowTodayHolidays(store, may8).rows,
              (std::vector<HolidayRow>{{"5", "8", std::string(kNoHolidaysTodayRow), ""}}));

    // No match this month: the no-match row carries the last holiday's month and day.
    put({{5, 9, "Победа", "x"}, {1, 7, "Рождество", ""}});
    const HolidayView june = ShowMonthHolidays(store, DateTime{2002, 6, 1});
    EXPECT_FALSE(june.hasHolidays);
    EXPECT_EQ(june.rows, (std::vector<HolidayRow>{{"1", "7", std::string(kNoHolidaysThisMonthRow), ""}}));

    // The only match of the month is the last record.
    put({{1, 1, "Новый год", ""}, {3, 8, "8 Марта", ""}, {5, 1, "Первомай", "мир"}});
    const HolidayView may = ShowMonthHolidays(store, may8);
    EXPECT_TRUE(may.hasHolidays);
    EXPECT_EQ(may.rows, (std::vector<HolidayRow>{{"5", "1", "Первомай", "мир"}}));

    // 29 February matches only 29 February.
    put({{2, 28, "a", ""}, {2, 29, "b", ""}, {3, 1, "c", ""}, {2, 29, "d", ""}, {29, 2, "e", ""}});
    const HolidayView leap = ShowTodayHolidays(store, DateTime{2004, 2, 29});
    EXPECT_EQ(leap.rows, (std::vector<HolidayRow>{{"2", "29", "b", ""}, {"2", "29", "d", ""}}));

    files.remove(kPath);
    all = ShowAllHolidays(store);
    EXPECT_TRUE(all.rows.empty());
    EXPECT_EQ(all.result.message, std::string(kHolidayFileMissing));
}

TEST_F(HolidayStoreTest, LookupFromAFilteredViewChoosesTheFirstEqualHoliday) {
    put({{5, 1, "Первомай", ""},
         {5, 9, "Победа", "парад"},
         {5, 9, "Победа", "Парад"},
         {5, 9, "Победа", "парад"}});
    const HolidayView may = ShowMonthHolidays(store, DateTime{2002, 5, 20});
    const HolidayView all = ShowAllHolidays(store);
    EXPECT_EQ(FindHolidayInFullList(all, may.rows[3]), 2);
    EXPECT_EQ(FindHolidayInFullList(all, may.rows[2]), 3);
    EXPECT_EQ(FindHolidayInFullList(all, {"05", " 9", "Победа", "Парад"}), 3); // month and day as numbers
    EXPECT_EQ(FindHolidayInFullList(all, {"5", "9", "победа", "парад"}), 0);
    EXPECT_EQ(FindHolidayInFullList(all, {"", "", std::string(kNoHolidaysThisMonthRow), ""}), 0);
    put({});
    EXPECT_EQ(FindHolidayInFullList(ShowAllHolidays(store), {"", "", std::string(kNoHolidaysRow), ""}), 0);
}

TEST(PlaceNewHoliday, FromEveryView) {
    const auto holidays = [](std::initializer_list<std::pair<int, int>> dates) {
        std::vector<HolidayRecord> out;
        for (const auto& [month, day] : dates) {
            out.push_back(HolidayRecord{month, day, "e", "c"});
        }
        return out;
    };
    const auto year = holidays({{1, 1}, {1, 7}, {3, 8}, {5, 1}, {5, 9}});
    const auto mayFirstTwice = holidays({{5, 1}, {1, 1}, {5, 1}});
    const auto may7Twice = holidays({{1, 1}, {5, 7}, {5, 7}});
    struct Case {
        const char* what;
        std::vector<HolidayRecord> file;
        HolidayViewMode mode;
        DateTime today;
        int selected;
        bool open;
        int after;
    };
    using Mode = HolidayViewMode;
    const Case cases[] = {
        {"full view: after the selected", year, Mode::All, {2027, 5, 5}, 2, true, 2},
        {"full view: nothing selected", year, Mode::All, {2027, 5, 5}, 0, false, 0},
        {"month: after the selected's date", year, Mode::ThisMonth, {2027, 5, 5}, 1, true, 4},
        {"month: the first holiday on that date", mayFirstTwice, Mode::ThisMonth, {2027, 5, 5}, 2, true, 1},
        {"month: nothing selected appends", year, Mode::ThisMonth, {2027, 5, 5}, 0, true, 5},
        {"month: empty file", {}, Mode::ThisMonth, {2027, 5, 5}, 1, true, 0},
        {"today: after the one before today's first", year, Mode::Today, {2027, 5, 5}, 0, true, 4},
        {"today: the month's first from today goes first", year, Mode::Today, {2027, 1, 1}, 0, true, 0},
        {"today: before the first of two on one day", may7Twice, Mode::Today, {2027, 5, 3}, 0, true, 1},
        {"today: after the month's last", year, Mode::Today, {2027, 5, 20}, 0, true, 5},
        {"today: a month without holidays", year, Mode::Today, {2027, 6, 15}, 0, true, 5},
        {"today: empty file", {}, Mode::Today, {2027, 5, 5}, 0, true, 0},
    };
    for (const Case& c : cases) {
        const HolidayAddPlace place = PlaceNewHoliday(c.mode, c.file, c.today, c.selected);
        EXPECT_EQ(place.open, c.open) << c.what;
        EXPECT_EQ(place.after, c.after) << c.what;
    }
}

TEST(HolidaySettings, DaysAheadAndTheRegistryValues) {
    for (const auto& [text, days] :
         std::vector<std::pair<std::string, std::optional<int>>>{{" 30 ", 30},
                                                                 {"", std::nullopt},
                                                                 {"2,5", std::nullopt},
                                                                 {"-1", std::nullopt},
                                                                 {"99999999999", std::nullopt}}) {
        EXPECT_EQ(ParseDaysAhead(text), days) << text;
    }
    MemoryRegistry registry;
    EXPECT_FALSE(LoadHolidaySettings(registry).Celebr.has_value());
    EXPECT_FALSE(SaveHolidaySettings(registry, true, "abc"));
    HolidaySettings loaded = LoadHolidaySettings(registry);
    EXPECT_EQ(loaded.Celebr, true);
    EXPECT_FALSE(loaded.Kolich.has_value());
    EXPECT_TRUE(SaveHolidaySettings(registry, false, "20"));
    loaded = LoadHolidaySettings(registry);
    EXPECT_EQ(loaded.Celebr, false);
    EXPECT_EQ(loaded.Kolich, 20);
}

} // namespace
} // namespace domora
