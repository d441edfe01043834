#include "core/base/Cp1251.h"

#include <array>
#include <cstdint>
#include <optional>

namespace domora {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Characters of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F, below 0x80 ASCII.
constexpr std::array<char32_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98 (0x98 unassigned)
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

char32_t CharOfByte(unsigned char b) {
    if (b < 0x80) {
        return b;
    }
    if (b >= 0xC0) {
        return 0x0410 + (b - 0xC0);
    }
    return kHighTable[b - 0x80];
}

std::optional<unsigned char> ByteOfChar(char32_t c) {
    if (c < 0x80) {
        return static_cast<unsigned char>(c);
    }
    if (c >= 0x0410 && c <= 0x044F) {
        return static_cast<unsigned char>(0xC0 + (c - 0x0410));
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == c) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// Decodes one character at `pos`; advances `pos`. Nothing for an invalid sequence (then
// `pos` moves past its first byte).
std::optional<char32_t> DecodeOne(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    ++pos;
    if (b0 < 0x80) {
        return b0;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
        min = 0x10000;
    } else {
        return std::nullopt;
    }
    std::size_t p = pos;
    for (int i = 0; i < extra; ++i, ++p) {
        if (p >= s.size()) {
            return std::nullopt;
        }
        const auto b = static_cast<unsigned char>(s[p]);
        if ((b & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos = p;
    return c;
}

} // namespace

bool HasCp1251Byte(char32_t c) {
    return ByteOfChar(c).has_value();
}

bool DecodeUtf8(std::string_view utf8, std::u32string& out) {
    out.clear();
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto c = DecodeOne(utf8, pos);
        if (!c) {
            return false;
        }
        out.push_back(*c);
    }
    return true;
}

std::u32string DecodeUtf8Lossy(std::string_view utf8) {
    std::u32string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        out.push_back(DecodeOne(utf8, pos).value_or(kReplacement));
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string EncodeUtf8(char32_t c) {
    std::string out;
    AppendUtf8(out, c);
    return out;
}

bool Utf8ToCp1251(std::string_view utf8, std::string& out, char32_t* firstBad) {
    out.clear();
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto c = DecodeOne(utf8, pos);
        if (!c) {
            if (firstBad != nullptr) {
                *firstBad = kReplacement;
            }
            return false;
        }
        const auto b = ByteOfChar(*c);
        if (!b) {
            if (firstBad != nullptr) {
                *firstBad = *c;
            }
            return false;
        }
        out.push_back(static_cast<char>(*b));
    }
    return true;
}

std::string Utf8ToCp1251Lossy(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto c = DecodeOne(utf8, pos);
        const auto b = c ? ByteOfChar(*c) : std::nullopt;
        out.push_back(b ? static_cast<char>(*b) : '?');
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char ch : cp1251) {
        AppendUtf8(out, CharOfByte(static_cast<unsigned char>(ch)));
    }
    return out;
}

} // namespace domora
