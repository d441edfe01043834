#pragma once

#include "core/app/AppPaths.h"
#include "core/app/ProgramStarter.h"
#include "core/base/Clock.h"
#include "core/base/DateTime.h"
#include "core/base/FileStore.h"
#include "core/holidays/HolidayStore.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace domora {

// What one reminder pass did.
struct HolidayReminderResult {
    std::vector<int> reminded; // the numbers of the holidays reminded now, in file order
    bool started = false;      // the note program was asked to start
    std::string error;         // why the note's text file could not be written (then no start)
};

// The advance reminder: every 10 seconds (while its checkbox is ticked) it looks for the
// holidays on the day `daysAhead` days from now and hands those not reminded yet to the
// note program, once for all of them. CelebReminded keeps one flag per file position
// (1000); the alarm scheduler's 00:00 pass clears them. Holidays beyond position 1000 of a
// file written elsewhere have no flag and are never reminded.
class HolidayReminder {
public:
    static constexpr std::string_view kNoteProgram = "Notebox.exe";
    static constexpr std::string_view kNoteFile = "Tmp_Celeb.txt";
    static constexpr std::string_view kHeading = "Сообщение о наступлении праздника";

    HolidayReminder(const HolidayStore& store, FileStore& files, const Clock& clock, SharedFlags& flags,
                    ProgramStarter& starter, AppPaths paths);

    // One pass. Nothing when the holiday file is missing or cannot be read. The text goes
    // to AppDir + "Tmp_Celeb.txt" (code page 1251, CR LF) and the note program gets
    // "1", the short path of the timer sound, the short path of that file and the numbers
    // joined by ",". A holiday counts as reminded once it is due, whether or not the note
    // program starts.
    HolidayReminderResult RemindPass(int daysAhead);

    // The path of the note's text file.
    std::string NoteFilePath() const;

    // The sound the note plays: the countdown's sound, which the user may change.
    void setTimerWav(std::string path) { paths_.TimerWav = std::move(path); }

private:
    const HolidayStore& store_;
    FileStore& files_;
    const Clock& clock_;
    SharedFlags& flags_;
    ProgramStarter& starter_;
    AppPaths paths_;
};

// The date `daysAhead` days after `now`.
DateTime HolidayTargetDate(const DateTime& now, int daysAhead);

// The note's five lines of one holiday: "День: ", "Месяц: ", "Название праздника: ",
// "Комментарий: " and an empty line.
std::vector<std::string> HolidayNoteBlock(const HolidayRecord& holiday);

// Lines as a file: each ended by CR LF, in code page 1251.
std::string HolidayNoteFileBytes(const std::vector<std::string>& lines);

} // namespace domora
