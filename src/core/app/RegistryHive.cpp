#include "core/app/RegistryHive.h"

#include "core/base/Cp1251.h"

#include <algorithm>

namespace domora {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

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

std::u32string Folded(std::string_view s) {
    std::u32string chars = DecodeUtf8Lossy(s);
    std::transform(chars.begin(), chars.end(), chars.begin(), FoldChar);
    return chars;
}

bool SameName(std::string_view a, std::string_view b) {
    return Folded(a) == Folded(b);
}

std::string_view HiveName(RegHive hive) {
    return hive == RegHive::CurrentUser ? kCurrentUser : kLocalMachine;
}

// "Software\Tervo" from "\Software\Tervo\".
std::string_view RelativePath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') {
        path.remove_prefix(1);
    }
    while (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return path;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& out, std::uint8_t b) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 0x0F]);
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

bool HasControlChar(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// A text with line breaks or other control characters cannot stand in quotes on one line;
// it is written as its UTF-16 bytes ("hex(1):"), as registry export files do.
std::string Utf16Hex(std::string_view text) {
    std::vector<std::uint16_t> units;
    for (const char32_t c : DecodeUtf8Lossy(text)) {
        if (c >= 0x10000) {
            const char32_t v = c - 0x10000;
            units.push_back(static_cast<std::uint16_t>(0xD800 + (v >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(c));
        }
    }
    units.push_back(0);
    std::string out = "hex(1):";
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i != 0) {
            out.push_back(',');
        }
        AppendHexByte(out, static_cast<std::uint8_t>(units[i] & 0xFF));
        out.push_back(',');
        AppendHexByte(out, static_cast<std::uint8_t>(units[i] >> 8));
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::uint32_t> ParseDword(std::string_view s) {
    if (s.empty() || s.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t v = 0;
    for (const char c : s) {
        const int d = HexValue(c);
        if (d < 0) {
            return std::nullopt;
        }
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

std::optional<std::vector<std::uint8_t>> ParseBytes(std::string_view s) {
    std::vector<std::uint8_t> bytes;
    if (Trimmed(s).empty()) {
        return bytes;
    }
    while (true) {
        const std::size_t comma = s.find(',');
        const std::string_view token = Trimmed(s.substr(0, comma));
        if (token.empty() || token.size() > 2) {
            return std::nullopt;
        }
        int v = 0;
        for (const char c : token) {
            const int d = HexValue(c);
            if (d < 0) {
                return std::nullopt;
            }
            v = v * 16 + d;
        }
        bytes.push_back(static_cast<std::uint8_t>(v));
        if (comma == std::string_view::npos) {
            return bytes;
        }
        s.remove_prefix(comma + 1);
    }
}

// UTF-16LE bytes, optionally ended by a zero unit, as UTF-8.
std::optional<std::string> TextOfUtf16(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        units.push_back(static_cast<std::uint16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    if (!units.empty() && units.back() == 0) {
        units.pop_back();
    }
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) {
                return std::nullopt;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// Reads a quoted text starting at s[0] == '"'; `s` is left after the closing quote. A
// backslash escapes a backslash or a quote; before any other character it stands for itself.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out.push_back(s[++i]);
        } else {
            out.push_back(c);
        }
    }
    return std::nullopt;
}

struct ParseFailure {
    std::size_t line;
    std::string reason;
};

} // namespace

std::string RegistryHive::fullPath(RegHive hive, const std::string& path) {
    std::string out(HiveName(hive));
    const std::string_view rest = RelativePath(path);
    if (!rest.empty()) {
        out.push_back('\\');
        out.append(rest);
    }
    return out;
}

RegKeyData* RegistryHive::find(const std::string& fullPath) {
    const auto folded = Folded(fullPath);
    const auto it = std::find_if(keys_.begin(), keys_.end(),
                                 [&](const RegKeyData& key) { return Folded(key.fullPath) == folded; });
    return it == keys_.end() ? nullptr : &*it;
}

const RegKeyData* RegistryHive::find(const std::string& fullPath) const {
    const auto folded = Folded(fullPath);
    const auto it = std::find_if(keys_.begin(), keys_.end(),
                                 [&](const RegKeyData& key) { return Folded(key.fullPath) == folded; });
    return it == keys_.end() ? nullptr : &*it;
}

bool RegistryHive::keyExists(RegHive hive, const std::string& path) const {
    if (RelativePath(path).empty()) {
        return true;
    }
    const auto folded = Folded(fullPath(hive, path));
    for (const RegKeyData& key : keys_) {
        const auto name = Folded(key.fullPath);
        if (name == folded || (name.size() > folded.size() && name.compare(0, folded.size(), folded) == 0 &&
                               name[folded.size()] == U'\\')) {
            return true;
        }
    }
    return false;
}

void RegistryHive::createKey(RegHive hive, const std::string& path) {
    if (RelativePath(path).empty()) {
        return;
    }
    const std::string full = fullPath(hive, path);
    if (find(full) == nullptr) {
        keys_.push_back(RegKeyData{full, {}});
    }
}

std::optional<RegValue> RegistryHive::value(RegHive hive, const std::string& path,
                                            const std::string& name) const {
    const RegKeyData* key = find(fullPath(hive, path));
    if (key == nullptr) {
        return std::nullopt;
    }
    for (const RegValue& v : key->values) {
        if (SameName(v.name, name)) {
            return v;
        }
    }
    return std::nullopt;
}

void RegistryHive::setValue(RegHive hive, const std::string& path, const RegValue& value) {
    createKey(hive, path);
    RegKeyData* key = find(fullPath(hive, path));
    if (key == nullptr) {
        return; // the hive's root holds no values
    }
    for (RegValue& v : key->values) {
        if (SameName(v.name, value.name)) {
            const std::string name = v.name;
            v = value;
            v.name = name;
            return;
        }
    }
    key->values.push_back(value);
}

bool RegistryHive::deleteValue(RegHive hive, const std::string& path, const std::string& name) {
    RegKeyData* key = find(fullPath(hive, path));
    if (key == nullptr) {
        return false;
    }
    const auto it = std::find_if(key->values.begin(), key->values.end(),
                                 [&](const RegValue& v) { return SameName(v.name, name); });
    if (it == key->values.end()) {
        return false;
    }
    key->values.erase(it);
    return true;
}

std::string RegistryHive::serialise() const {
    std::string out(kHeader);
    out += "\r\n";
    for (const RegKeyData& key : keys_) {
        out += "\r\n[" + key.fullPath + "]\r\n";
        for (const RegValue& v : key.values) {
            out += v.name.empty() ? std::string("@") : Quoted(v.name);
            out += '=';
            switch (v.type) {
            case RegType::Dword:
                out += "dword:";
                for (int shift = 28; shift >= 0; shift -= 4) {
                    out.push_back(kHexDigits[(v.dword >> shift) & 0x0F]);
                }
                break;
            case RegType::String:
                out += HasControlChar(v.text) ? Utf16Hex(v.text) : Quoted(v.text);
                break;
            case RegType::Binary:
                out += "hex:";
                for (std::size_t i = 0; i < v.binary.size(); ++i) {
                    if (i != 0) {
                        out.push_back(',');
                    }
                    AppendHexByte(out, v.binary[i]);
                }
                break;
            }
            out += "\r\n";
        }
    }
    return out;
}

std::optional<RegistryHive> RegistryHive::parse(std::string_view text, std::string* error) {
    auto failed = [&](const ParseFailure& f) -> std::optional<RegistryHive> {
        if (error != nullptr) {
            *error = "Строка " + std::to_string(f.line) + ": " + f.reason;
        }
        return std::nullopt;
    };

    if (text.substr(0, kBom.size()) == kBom) {
        text.remove_prefix(kBom.size());
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    if (lines.empty() || Trimmed(lines[0]) != kHeader) {
        return failed({1, "файл не начинается строкой «" + std::string(kHeader) + "»."});
    }

    RegistryHive hive;
    std::optional<std::pair<RegHive, std::string>> current;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t lineNo = i + 1;
        std::string_view line = Trimmed(lines[i]);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']') {
                return failed({lineNo, "нет закрывающей скобки раздела."});
            }
            const std::string_view path = line.substr(1, line.size() - 2);
            const std::string_view hiveName = path.substr(0, path.find('\\'));
            const std::string_view rest = RelativePath(path.substr(hiveName.size()));
            RegHive keyHive = RegHive::CurrentUser;
            if (SameName(hiveName, kCurrentUser)) {
                keyHive = RegHive::CurrentUser;
            } else if (SameName(hiveName, kLocalMachine)) {
                keyHive = RegHive::LocalMachine;
            } else {
                return failed({lineNo, "неизвестный куст реестра «" + std::string(hiveName) + "»."});
            }
            if (rest.empty()) {
                return failed({lineNo, "у раздела нет имени."});
            }
            current = std::make_pair(keyHive, std::string(rest));
            hive.createKey(keyHive, current->second);
            continue;
        }
        if (line.front() != '"' && line.front() != '@') {
            return failed({lineNo, "строка не является ни разделом, ни значением."});
        }
        if (!current) {
            return failed({lineNo, "значение вне раздела."});
        }
        RegValue value;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto name = TakeQuoted(line);
            if (!name) {
                return failed({lineNo, "нет закрывающей кавычки в имени значения."});
            }
            value.name = std::move(*name);
        }
        line = Trimmed(line);
        if (line.empty() || line.front() != '=') {
            return failed({lineNo, "после имени значения нет знака «=»."});
        }
        line = Trimmed(line.substr(1));
        if (line.empty()) {
            return failed({lineNo, "у значения нет данных."});
        }

        // A byte list may go on over lines that end with a backslash.
        std::string joined;
        auto takeBytes = [&](std::string_view first) {
            joined = std::string(first);
            while (!joined.empty() && joined.back() == '\\' && i + 1 < lines.size()) {
                joined.pop_back();
                joined += Trimmed(lines[++i]);
            }
            return ParseBytes(joined);
        };

        if (line.front() == '"') {
            auto quoted = TakeQuoted(line);
            if (!quoted || !Trimmed(line).empty()) {
                return failed({lineNo, "строковое значение записано неверно."});
            }
            value.type = RegType::String;
            value.text = std::move(*quoted);
        } else if (line.substr(0, 6) == "dword:") {
            const auto number = ParseDword(line.substr(6));
            if (!number) {
                return failed({lineNo, "число «" + std::string(line.substr(6)) + "» записано неверно."});
            }
            value.type = RegType::Dword;
            value.dword = *number;
        } else if (line.substr(0, 4) == "hex:") {
            auto bytes = takeBytes(line.substr(4));
            if (!bytes) {
                return failed({lineNo, "список байтов записан неверно."});
            }
            value.type = RegType::Binary;
            value.binary = std::move(*bytes);
        } else if (line.substr(0, 7) == "hex(1):") {
            const auto bytes = takeBytes(line.substr(7));
            auto decoded = bytes ? TextOfUtf16(*bytes) : std::nullopt;
            if (!decoded) {
                return failed({lineNo, "строковое значение в байтах записано неверно."});
            }
            value.type = RegType::String;
            value.text = std::move(*decoded);
        } else {
            return failed({lineNo, "неизвестный тип значения."});
        }
        hive.setValue(current->first, current->second, value);
    }
    return hive;
}

// ---------------------------------------------------------------------------------------

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
        if (RelativePath(path_).empty()) {
            throw RegistryError("В корне куста значения не хранятся.");
        }
        registry_.hive_.setValue(hive_, path_, v);
    }

    MemoryRegistry& registry_;
    RegHive hive_;
    std::string path_;
    bool closed_ = false;
};

std::unique_ptr<RegistryKey> MemoryRegistry::openKey(RegHive hive, const std::string& path, bool create) {
    if (create) {
        hive_.createKey(hive, path);
    } else if (!hive_.keyExists(hive, path)) {
        return nullptr;
    }
    return std::make_unique<MemoryRegistryKey>(*this, hive, path);
}

} // namespace domora
