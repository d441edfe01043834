#pragma once

#include "core/app/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace domora {

// The settings store of the Windows build: the system registry, through the ANSI calls
// (RegCreateKeyExA, RegOpenKeyExA, RegQueryValueExA, RegSetValueExA). A number is a
// REG_DWORD, a text a REG_SZ in the ANSI code page (1251 on a Russian system; a text it
// cannot hold is refused), a binary value a REG_BINARY of 8 bytes; a read of a value stored
// with another type fails. Writes go to the key at once and are flushed when it is closed.
class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> openKey(RegHive hive, const std::string& path, bool create) override;
};

// The registry's type codes (REG_SZ, ...), for code that does not see the system's headers.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;
constexpr std::uint32_t kRegQword = 11;

// A value as the registry holds it: its type code and its bytes, a text with its closing
// zero.
struct RawRegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

// Direct looks into the registry, for checks beside the store above.
std::optional<RawRegValue> ReadRawRegValue(RegHive hive, const std::string& path, const std::string& name);
// The names of a key's values (UTF-8), or nothing when the key does not exist.
std::optional<std::vector<std::string>> ListRegValueNames(RegHive hive, const std::string& path);
// A text value read through the wide-character call RegQueryValueExW, as UTF-8.
std::optional<std::string> ReadRegStringWide(RegHive hive, const std::string& path, const std::string& name);
// Deletes a key with its subkeys and values. True when it existed and is gone.
bool DeleteRegKeyTree(RegHive hive, const std::string& path);

} // namespace domora
