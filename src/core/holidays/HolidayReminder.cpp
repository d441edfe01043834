#include "core/holidays/HolidayReminder.h"

#include "core/base/Cp1251.h"
#include "core/base/OleDate.h"

#include <algorithm>
#include <utility>

namespace domora {

DateTime HolidayTargetDate(const DateTime& now, int daysAhead) {
    return AddMilliseconds(now, static_cast<std::int64_t>(daysAhead) * 86'400'000);
}

std::vector<std::string> HolidayNoteBlock(const HolidayRecord& holiday) {
    return {"День: " + std::to_string(holiday.Day), "Месяц: " + std::to_string(holiday.Month),
            "Название праздника: " + holiday.Event, "Комментарий: " + holiday.Comment, ""};
}

std::string HolidayNoteFileBytes(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return Utf8ToCp1251Lossy(text);
}

HolidayReminder::HolidayReminder(const HolidayStore& store, FileStore& files, const Clock& clock,
                                 SharedFlags& flags, ProgramStarter& starter, AppPaths paths)
    : store_(store), files_(files), clock_(clock), flags_(flags), starter_(starter),
      paths_(std::move(paths)) {}

std::string HolidayReminder::NoteFilePath() const {
    return paths_.AppDir + std::string(kNoteFile);
}

HolidayReminderResult HolidayReminder::RemindPass(int daysAhead) {
    HolidayReminderResult result;
    if (!store_.CelebFileExists()) {
        return result;
    }
    const HolidayList list = store_.ReadCelebs();
    if (!list.result) {
        return result;
    }
    const DateTime target = HolidayTargetDate(clock_.localNow(), daysAhead);
    std::vector<std::string> lines{std::string(kHeading)};
    std::string numbers;
    const std::size_t flagged = std::min(list.holidays.size(), flags_.CelebReminded.size());
    for (std::size_t i = 0; i < flagged; ++i) {
        const HolidayRecord& holiday = list.holidays[i];
        if (flags_.CelebReminded[i] != 0 || holiday.Month != target.month || holiday.Day != target.day) {
            continue;
        }
        flags_.CelebReminded[i] = 1;
        const std::vector<std::string> block = HolidayNoteBlock(holiday);
        lines.insert(lines.end(), block.begin(), block.end());
        const int n = static_cast<int>(i + 1);
        result.reminded.push_back(n);
        if (!numbers.empty()) {
            numbers += ',';
        }
        numbers += std::to_string(n);
    }
    if (result.reminded.empty()) {
        return result;
    }
    const std::string notePath = NoteFilePath();
    if (!files_.writeAtomic(notePath, HolidayNoteFileBytes(lines), &result.error)) {
        return result;
    }
    // Whether the note program started is not examined.
    starter_.startProgram(
        std::string(kNoteProgram),
        {"1", starter_.shortPathOf(paths_.TimerWav), starter_.shortPathOf(notePath), numbers}, paths_.AppDir);
    result.started = true;
    return result;
}

} // namespace domora
