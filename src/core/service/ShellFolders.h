#pragma once

#include <array>

namespace domora {

// A row of the Service page's folder list: its caption and the name the system keeps the
// folder's path under.
struct ShellFolderRow {
    const char* caption;
    const char* valueName;
};

// The user's folders in the order of the list; the captions are shown exactly as written.
inline constexpr std::array<ShellFolderRow, 16> kShellFolders = {{
    {"Информация приложений", "AppData"},
    {"Временные Интернет файлы", "Cache"},
    {"Cookes", "Cookies"},
    {"Рабочий стол", "Desktop"},
    {"Избранное", "Favorites"},
    {"Шрифты", "Fonts"},
    {"История", "History"},
    {"Локальные настройки", "Local Settings"},
    {"Мои рисунки", "My Pictures"},
    {"Мои документы", "Personal"},
    {"Главное меню\\Программы", "Programs"},
    {"Недавние отрытые файлы", "Recent"},
    {"Send To", "SendTo"},
    {"Главное мею", "Start Menu"},
    {"Автозапуск ", "Startup"},
    {"Временные файлы", "Templates"},
}};

} // namespace domora
