#include "core/app/RegistryNames.h"

#include "core/base/Cp1251.h"

#include <algorithm>

namespace domora {
namespace {

// Names compare without regard to letter case: Latin and Cyrillic letters are folded.
char32_t FoldChar(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + 0x20;
    }
    if (c >= 0x0410 && c <= 0x042F) {
        return c + 0x20;
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return c + 0x50;
    }
    return c;
}

} // namespace

std::u32string FoldedRegName(std::string_view s) {
    std::u32string chars = DecodeUtf8Lossy(s);
    std::transform(chars.begin(), chars.end(), chars.begin(), FoldChar);
    return chars;
}

bool SameRegName(std::string_view a, std::string_view b) {
    return FoldedRegName(a) == FoldedRegName(b);
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
