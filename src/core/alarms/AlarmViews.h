#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/app/AppPaths.h"
#include "core/base/FileStore.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

// The alarm list's columns: number, time, date, message, day, repeat, sound.
using AlarmRow = std::array<std::string, 7>;

// The texts of alarm `number`'s row. A message or sound file shows its name without the
// folder, or "Файл не найден!" when it does not exist; the day column shows the weekday
// flags for an alarm that goes by them, else its recurrence, and nothing for a dated alarm.
AlarmRow AlarmRowTexts(int number, const AlarmRecord& record, FileStore& files);

// The sound file of a built-in melody; the name is compared without blanks at its ends and
// without regard to letter case. Empty for a name that is no melody.
std::string MelodyFile(const AppPaths& paths, std::string_view name);

// The file for an alarm's typed text: "Temp/File<number>.txt" in the program's folder,
// unless another alarm's text file has that name (letter case aside); then the next number
// no other alarm uses. `changing` is the number of the alarm whose text it is (0 for a new
// alarm).
std::string TypedTextPath(const std::string& appDir, const std::vector<AlarmRecord>& alarms, int number,
                          int changing);

// The typed text as its file holds it: code page 1251, every line ended by CR LF (an empty
// last line dropped). False for a character the code page lacks; `firstBad` (when given)
// then receives it.
bool EncodeTypedText(std::string_view utf8, std::string& bytes, char32_t* firstBad = nullptr);

// Writes the typed text's file, making its folder first when the write fails (the folder
// is missing); `error` (when given) says in Russian why it could not be written.
bool WriteTypedText(FileStore& files, const std::string& path, std::string_view bytes,
                    std::string* error = nullptr);

} // namespace domora
