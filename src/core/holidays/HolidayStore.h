#pragma once

#include "core/base/FileStore.h"
#include "core/base/RecordStore.h"
#include "core/holidays/HolidayRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace domora {

// The text of the error box when the holiday file cannot be read for counting, changing or
// a view (and for the event line).
inline constexpr std::string_view kHolidayFileMissing = "Ошибка!\r\nФайл \"Data\\Celeb.dmr\" не найден";

using HolidayStoreResult = StoreResult;

struct HolidayCount {
    HolidayStoreResult result;
    int count = 0;
};

struct HolidayList {
    HolidayStoreResult result;
    std::vector<HolidayRecord> holidays;
};

struct DayMonth {
    int day = 0;
    int month = 0;
    friend bool operator==(const DayMonth&, const DayMonth&) = default;
};

// The day and month of an OLE date-time value, taken from the value itself (whatever the
// system's short date format); a value that is not a date gives 30.12 (day 0).
DayMonth DayMonthOfDate(double oleDate);

// The holiday file: holidays numbered from 1 in the user's order, at most 1000; the store
// never sorts. Every operation reads the file anew; every change rewrites it whole and
// atomically (the old file or the new one survives a crash) and then tells the listeners.
// Texts are cut to 200 characters.
class HolidayStore : public RecordStore {
public:
    HolidayStore(FileStore& files, std::string path);

    bool CelebFileExists() const { return fileExists(); }

    // Inserts a holiday on the date's day and month right after holiday number `after`.
    // An empty file gets it as its only holiday, whatever `after` is; otherwise `after` 0
    // (or less) puts it first and `after` at or past the count appends it, so the new
    // holiday is never dropped. Refused when the file holds 1000 holidays.
    HolidayStoreResult AddCeleb(const std::string& event, const std::string& comment, int after, double date);
    // Replaces holiday `index` with the date's day and month and the texts.
    HolidayStoreResult ChangeCeleb(int index, const std::string& event, const std::string& comment,
                                   double date);
    // Removes holiday `index`; the holidays after it move up by one.
    HolidayStoreResult DeleteCeleb(int index);
    // Empties the file, creating it when it is missing.
    HolidayStoreResult ClearCelebs();

    HolidayCount CountCelebs() const;
    HolidayList ReadCelebs() const;

private:
    HolidayStoreResult missingWithPath() const;
    HolidayStoreResult noSuchHoliday(int index) const;
};

} // namespace domora
