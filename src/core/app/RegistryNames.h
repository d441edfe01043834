#pragma once

#include "core/app/Registry.h"

#include <string>
#include <string_view>

namespace domora {

// The naming rules of the registry, shared by the hive, its text form and the registry in
// memory. Key and value names compare without regard to letter case (Latin and Cyrillic
// letters are folded).
std::string FoldedRegName(std::string_view name);
bool SameRegName(std::string_view a, std::string_view b);

// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
std::string_view RegHiveName(RegHive hive);

// "Software\Tervo" from "\Software\Tervo\".
std::string_view RegRelativePath(std::string_view path);

} // namespace domora
