#pragma once

#include "core/app/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace domora {

struct RegValue {
    std::string name;
    RegType type = RegType::Dword;
    std::uint32_t dword = 0;          // Dword
    std::string text;                 // String, UTF-8
    std::vector<std::uint8_t> binary; // Binary

    friend bool operator==(const RegValue&, const RegValue&) = default;
};

// A key as it is stored: its full name with the hive ("HKEY_CURRENT_USER\Software\...")
// and its values in the order they were first written.
struct RegKeyData {
    std::string fullPath;
    std::vector<RegValue> values;
};

// The registry held in memory, and its text form (the syntax of registry export files:
// the header line, then each key in brackets followed by its values, a blank line between
// keys, CR LF line ends, UTF-8; read and written in RegistryText.cpp). A string that is not
// UTF-8 text on one line is written as "hex(1):" UTF-16 bytes, a stray byte as U+DC80 + byte,
// so every value reads back unchanged. Key and value names compare without regard to letter
// case; the Registry keys refuse names the text cannot hold (RegNameFault).
//
// Keys are kept in the order they were created. A key created with create=true is stored
// as an entry of its own; its missing ancestors exist implicitly (they are not written as
// entries), so a hive holding only "...\Domora_Lite\Main" also has "...\Domora_Lite".
class RegistryHive {
public:
    // Parses the text form. Nothing (and a Russian reason in `error`) when the text is not
    // a registry file: a wrong header, a value outside a key, a line that is not a value,
    // a number or byte list that does not parse.
    static std::optional<RegistryHive> parse(std::string_view text, std::string* error = nullptr);
    std::string serialise() const;

    // "HKEY_CURRENT_USER\Software\Tervo" for (CurrentUser, "\Software\Tervo").
    static std::string fullPath(RegHive hive, const std::string& path);

    bool keyExists(RegHive hive, const std::string& path) const;
    // Makes the key an entry of its own (no-op when it is one already).
    void createKey(RegHive hive, const std::string& path);

    // The stored value, or nothing when the key or the value does not exist.
    std::optional<RegValue> value(RegHive hive, const std::string& path, const std::string& name) const;
    // Sets a value, making its key an entry when needed. A value that exists keeps its
    // place in the key; a new one goes to the end.
    void setValue(RegHive hive, const std::string& path, const RegValue& value);
    // True when the value existed.
    bool deleteValue(RegHive hive, const std::string& path, const std::string& name);

    const std::vector<RegKeyData>& keys() const { return keys_; }

private:
    RegKeyData* find(const std::string& fullPath);
    const RegKeyData* find(const std::string& fullPath) const;

    std::vector<RegKeyData> keys_;
};

} // namespace domora
