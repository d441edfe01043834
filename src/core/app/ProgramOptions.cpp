#include "core/app/ProgramOptions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace domora {
namespace {

// The toolkit's standard options that take a value, and those that stand alone.
constexpr std::array<std::string_view, 15> kToolkitValueOptions = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "title",         "name",   "visual"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                           "sync"};

template <std::size_t N> bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Quoted(const std::string& text) {
    return "«" + text + "»";
}

ProgramOptions Refused(std::string error) {
    return {ProgramAction::Refuse, "domora: " + std::move(error) + "\nСписок параметров: domora --help\n"};
}

} // namespace

ProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            return {ProgramAction::Help, {}};
        }
        if (argument == "-v" || argument == "--version") {
            return {ProgramAction::Version, {}};
        }
        if (argument.size() < 2 || argument[0] != '-' || argument == "--") {
            return Refused("лишний аргумент " + Quoted(argument) +
                           ": программа не принимает файлов и команд.");
        }
        // The toolkit takes "--style" as "-style", and "-style=fusion" as "-style fusion".
        std::string_view name(argument);
        name.remove_prefix(name.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool valueGiven = equals != std::string_view::npos;
        name = name.substr(0, equals);
        if (Contains(kToolkitValueOptions, name)) {
            if (!valueGiven) {
                if (i + 1 == arguments.size()) {
                    return Refused("параметру " + Quoted(argument) + " нужно значение.");
                }
                ++i;
            }
            continue;
        }
        if (Contains(kToolkitFlags, name) && !valueGiven) {
            continue;
        }
        return Refused("неизвестный параметр " + Quoted(argument) + ".");
    }
    return {};
}

std::string ProgramHelpText() {
    return "Использование: domora [ПАРАМЕТР]...\n"
           "Domora Lite 2003 — органайзер времени в области уведомлений: будильники и напоминания,\n"
           "таймер, праздники, задания по расписанию, учёт времени в Сети, синхронизация часов,\n"
           "время в мире и сведения о системе.\n"
           "\n"
           "Параметры:\n"
           "  -h, --help       показать эту справку и выйти\n"
           "  -v, --version    показать название и версию программы и выйти\n"
           "\n"
           "Принимаются и стандартные параметры Qt, например -display ДИСПЛЕЙ, -platform ИМЯ,\n"
           "-style СТИЛЬ, -reverse, -session ИДЕНТИФИКАТОР.\n"
           "\n"
           "Папка данных: $DOMORA_HOME, если задана; иначе папка программы, если в ней есть\n"
           "папка Data; иначе $XDG_DATA_HOME/domora (по умолчанию ~/.local/share/domora),\n"
           "которая при первом запуске заполняется из /usr/share/domora.\n"
           "Настройки: $XDG_CONFIG_HOME/domora/registry.reg (по умолчанию ~/.config/domora).\n"
           "\n"
           "Программа запускается один раз: второй запуск только сообщает, что она уже работает.\n";
}

std::string ProgramVersionText(const std::string& version) {
    return "Domora Lite 2003 " + version + "\n";
}

} // namespace domora
