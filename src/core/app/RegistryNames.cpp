#include "core/app/RegistryNames.h"

#include "core/base/Cp1251.h"
#include "core/base/Text.h"

#include <algorithm>

namespace domora {
std::string FoldedRegName(std::string_view s) {
    return FoldCase(s);
}

bool SameRegName(std::string_view a, std::string_view b) {
    return SameFolded(a, b);
}

std::string RegNameFault(std::string_view name) {
    const auto control =
        std::find_if(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (control != name.end()) {
        switch (*control) {
        case '\n':
        case '\r':
            return "в имени есть перевод строки";
        case '\0':
            return "в имени есть нулевой символ";
        default:
            return "в имени есть управляющий символ с кодом " + std::to_string(static_cast<int>(*control));
        }
    }
    std::u32string chars;
    if (!DecodeUtf8(name, chars)) {
        return "имя записано не в кодировке UTF-8";
    }
    return {};
}

std::string ShownRegName(std::string_view name) {
    std::string out;
    for (const char32_t c : DecodeUtf8Lossy(name)) {
        AppendUtf8(out, c < 0x20 ? U'?' : c);
    }
    return out;
}

void CheckRegNames(std::string_view path, std::string_view valueName) {
    if (const std::string fault = RegNameFault(path); !fault.empty()) {
        throw RegistryError("Раздел «" + ShownRegName(path) + "» не записан: " + fault + ".");
    }
    if (const std::string fault = RegNameFault(valueName); !fault.empty()) {
        throw RegistryError("Значение «" + ShownRegName(valueName) + "» не записано: " + fault + ".");
    }
}

std::string_view RegHiveName(RegHive hive) {
    return hive == RegHive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string_view RegRelativePath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') {
        path.remove_prefix(1);
    }
    while (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return path;
}

} // namespace domora
