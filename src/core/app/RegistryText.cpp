#include "core/app/RegistryHive.h"

#include "core/app/RegistryNames.h"
#include "core/base/Cp1251.h"
#include "core/base/Text.h"

#include <algorithm>

// The text form of the hive: the syntax of registry export files.

namespace domora {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

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

// A string stands in quotes when it is UTF-8 text on one line, without control characters.
bool Quotable(std::string_view text) {
    std::u32string chars;
    return !HasControlChar(text) && DecodeUtf8(text, chars);
}

// The first escaped byte: a byte that is not part of valid UTF-8 is written as the unpaired
// low surrogate U+DC80..U+DCFF, which no text holds, and read back as that byte.
constexpr char32_t kEscapedByte = 0xDC00;

// The characters of a string, each byte outside a valid UTF-8 sequence escaped.
std::u32string CharsOf(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::u32string one;
        if (length != 0 && DecodeUtf8(text.substr(i, length), one) && one.size() == 1) {
            out += one;
            i += length;
        } else {
            out.push_back(kEscapedByte + lead);
            ++i;
        }
    }
    return out;
}

// Any other string is written as its UTF-16 bytes ("hex(1):"), as registry export files do.
std::string Utf16Hex(std::string_view text) {
    std::vector<std::uint16_t> units;
    for (const char32_t c : CharsOf(text)) {
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
    if (TrimBlanks(s).empty()) {
        return bytes;
    }
    while (true) {
        const std::size_t comma = s.find(',');
        const std::string_view token = TrimBlanks(s.substr(0, comma));
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

// UTF-16LE bytes, optionally ended by a zero unit, as UTF-8; an escaped byte is that byte.
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
        } else if (c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF) {
            out.push_back(static_cast<char>(c - kEscapedByte));
            continue;
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

// The lines of the text, without their line ends and a leading byte order mark.
std::vector<std::string_view> LinesOf(std::string_view text) {
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
    return lines;
}

// Reads the lines after the header into a hive, one key line or value line at a time.
class HiveReader {
public:
    explicit HiveReader(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    std::optional<ParseFailure> read() {
        for (i_ = 1; i_ < lines_.size(); ++i_) {
            const std::string_view line = TrimBlanks(lines_[i_]);
            if (line.empty() || line.front() == ';') {
                continue;
            }
            const std::size_t lineNo = i_ + 1;
            auto failure = line.front() == '[' ? keyLine(line, lineNo) : valueLine(line, lineNo);
            if (failure) {
                return failure;
            }
        }
        return std::nullopt;
    }

    RegistryHive& hive() { return hive_; }

private:
    // "[HKEY_CURRENT_USER\Software\Tervo]": the key that the following values belong to.
    std::optional<ParseFailure> keyLine(std::string_view line, std::size_t lineNo) {
        if (line.back() != ']') {
            return ParseFailure{lineNo, "нет закрывающей скобки раздела."};
        }
        const std::string_view path = line.substr(1, line.size() - 2);
        const std::string_view hiveName = path.substr(0, path.find('\\'));
        const std::string_view rest = RegRelativePath(path.substr(hiveName.size()));
        RegHive keyHive = RegHive::CurrentUser;
        if (SameRegName(hiveName, RegHiveName(RegHive::CurrentUser))) {
            keyHive = RegHive::CurrentUser;
        } else if (SameRegName(hiveName, RegHiveName(RegHive::LocalMachine))) {
            keyHive = RegHive::LocalMachine;
        } else {
            return ParseFailure{lineNo, "неизвестный куст реестра «" + std::string(hiveName) + "»."};
        }
        if (rest.empty()) {
            return ParseFailure{lineNo, "у раздела нет имени."};
        }
        current_ = std::make_pair(keyHive, std::string(rest));
        hive_.createKey(keyHive, current_->second);
        return std::nullopt;
    }

    // "name"=data or @=data, the data a quoted text, dword:, hex: or hex(1):.
    std::optional<ParseFailure> valueLine(std::string_view line, std::size_t lineNo) {
        if (line.front() != '"' && line.front() != '@') {
            return ParseFailure{lineNo, "строка не является ни разделом, ни значением."};
        }
        if (!current_) {
            return ParseFailure{lineNo, "значение вне раздела."};
        }
        RegValue value;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto name = TakeQuoted(line);
            if (!name) {
                return ParseFailure{lineNo, "нет закрывающей кавычки в имени значения."};
            }
            value.name = std::move(*name);
        }
        line = TrimBlanks(line);
        if (line.empty() || line.front() != '=') {
            return ParseFailure{lineNo, "после имени значения нет знака «=»."};
        }
        line = TrimBlanks(line.substr(1));
        if (line.empty()) {
            return ParseFailure{lineNo, "у значения нет данных."};
        }

        if (line.front() == '"') {
            auto quoted = TakeQuoted(line);
            if (!quoted || !TrimBlanks(line).empty()) {
                return ParseFailure{lineNo, "строковое значение записано неверно."};
            }
            value.type = RegType::String;
            value.text = std::move(*quoted);
        } else if (line.substr(0, 6) == "dword:") {
            const auto number = ParseDword(line.substr(6));
            if (!number) {
                return ParseFailure{lineNo, "число «" + std::string(line.substr(6)) + "» записано неверно."};
            }
            value.type = RegType::Dword;
            value.dword = *number;
        } else if (line.substr(0, 4) == "hex:") {
            auto bytes = takeBytes(line.substr(4));
            if (!bytes) {
                return ParseFailure{lineNo, "список байтов записан неверно."};
            }
            value.type = RegType::Binary;
            value.binary = std::move(*bytes);
        } else if (line.substr(0, 7) == "hex(1):") {
            const auto bytes = takeBytes(line.substr(7));
            auto decoded = bytes ? TextOfUtf16(*bytes) : std::nullopt;
            if (!decoded) {
                return ParseFailure{lineNo, "строковое значение в байтах записано неверно."};
            }
            value.type = RegType::String;
            value.text = std::move(*decoded);
        } else {
            return ParseFailure{lineNo, "неизвестный тип значения."};
        }
        hive_.setValue(current_->first, current_->second, value);
        return std::nullopt;
    }

    // A byte list may go on over lines that end with a backslash; those lines are taken.
    std::optional<std::vector<std::uint8_t>> takeBytes(std::string_view first) {
        std::string joined(first);
        while (!joined.empty() && joined.back() == '\\' && i_ + 1 < lines_.size()) {
            joined.pop_back();
            joined += TrimBlanks(lines_[++i_]);
        }
        return ParseBytes(joined);
    }

    std::vector<std::string_view> lines_;
    std::size_t i_ = 1;
    RegistryHive hive_;
    std::optional<std::pair<RegHive, std::string>> current_;
};

} // namespace

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
                out += Quotable(v.text) ? Quoted(v.text) : Utf16Hex(v.text);
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
    const std::vector<std::string_view> lines = LinesOf(text);
    std::optional<ParseFailure> failure;
    if (lines.empty() || TrimBlanks(lines[0]) != kHeader) {
        failure = ParseFailure{1, "файл не начинается строкой «" + std::string(kHeader) + "»."};
    }
    HiveReader reader(lines);
    if (!failure) {
        failure = reader.read();
    }
    if (failure) {
        if (error != nullptr) {
            *error = "Строка " + std::to_string(failure->line) + ": " + failure->reason;
        }
        return std::nullopt;
    }
    return std::move(reader.hive());
}

} // namespace domora
