// libFuzzer target: code page 1251 and UTF-8 on any bytes. Every byte string read as code
// page 1251 and written again comes back unchanged (0x98 too); UTF-8 that converts comes
// back the same way; strict UTF-8 decoding agrees with encoding; case folding keeps the
// length and agrees with the case-blind comparison.

#include "FuzzCheck.h"
#include "core/base/Cp1251.h"
#include "core/base/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace domora;
using fuzz::Require;

void CheckCp1251(std::string_view bytes) {
    const std::string utf8 = Cp1251ToUtf8(bytes);
    std::u32string chars;
    Require(DecodeUtf8(utf8, chars) && chars.size() == bytes.size(), "every byte reads as one character");
    std::string back;
    char32_t bad = 0;
    Require(Utf8ToCp1251(utf8, back, &bad) && back == bytes, "bytes -> text -> bytes is the identity");
    Require(Utf8ToCp1251Lossy(utf8) == bytes, "the lossy conversion keeps what converts");
    for (const char32_t c : chars) {
        Require(HasCp1251Byte(c), "a character read from the code page has a byte in it");
    }
}

void CheckUtf8(std::string_view text) {
    std::u32string chars;
    const bool valid = DecodeUtf8(text, chars);
    std::string encoded;
    for (const char32_t c : chars) {
        AppendUtf8(encoded, c);
    }
    if (valid) {
        Require(encoded == text, "valid UTF-8 decodes and encodes to itself");
        Require(DecodeUtf8Lossy(text) == chars, "the lossy decoder agrees on valid UTF-8");
    } else {
        Require(text.starts_with(encoded) && encoded.size() < text.size(),
                "invalid UTF-8 keeps the characters before the fault");
    }
    std::string cp1251;
    char32_t bad = 0;
    if (Utf8ToCp1251(text, cp1251, &bad)) {
        Require(valid && Cp1251ToUtf8(cp1251) == text, "text -> bytes -> text is the identity");
        Require(Utf8ToCp1251Lossy(text) == cp1251, "the lossy conversion agrees when nothing is lost");
    } else {
        Require(!valid || !HasCp1251Byte(bad), "a refused character has no byte in the code page");
    }
    const std::string lossy = Utf8ToCp1251Lossy(text);
    Require(lossy.size() <= text.size(), "the lossy conversion gives at most a byte a byte");
}

void CheckFolding(std::string_view text) {
    const std::string folded = FoldCase(text);
    Require(folded.size() == text.size(), "folding keeps the length");
    Require(FoldCase(folded) == folded, "folding twice changes nothing");
    const std::size_t half = text.size() / 2;
    const std::string_view a = text.substr(0, half);
    const std::string_view b = text.substr(half, half);
    Require(SameFolded(a, b) == (FoldCase(a) == FoldCase(b)),
            "the case-blind comparison agrees with folding");
    Require(SameFolded(text, folded), "a text equals its folded form, case aside");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckCp1251(bytes);
    CheckUtf8(bytes);
    CheckFolding(bytes);
    return 0;
}
