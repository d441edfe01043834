#include "core/holidays/CelebViews.h"

#include "core/base/NumberText.h"

namespace domora {
namespace {

CelebRow RowOf(const CelebRecord& celeb) {
    return {std::to_string(celeb.Month), std::to_string(celeb.Day), celeb.Event, celeb.Comment};
}

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

CelebView MakeCelebView(CelebViewMode mode, const std::vector<CelebRecord>& celebs, const DateTime& today) {
    CelebView view;
    for (const CelebRecord& celeb : celebs) {
        if (Matches(mode, celeb, today)) {
            view.rows.push_back(RowOf(celeb));
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

} // namespace domora
