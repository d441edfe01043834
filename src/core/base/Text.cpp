#include "core/base/Text.h"

#include "core/base/Cp1251.h"

namespace domora {
namespace {

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

template <typename Drop> std::string_view Trim(std::string_view text, Drop drop) {
    while (!text.empty() && drop(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && drop(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// UTF-16 of either byte order, after its byte-order mark.
std::string DecodeUtf16(std::string_view bytes, bool little) {
    std::string out;
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(little ? (second << 8 | first) : (first << 8 | second));
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : unit);
    }
    return out;
}

} // namespace

char32_t FoldChar(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + (U'a' - U'A');
    }
    if (c >= U'\u0410' && c <= U'\u042F') { // А..Я
        return c + 0x20;
    }
    if (c >= U'\u0400' && c <= U'\u040F') { // Ѐ..Џ, Ё among them
        return c + 0x50;
    }
    return c;
}

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool twoByte = (c & 0xE0U) == 0xC0U && i + 1 < utf8.size() &&
                             (static_cast<unsigned char>(utf8[i + 1]) & 0xC0U) == 0x80U;
        if (!twoByte) {
            out.push_back(c < 0x80 ? static_cast<char>(FoldChar(c)) : utf8[i]);
            continue;
        }
        // Every letter that folds below U+0800 folds to another two-byte character.
        const char32_t cp = ((c & 0x1FU) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3FU);
        if (cp < 0x80) {
            out.append(utf8.substr(i, 2)); // an overlong form is no letter
        } else {
            AppendUtf8(out, FoldChar(cp));
        }
        ++i;
    }
    return out;
}

bool SameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false; // folding keeps the length
    }
    // Plain ASCII, the usual case, is compared in place; any other byte folds both texts.
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80) {
            return FoldCase(a.substr(i)) == FoldCase(b.substr(i));
        }
        if (FoldChar(ca) != FoldChar(cb)) {
            return false;
        }
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    return Trim(text, IsBlank);
}

std::string_view TrimControls(std::string_view text) {
    return Trim(text, IsControlOrBlank);
}

std::string FirstChars(std::string_view utf8, std::size_t count) {
    const std::u32string chars = DecodeUtf8Lossy(utf8);
    if (chars.size() <= count) {
        return std::string(utf8);
    }
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        AppendUtf8(out, chars[i]);
    }
    return out;
}

std::string TrimmedLower(std::string_view text) {
    return FoldCase(TrimControls(text));
}

std::string DecodeNoteText(std::string_view bytes) {
    std::string text;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        text = DecodeUtf16(bytes, bytes.starts_with("\xFF\xFE"));
    } else {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        std::u32string ignored;
        text = DecodeUtf8(bytes, ignored) ? std::string(bytes) : Cp1251ToUtf8(bytes);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out.push_back(text[i]);
            continue;
        }
        out.push_back('\n');
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    }
    if (out.ends_with('\n')) {
        out.pop_back();
    }
    return out;
}

} // namespace domora
