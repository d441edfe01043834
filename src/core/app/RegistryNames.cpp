#include "core/app/RegistryNames.h"

#include "core/base/Text.h"

namespace domora {
std::string FoldedRegName(std::string_view s) {
    return FoldCase(s);
}

bool SameRegName(std::string_view a, std::string_view b) {
    return SameFolded(a, b);
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
