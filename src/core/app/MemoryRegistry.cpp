#include "core/app/MemoryRegistry.h"

#include "core/app/RegistryNames.h"

#include <algorithm>

namespace domora {

// A key of a MemoryRegistry: reads and writes go straight to the hive.
class MemoryRegistryKey final : public RegistryKey {
public:
    MemoryRegistryKey(MemoryRegistry& registry, RegHive hive, std::string path)
        : registry_(registry), hive_(hive), path_(std::move(path)) {}

    std::uint32_t readInteger(const std::string& name) override { return get(name, RegType::Dword).dword; }
    std::string readString(const std::string& name) override { return get(name, RegType::String).text; }
    std::array<std::uint8_t, 8> readBinary8(const std::string& name) override {
        const RegValue v = get(name, RegType::Binary);
        if (v.binary.size() != 8) {
            throw RegistryError("Значение «" + name + "» занимает " + std::to_string(v.binary.size()) +
                                " байт вместо 8.");
        }
        std::array<std::uint8_t, 8> out{};
        std::copy(v.binary.begin(), v.binary.end(), out.begin());
        return out;
    }
    bool valueExists(const std::string& name) override {
        checkOpen();
        return registry_.hive_.value(hive_, path_, name).has_value();
    }

    void writeInteger(const std::string& name, std::uint32_t value) override {
        RegValue v{name, RegType::Dword, value, {}, {}};
        put(v);
    }
    void writeString(const std::string& name, const std::string& value) override {
        RegValue v{name, RegType::String, 0, value, {}};
        put(v);
    }
    void writeBinary8(const std::string& name, const std::array<std::uint8_t, 8>& value) override {
        RegValue v{name, RegType::Binary, 0, {}, std::vector<std::uint8_t>(value.begin(), value.end())};
        put(v);
    }
    bool deleteValue(const std::string& name) override {
        checkOpen();
        return registry_.hive_.deleteValue(hive_, path_, name);
    }

    void close() override { closed_ = true; }

private:
    void checkOpen() const {
        if (closed_) {
            throw RegistryError("Раздел «" + RegistryHive::fullPath(hive_, path_) + "» уже закрыт.");
        }
    }

    RegValue get(const std::string& name, RegType type) const {
        checkOpen();
        auto v = registry_.hive_.value(hive_, path_, name);
        if (!v) {
            throw RegistryError("Значение «" + name + "» не найдено.");
        }
        if (v->type != type) {
            throw RegistryError("Значение «" + name + "» хранится с другим типом.");
        }
        return *v;
    }

    void put(const RegValue& v) {
        checkOpen();
        if (RegRelativePath(path_).empty()) {
            throw RegistryError("В корне куста значения не хранятся.");
        }
        CheckRegNames(path_, v.name);
        registry_.hive_.setValue(hive_, path_, v);
    }

    MemoryRegistry& registry_;
    RegHive hive_;
    std::string path_;
    bool closed_ = false;
};

std::unique_ptr<RegistryKey> MemoryRegistry::openKey(RegHive hive, const std::string& path, bool create) {
    if (create && !RegNameFault(path).empty()) {
        return nullptr; // the text form could not hold the key
    }
    if (create) {
        hive_.createKey(hive, path);
    } else if (!hive_.keyExists(hive, path)) {
        return nullptr;
    }
    return std::make_unique<MemoryRegistryKey>(*this, hive, path);
}

} // namespace domora
