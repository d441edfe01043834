#include "core/tasks/TaskPresets.h"

#include "core/base/Text.h"
#include "core/tasks/TaskRecord.h"

namespace domora {

std::string StoredPresetName(TaskPreset preset) {
    return FirstChars(kTaskPresetCaptions.at(static_cast<std::size_t>(preset)), kPresetChars);
}

std::optional<TaskPreset> PresetOfStored(std::string_view stored) {
    for (std::size_t i = 0; i < kTaskPresetCaptions.size(); ++i) {
        const auto preset = static_cast<TaskPreset>(i);
        if (stored == StoredPresetName(preset)) {
            return preset;
        }
    }
    return std::nullopt;
}

bool IsCustomPresetText(std::string_view text) {
    return TrimmedLower(text) == FoldCase(kTaskPresetCaptions[0]);
}

std::string PresetTextToStore(std::string_view text) {
    const std::string typed = TrimmedLower(text);
    for (std::size_t i = 0; i < kTaskPresetCaptions.size(); ++i) {
        const auto preset = static_cast<TaskPreset>(i);
        const std::string stored = StoredPresetName(preset);
        if (typed == FoldCase(kTaskPresetCaptions[i]) || typed == FoldCase(stored)) {
            return stored;
        }
    }
    return std::string(text);
}

bool PresetEndsSession(TaskPreset preset) {
    return preset == TaskPreset::PowerOff || preset == TaskPreset::Restart || preset == TaskPreset::Suspend;
}

} // namespace domora
