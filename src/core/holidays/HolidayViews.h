#pragma once

#include "core/base/DateTime.h"
#include "core/holidays/HolidayStore.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

// What the holiday grid shows: 0 every holiday, 1 today's, 2 this month's.
enum class HolidayViewMode { All = 0, Today = 1, ThisMonth = 2 };

// The grid's columns: month, day, event, comment.
using HolidayRow = std::array<std::string, 4>;
inline constexpr std::array<std::string_view, 4> kHolidayHeader = {"Месяц", "День", "Событие", "Коммектарий"};

// The event cell of the row a view shows when nothing matches.
inline constexpr std::string_view kNoHolidaysRow = "Праздников нет/Праздники не записаны";
inline constexpr std::string_view kNoHolidaysThisMonthRow =
    "В этом месяце нет праздников / Праздник не добавлен";
inline constexpr std::string_view kNoHolidaysTodayRow = "Сегодня нет праздников / Праздник не добавлен";

// The rows under the grid's header. When no holiday matches there is one no-match row and
// `hasHolidays` is false ("Изменить..." and "Удалить... " are then disabled).
struct HolidayView {
    HolidayStoreResult result; // on failure no rows and the message of kHolidayFileMissing
    std::vector<HolidayRow> rows;
    bool hasHolidays = false;
};

// The cells of a holiday's row: month, day, event, comment.
HolidayRow HolidayRowTexts(const HolidayRecord& holiday);

// The view of `holidays` (in file order) on `today`. The no-match row carries a
// month and a day that "Добавить..." reads as its anchor: the last holiday's of the file
// in the this-month view (empty cells for an empty file), today's in the today view.
HolidayView MakeHolidayView(HolidayViewMode mode, const std::vector<HolidayRecord>& holidays,
                            const DateTime& today);

// The same, read from the file.
HolidayView ShowHolidays(const HolidayStore& store, HolidayViewMode mode, const DateTime& today);
HolidayView ShowAllHolidays(const HolidayStore& store);
HolidayView ShowMonthHolidays(const HolidayStore& store, const DateTime& today);
HolidayView ShowTodayHolidays(const HolidayStore& store, const DateTime& today);

// The row (1-based, as the grid numbers it under its header) of the full view that shows
// the same holiday as `selected` (a row of a filtered view): the first row whose month and
// day (as whole numbers) and event and comment (exactly) are equal. 0 when there is none,
// also when the selected row's month or day is not a whole number.
int FindHolidayInFullList(const HolidayView& full, const HolidayRow& selected);

// Where "Добавить..." puts a new holiday.
struct HolidayAddPlace {
    bool open = false; // whether the add dialog opens at all
    int after = 0;     // AddCeleb's `after`
    int select = 0;    // the row of the full view to select; 0 leaves the selection
};

// The place of a new holiday added from a view of `holidays` in which row `selectedRow`
// (1-based, 0 for none) is selected. In the full view it goes after the selected holiday
// (and nothing is added without one). In this month's view it goes after the first holiday
// of the file on the selected row's date (the no-match row stands for the file's last
// holiday). In today's view it goes before this month's first holiday in the file when
// that one is on today or later; otherwise after the first holiday of the file on the date
// of this month's last holiday before today's first from today on (this month's last
// holiday when none is on or after today, the file's last when this month has none). A
// date no holiday carries appends it.
HolidayAddPlace PlaceNewHoliday(HolidayViewMode mode, const std::vector<HolidayRecord>& holidays,
                                const DateTime& today, int selectedRow);

} // namespace domora
