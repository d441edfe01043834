#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace domora {

enum class RegHive { CurrentUser, LocalMachine };
enum class RegType { Dword, String, Binary };

// A failed registry operation: a missing value, a value stored with another type, a key
// that cannot be written. Settings code runs each block of registry work as one unit and
// stops it at the first such error.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open key. Reads and writes throw RegistryError on failure. Writes reach the store
// at the latest when the key is closed or destroyed, also when a unit stops early, so
// what was written before an error stays.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    virtual std::uint32_t readInteger(const std::string& name) = 0;
    virtual std::string readString(const std::string& name) = 0;
    // An 8-byte binary value.
    virtual std::array<std::uint8_t, 8> readBinary8(const std::string& name) = 0;
    virtual bool valueExists(const std::string& name) = 0;

    virtual void writeInteger(const std::string& name, std::uint32_t value) = 0;
    virtual void writeString(const std::string& name, const std::string& value) = 0;
    virtual void writeBinary8(const std::string& name, const std::array<std::uint8_t, 8>& value) = 0;
    // True when the value existed and is gone.
    virtual bool deleteValue(const std::string& name) = 0;

    // Flushes the writes; the key is not used afterwards.
    virtual void close() = 0;

    // Typed helpers over the raw values: a boolean is a number (non-zero reads as true),
    // a double or a date-time an IEEE double in 8 little-endian bytes.
    bool readBool(const std::string& name) { return readInteger(name) != 0; }
    void writeBool(const std::string& name, bool value) { writeInteger(name, value ? 1U : 0U); }
    double readDouble(const std::string& name);
    void writeDouble(const std::string& name, double value);
};

// The settings store: keys under two hives, opened with or without creating them.
// Key paths are written with backslashes; a leading backslash is optional.
class Registry {
public:
    virtual ~Registry() = default;

    // The key, or nullptr when it does not exist (and create is false) or cannot be
    // created.
    virtual std::unique_ptr<RegistryKey> openKey(RegHive hive, const std::string& path, bool create) = 0;
};

// The key, or RegistryError naming it when it does not exist (and create is false) or cannot
// be created.
std::unique_ptr<RegistryKey> OpenKeyOrThrow(Registry& registry, const std::string& path, bool create);

} // namespace domora
