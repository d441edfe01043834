#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace domora {

// What a task does: start its own program, or one of the seven service actions.
enum class TaskPreset { Custom, Defrag, DiskCheck, PowerOff, Restart, Suspend, MonitorOff, ScreenSaver };

// The editor's preset list, in the order of TaskPreset, as the user sees it. A task stores
// the caption cut to its field (StoredPresetName).
inline constexpr std::array<std::string_view, 8> kTaskPresetCaptions = {
    "<Пользовательская>",    "Дифрагментация дисков",      "Проверка дисков",
    "Выключение компьютера", "Перегрузка компьютера",      "Приостоновить работу компьютора",
    "Выключить монитор",     "Запустить хранитель экрана",
};

// The preset's text as the task file holds it: its caption cut to 28 characters (the
// suspend preset is stored as "Приостоновить работу компьют").
std::string StoredPresetName(TaskPreset preset);

// The preset a stored text names, compared exactly; nothing for any other text.
std::optional<TaskPreset> PresetOfStored(std::string_view stored);

// Whether a preset text the user typed or chose means the task's own program: blanks at
// the ends and letter case aside, it is "<Пользовательская>".
bool IsCustomPresetText(std::string_view text);

// The text to store for a preset the user typed or chose: a preset's caption or stored name,
// blanks at the ends and letter case aside, becomes its stored name, so that the task does
// what its text says; any other text is kept as typed.
std::string PresetTextToStore(std::string_view text);

// Whether performing the preset ends the session or sends the computer to sleep, so that
// trying it out deserves a question first.
bool PresetEndsSession(TaskPreset preset);

} // namespace domora
