#include "core/tasks/TaskViews.h"

#include "core/app/TimeText.h"
#include "core/base/OleDate.h"
#include "core/tasks/TaskPresets.h"

namespace domora {

TaskRow TaskRowTexts(int number, const TaskRecord& record) {
    TaskRow row;
    row[0] = std::to_string(number);
    row[1] = std::to_string(record.Hour) + ":" + std::to_string(record.Minute);
    if (const auto date = TryOleToDateTime(record.TaskDate)) {
        row[2] = FormatShortDate(*date);
    }
    row[3] = record.Period;
    row[4] = record.Preset == StoredPresetName(TaskPreset::Custom) ? record.FileName : record.Preset;
    if (record.Active) {
        row[5] = "Актив";
    }
    return row;
}

} // namespace domora
