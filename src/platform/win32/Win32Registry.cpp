#include "platform/win32/Win32Registry.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <cstring>

namespace domora {
namespace {

HKEY RootOf(RegHive hive) {
    return hive == RegHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// "\Software\Tervo" -> "Software\Tervo": the calls take the path below the hive.
std::string SubkeyOf(const std::string& path) {
    const auto start = path.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : path.substr(start);
}

// An open key handle, closed with the object.
class KeyHandle {
public:
    KeyHandle() = default;
    explicit KeyHandle(HKEY key) : key_(key) {}
    ~KeyHandle() { reset(); }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    HKEY get() const { return key_; }
    HKEY* out() {
        reset();
        return &key_;
    }
    void reset() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
            key_ = nullptr;
        }
    }

private:
    HKEY key_ = nullptr;
};

bool OpenForReading(RegHive hive, const std::string& path, KeyHandle& key) {
    const auto subkey = Utf8ToAnsi(SubkeyOf(path));
    return subkey && RegOpenKeyExA(RootOf(hive), subkey->c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

std::optional<RawRegValue> QueryRaw(HKEY key, const std::string& ansiName) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawRegValue value;
    for (;;) {
        value.bytes.resize(size);
        const LONG result = RegQueryValueExA(key, ansiName.c_str(), nullptr, &type,
                                             value.bytes.empty() ? nullptr : value.bytes.data(), &size);
        if (result == ERROR_MORE_DATA) {
            continue; // the value grew in between
        }
        if (result != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.bytes.resize(size);
        value.type = type;
        return value;
    }
}

class Win32RegistryKey final : public RegistryKey {
public:
    Win32RegistryKey(HKEY key, std::string path) : key_(key), path_(std::move(path)) {}
    ~Win32RegistryKey() override {
        if (dirty_ && key_.get() != nullptr) {
            RegFlushKey(key_.get());
        }
    }

    std::uint32_t readInteger(const std::string& name) override {
        const RawRegValue value = find(name, REG_DWORD);
        if (value.bytes.size() != 4) {
            throw RegistryError("Значение «" + name + "» в разделе «" + path_ + "» не из 4 байт");
        }
        std::uint32_t number = 0;
        std::memcpy(&number, value.bytes.data(), 4);
        return number;
    }
    std::string readString(const std::string& name) override {
        RawRegValue value = find(name, REG_SZ);
        std::string ansi(value.bytes.begin(), value.bytes.end());
        const auto zero = ansi.find('\0');
        if (zero != std::string::npos) {
            ansi.resize(zero);
        }
        return AnsiToUtf8(ansi);
    }
    std::array<std::uint8_t, 8> readBinary8(const std::string& name) override {
        const RawRegValue value = find(name, REG_BINARY);
        if (value.bytes.size() != 8) {
            throw RegistryError("Значение «" + name + "» в разделе «" + path_ + "» не из 8 байт");
        }
        std::array<std::uint8_t, 8> bytes{};
        std::memcpy(bytes.data(), value.bytes.data(), 8);
        return bytes;
    }
    bool valueExists(const std::string& name) override {
        ensureOpen();
        const auto ansi = Utf8ToAnsi(name);
        return ansi && RegQueryValueExA(key_.get(), ansi->c_str(), nullptr, nullptr, nullptr, nullptr) ==
                           ERROR_SUCCESS;
    }

    void writeInteger(const std::string& name, std::uint32_t value) override {
        const DWORD number = value;
        set(name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    void writeString(const std::string& name, const std::string& value) override {
        std::string reason;
        const auto ansi = Utf8ToAnsi(value, &reason);
        if (!ansi) {
            throw RegistryError("Текст значения «" + name + "» не записан. " + reason);
        }
        set(name, REG_SZ, reinterpret_cast<const BYTE*>(ansi->c_str()), static_cast<DWORD>(ansi->size() + 1));
    }
    void writeBinary8(const std::string& name, const std::array<std::uint8_t, 8>& value) override {
        set(name, REG_BINARY, value.data(), 8);
    }
    bool deleteValue(const std::string& name) override {
        ensureOpen();
        const auto ansi = Utf8ToAnsi(name);
        if (ansi && RegDeleteValueA(key_.get(), ansi->c_str()) == ERROR_SUCCESS) {
            dirty_ = true;
            return true;
        }
        return false;
    }

    void close() override {
        if (key_.get() == nullptr) {
            return;
        }
        const LONG flushed = dirty_ ? RegFlushKey(key_.get()) : ERROR_SUCCESS;
        dirty_ = false;
        key_.reset();
        if (flushed != ERROR_SUCCESS) {
            throw RegistryError("Не удалось сохранить раздел «" + path_ + "»");
        }
    }

private:
    void ensureOpen() const {
        if (key_.get() == nullptr) {
            throw RegistryError("Раздел «" + path_ + "» уже закрыт");
        }
    }

    RawRegValue find(const std::string& name, DWORD type) const {
        ensureOpen();
        const auto ansi = Utf8ToAnsi(name);
        auto value = ansi ? QueryRaw(key_.get(), *ansi) : std::nullopt;
        if (!value) {
            throw RegistryError("Нет значения «" + name + "» в разделе «" + path_ + "»");
        }
        if (value->type != type) {
            throw RegistryError("Значение «" + name + "» в разделе «" + path_ + "» другого типа");
        }
        return std::move(*value);
    }

    void set(const std::string& name, DWORD type, const BYTE* bytes, DWORD size) {
        ensureOpen();
        const auto ansi = Utf8ToAnsi(name);
        if (!ansi || RegSetValueExA(key_.get(), ansi->c_str(), 0, type, bytes, size) != ERROR_SUCCESS) {
            throw RegistryError("Не удалось записать значение «" + name + "» в раздел «" + path_ + "»");
        }
        dirty_ = true;
    }

    KeyHandle key_;
    std::string path_;
    bool dirty_ = false;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::openKey(RegHive hive, const std::string& path, bool create) {
    const auto subkey = Utf8ToAnsi(SubkeyOf(path));
    if (!subkey) {
        return nullptr;
    }
    HKEY key = nullptr;
    LONG result = 0;
    if (create) {
        result = RegCreateKeyExA(RootOf(hive), subkey->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    } else {
        result = RegOpenKeyExA(RootOf(hive), subkey->c_str(), 0, KEY_READ | KEY_WRITE, &key);
        if (result == ERROR_ACCESS_DENIED) {
            // A key this user may only read (the machine-wide ones): reads still work.
            result = RegOpenKeyExA(RootOf(hive), subkey->c_str(), 0, KEY_READ, &key);
        }
    }
    if (result != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key, path);
}

std::optional<RawRegValue> ReadRawRegValue(RegHive hive, const std::string& path, const std::string& name) {
    KeyHandle key;
    const auto ansi = Utf8ToAnsi(name);
    if (!ansi || !OpenForReading(hive, path, key)) {
        return std::nullopt;
    }
    return QueryRaw(key.get(), *ansi);
}

std::optional<std::vector<std::string>> ListRegValueNames(RegHive hive, const std::string& path) {
    KeyHandle key;
    if (!OpenForReading(hive, path, key)) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        const LONG result =
            RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            break;
        }
        names.push_back(AnsiToUtf8(std::string_view(name, length)));
    }
    return names;
}

std::optional<std::string> ReadRegStringWide(RegHive hive, const std::string& path, const std::string& name) {
    KeyHandle key;
    if (!OpenForReading(hive, path, key)) {
        return std::nullopt;
    }
    const auto wideName = Utf8ToWide(name);
    if (!wideName) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), wideName->c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), wideName->c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return WideToUtf8(text);
}

bool DeleteRegKeyTree(RegHive hive, const std::string& path) {
    const auto subkey = Utf8ToAnsi(SubkeyOf(path));
    return subkey && !subkey->empty() && RegDeleteTreeA(RootOf(hive), subkey->c_str()) == ERROR_SUCCESS;
}

} // namespace domora
