#include "core/holidays/HolidayViews.h"

#include "core/base/NumberText.h"

#include <algorithm>

namespace domora {
namespace {

bool Matches(HolidayViewMode mode, const HolidayRecord& holiday, const DateTime& today) {
    switch (mode) {
    case HolidayViewMode::All:
        return true;
    case HolidayViewMode::Today:
        return holiday.Month == today.month && holiday.Day == today.day;
    case HolidayViewMode::ThisMonth:
        return holiday.Month == today.month;
    }
    return false;
}

HolidayRow NoMatchRow(HolidayViewMode mode, const std::vector<HolidayRecord>& holidays,
                      const DateTime& today) {
    switch (mode) {
    case HolidayViewMode::All:
        break;
    case HolidayViewMode::Today:
        return {std::to_string(today.month), std::to_string(today.day), std::string(kNoHolidaysTodayRow), ""};
    case HolidayViewMode::ThisMonth:
        if (holidays.empty()) {
            return {"", "", std::string(kNoHolidaysThisMonthRow), ""};
        }
        return {std::to_string(holidays.back().Month), std::to_string(holidays.back().Day),
                std::string(kNoHolidaysThisMonthRow), ""};
    }
    return {"", "", std::string(kNoHolidaysRow), ""};
}

} // namespace

HolidayRow HolidayRowTexts(const HolidayRecord& holiday) {
    return {std::to_string(holiday.Month), std::to_string(holiday.Day), holiday.Event, holiday.Comment};
}

HolidayView MakeHolidayView(HolidayViewMode mode, const std::vector<HolidayRecord>& holidays,
                            const DateTime& today) {
    HolidayView view;
    for (const HolidayRecord& holiday : holidays) {
        if (Matches(mode, holiday, today)) {
            view.rows.push_back(HolidayRowTexts(holiday));
        }
    }
    view.hasHolidays = !view.rows.empty();
    if (!view.hasHolidays) {
        view.rows.push_back(NoMatchRow(mode, holidays, today));
    }
    return view;
}

HolidayView ShowHolidays(const HolidayStore& store, HolidayViewMode mode, const DateTime& today) {
    HolidayList list = store.ReadCelebs();
    if (!list.result) {
        HolidayView view;
        view.result = std::move(list.result);
        return view;
    }
    return MakeHolidayView(mode, list.holidays, today);
}

HolidayView ShowAllHolidays(const HolidayStore& store) {
    return ShowHolidays(store, HolidayViewMode::All, DateTime{});
}

HolidayView ShowMonthHolidays(const HolidayStore& store, const DateTime& today) {
    return ShowHolidays(store, HolidayViewMode::ThisMonth, today);
}

HolidayView ShowTodayHolidays(const HolidayStore& store, const DateTime& today) {
    return ShowHolidays(store, HolidayViewMode::Today, today);
}

int FindHolidayInFullList(const HolidayView& full, const HolidayRow& selected) {
    const auto month = ParseInt32(selected[0]);
    const auto day = ParseInt32(selected[1]);
    if (!month || !day || !full.hasHolidays) {
        return 0;
    }
    for (std::size_t i = 0; i < full.rows.size(); ++i) {
        const HolidayRow& row = full.rows[i];
        if (ParseInt32(row[0]) == month && ParseInt32(row[1]) == day && row[2] == selected[2] &&
            row[3] == selected[3]) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

HolidayAddPlace PlaceNewHoliday(HolidayViewMode mode, const std::vector<HolidayRecord>& holidays,
                                const DateTime& today, int selectedRow) {
    if (mode == HolidayViewMode::All) {
        return {selectedRow != 0, selectedRow, 0};
    }
    // This month's holidays in file order: the rows of this month's view.
    std::vector<std::size_t> month;
    for (std::size_t i = 0; i < holidays.size(); ++i) {
        if (holidays[i].Month == today.month) {
            month.push_back(i);
        }
    }
    // The holiday whose date a row of this month's view shows.
    const auto shownBy = [&](std::size_t row) -> const HolidayRecord* {
        if (month.empty()) {
            return row == 1 && !holidays.empty() ? &holidays.back() : nullptr;
        }
        return row >= 1 && row <= month.size() ? &holidays[month[row - 1]] : nullptr;
    };
    std::size_t anchorRow = selectedRow < 0 ? 0 : static_cast<std::size_t>(selectedRow);
    if (mode == HolidayViewMode::Today) {
        std::size_t found = 0;
        for (std::size_t k = 0; k < month.size() && found == 0; ++k) {
            if (holidays[month[k]].Day >= today.day) {
                found = k + 1;
            }
        }
        if (found == 1) {
            const int before = static_cast<int>(month.front());
            return {true, before, before};
        }
        anchorRow = found > 1 ? found - 1 : std::max<std::size_t>(month.size(), 1);
    }
    if (const HolidayRecord* anchor = shownBy(anchorRow)) {
        for (std::size_t i = 0; i < holidays.size(); ++i) {
            if (holidays[i].Month == anchor->Month && holidays[i].Day == anchor->Day) {
                return {true, static_cast<int>(i + 1), static_cast<int>(i + 1)};
            }
        }
    }
    return {true, static_cast<int>(holidays.size()), 0};
}

} // namespace domora
