#pragma once

#include <string>
#include <string_view>

namespace domora {

// Text in files is code page 1251, text in memory UTF-8.
//
// Byte 0x98 has no character in the code page; it reads as U+0098 (a control character,
// as Windows reads it) and U+0098 is written back as 0x98, so that every byte string read
// and written again comes back unchanged.

// Converts UTF-8 to code page 1251. False when the text is not valid UTF-8 or holds a
// character the code page lacks; `firstBad` (when given) then receives that character, or
// U+FFFD for an invalid UTF-8 sequence. `out` is unspecified after a failure.
bool Utf8ToCp1251(std::string_view utf8, std::string& out, char32_t* firstBad = nullptr);

// The same, with '?' for every character the code page lacks and every invalid byte.
std::string Utf8ToCp1251Lossy(std::string_view utf8);

// Converts code page 1251 to UTF-8; every byte gives one character, and Utf8ToCp1251 gives
// the bytes back.
std::string Cp1251ToUtf8(std::string_view cp1251);

// Whether the character has a byte in the code page.
bool HasCp1251Byte(char32_t c);

// Decodes strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF). False
// for invalid input; `out` then holds the characters before the fault.
bool DecodeUtf8(std::string_view utf8, std::u32string& out);

// The same, with U+FFFD for every byte that does not start a valid sequence.
std::u32string DecodeUtf8Lossy(std::string_view utf8);

// Appends the UTF-8 form of a character (U+FFFD for one that is not a Unicode scalar value).
void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(char32_t c);

} // namespace domora
