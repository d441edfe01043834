#include "core/holidays/CelebViews.h"

#include "core/base/NumberText.h"

#include <algorithm>

namespace domora {
namespace {

bool Matches(CelebViewMode mode, const CelebRecord& celeb, const DateTime& today) {
    switch (mode) {
    case CelebViewMode::All:
        return true;
    case CelebViewMode::Today:
        return celeb.Month == today.month && celeb.Day == today.day;
    case CelebViewMode::ThisMonth:
        return celeb.Month == today.month;
    }
    return false;
}

CelebRow NoMatchRow(CelebViewMode mode, const std::vector<CelebRecord>& celebs, const DateTime& today) {
    switch (mode) {
    case CelebViewMode::All:
        break;
    case CelebViewMode::Today:
        return {std::to_string(today.month), std::to_string(today.day), std::string(kNoCelebsToday), ""};
    case CelebViewMode::ThisMonth:
        if (celebs.empty()) {
            return {"", "", std::string(kNoCelebsThisMonth), ""};
        }
        return {std::to_string(celebs.back().Month), std::to_string(celebs.back().Day),
                std::string(kNoCelebsThisMonth), ""};
    }
    return {"", "", std::string(kNoCelebs), ""};
}

} // namespace

CelebRow CelebRowTexts(const CelebRecord& celeb) {
    return {std::to_string(celeb.Month), std::to_string(celeb.Day), celeb.Event, celeb.Comment};
}

CelebView MakeCelebView(CelebViewMode mode, const std::vector<CelebRecord>& celebs, const DateTime& today) {
    CelebView view;
    for (const CelebRecord& celeb : celebs) {
        if (Matches(mode, celeb, today)) {
            view.rows.push_back(CelebRowTexts(celeb));
        }
    }
    view.hasCelebs = !view.rows.empty();
    if (!view.hasCelebs) {
        view.rows.push_back(NoMatchRow(mode, celebs, today));
    }
    return view;
}

CelebView ShowCelebs(const CelebStore& store, CelebViewMode mode, const DateTime& today) {
    CelebList list = store.ReadCelebs();
    if (!list.result) {
        CelebView view;
        view.result = std::move(list.result);
        return view;
    }
    return MakeCelebView(mode, list.celebs, today);
}

CelebView ShowAllCelebs(const CelebStore& store) {
    return ShowCelebs(store, CelebViewMode::All, DateTime{});
}

CelebView ShowMonthCelebs(const CelebStore& store, const DateTime& today) {
    return ShowCelebs(store, CelebViewMode::ThisMonth, today);
}

CelebView ShowTodayCelebs(const CelebStore& store, const DateTime& today) {
    return ShowCelebs(store, CelebViewMode::Today, today);
}

int FindCelebInFullList(const CelebView& full, const CelebRow& selected) {
    const auto month = ParseInt32(selected[0]);
    const auto day = ParseInt32(selected[1]);
    if (!month || !day || !full.hasCelebs) {
        return 0;
    }
    for (std::size_t i = 0; i < full.rows.size(); ++i) {
        const CelebRow& row = full.rows[i];
        if (ParseInt32(row[0]) == month && ParseInt32(row[1]) == day && row[2] == selected[2] &&
            row[3] == selected[3]) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

CelebAddPlace PlaceNewCeleb(CelebViewMode mode, const std::vector<CelebRecord>& celebs, const DateTime& today,
                            int selectedRow) {
    if (mode == CelebViewMode::All) {
        return {selectedRow != 0, selectedRow, 0};
    }
    // This month's holidays in file order: the rows of this month's view.
    std::vector<std::size_t> month;
    for (std::size_t i = 0; i < celebs.size(); ++i) {
        if (celebs[i].Month == today.month) {
            month.push_back(i);
        }
    }
    // The holiday whose date a row of this month's view shows.
    const auto shownBy = [&](std::size_t row) -> const CelebRecord* {
        if (month.empty()) {
            return row == 1 && !celebs.empty() ? &celebs.back() : nullptr;
        }
        return row >= 1 && row <= month.size() ? &celebs[month[row - 1]] : nullptr;
    };
    std::size_t anchorRow = selectedRow < 0 ? 0 : static_cast<std::size_t>(selectedRow);
    if (mode == CelebViewMode::Today) {
        std::size_t found = 0;
        for (std::size_t k = 0; k < month.size() && found == 0; ++k) {
            if (celebs[month[k]].Day >= today.day) {
                found = k + 1;
            }
        }
        if (found == 1) {
            const int before = static_cast<int>(month.front());
            return {true, before, before};
        }
        anchorRow = found > 1 ? found - 1 : std::max<std::size_t>(month.size(), 1);
    }
    if (const CelebRecord* anchor = shownBy(anchorRow)) {
        for (std::size_t i = 0; i < celebs.size(); ++i) {
            if (celebs[i].Month == anchor->Month && celebs[i].Day == anchor->Day) {
                return {true, static_cast<int>(i + 1), static_cast<int>(i + 1)};
            }
        }
    }
    return {true, static_cast<int>(celebs.size()), 0};
}

} // namespace domora
