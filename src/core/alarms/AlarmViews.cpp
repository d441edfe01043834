#include "core/alarms/AlarmViews.h"

#include "core/alarms/Recurrence.h"
#include "core/app/TimeText.h"
#include "core/base/Cp1251.h"
#include "core/base/OleDate.h"
#include "core/base/Text.h"

#include <algorithm>

namespace domora {
namespace {

constexpr std::string_view kFileNotFound = "Файл не найден!";

// The file name of a path: what follows its last folder separator or drive colon.
std::string FileNamePart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FileColumn(const std::string& path, FileStore& files) {
    return files.exists(path) ? FileNamePart(path) : std::string(kFileNotFound);
}

} // namespace

AlarmRow AlarmRowTexts(int number, const AlarmRecord& record, FileStore& files) {
    AlarmRow row;
    row[0] = std::to_string(number);
    row[1] = std::to_string(record.Hour) + ":" + std::to_string(record.Minute);
    if (record.UseDate) {
        row[2] = FormatShortDate(OleToDateTime(record.AlarmDate));
    }
    row[3] = FileColumn(record.TextMessage ? record.TextFile : record.PictureFile, files);
    if (!record.UseDate) {
        const bool byWeekdays = record.Recurrence.empty() || record.Recurrence == kRecurrenceAlways;
        row[4] = byWeekdays ? WeekdayList(record) : record.Recurrence;
    }
    row[5] = record.Repeat;
    // Only one sound flag is set by the editor; with more than one the last one named wins.
    if (record.BuiltinSound) {
        row[6] = record.BuiltinName;
    }
    if (record.Mp3Sound) {
        row[6] = FileColumn(record.Mp3File, files);
    }
    if (record.WavSound) {
        row[6] = FileColumn(record.WavFile, files);
    }
    if (record.NoSound) {
        row[6] = "Нет";
    }
    return row;
}

std::string MelodyFile(const AppPaths& paths, std::string_view name) {
    const std::string melody = TrimmedLower(name);
    if (melody == "бип-бип") {
        return paths.BipBipWav;
    }
    if (melody == "звонок") {
        return paths.JinWav;
    }
    if (melody == "кукушка") {
        return paths.KuKuWav;
    }
    return {};
}

std::string TypedTextPath(const std::string& appDir, const std::vector<AlarmRecord>& alarms, int number,
                          int changing) {
    const char separator = appDir.empty() ? '/' : appDir.back();
    const std::string folder = appDir + "Temp" + separator;
    for (int candidate = number < 0 ? 0 : number;; ++candidate) {
        const std::string path = folder + "File" + std::to_string(candidate) + ".txt";
        bool taken = false;
        for (std::size_t i = 0; i < alarms.size() && !taken; ++i) {
            taken = static_cast<int>(i + 1) != changing && SameFolded(alarms[i].TextFile, path);
        }
        if (!taken) {
            return path;
        }
    }
}

bool EncodeTypedText(std::string_view utf8, std::string& bytes, char32_t* firstBad) {
    std::string lines;
    while (!utf8.empty()) {
        const std::size_t end = std::min(utf8.find('\n'), utf8.size());
        lines.append(utf8.substr(0, end));
        lines.append("\r\n");
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
    }
    return Utf8ToCp1251(lines, bytes, firstBad);
}

bool WriteTypedText(FileStore& files, const std::string& path, std::string_view bytes, std::string* error) {
    if (files.writeAtomic(path, bytes)) {
        return true;
    }
    const std::size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos) {
        files.makeFolder(path.substr(0, cut));
    }
    return files.writeAtomic(path, bytes, error);
}

} // namespace domora
