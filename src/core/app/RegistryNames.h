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

// Why a key path or value name cannot be stored: the settings file holds each on one line of
// UTF-8 text, so a name with a control character (a line break, NUL, ...) or with bytes that
// are not UTF-8 is refused. A Russian clause ("в имени есть перевод строки"), or empty when
// the name can be stored.
std::string RegNameFault(std::string_view name);

// The name as it may be shown in a message: control characters as "?", invalid bytes as
// U+FFFD.
std::string ShownRegName(std::string_view name);

// RegistryError with the reason when a value cannot be written under these names.
void CheckRegNames(std::string_view path, std::string_view valueName);

// "Software\Tervo" from "\Software\Tervo\".
std::string_view RegRelativePath(std::string_view path);

} // namespace domora
