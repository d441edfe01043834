#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace domora {

// Text helpers on UTF-8 strings.

// The lower-case form of a Latin or Cyrillic capital (А..Я, Ѐ..Џ); other characters unchanged.
char32_t FoldChar(char32_t c);

// The text with its Latin and Cyrillic capitals in lower case. Every other byte, also one
// that is not valid UTF-8, stays as it is, so two different file names never fold into one
// unless they differ only in letter case.
std::string FoldCase(std::string_view utf8);

// Whether two texts are equal without regard to letter case.
bool SameFolded(std::string_view a, std::string_view b);

// The text without blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

// The text without blanks and control characters (bytes up to 0x20) at either end.
std::string_view TrimControls(std::string_view text);

// The first `count` characters of a UTF-8 text (the whole text when it is shorter).
std::string FirstChars(std::string_view utf8, std::size_t count);

// TrimControls, then FoldCase: how typed names (recurrences, melodies) are compared.
std::string TrimmedLower(std::string_view text);

// The text of a note file as UTF-8 with "\n" line ends, the line break that ends the last
// line dropped. A file that starts with the UTF-16 byte-order mark (FF FE, FE FF) is UTF-16
// of that byte order (a broken surrogate reads as U+FFFD, an odd last byte is dropped);
// otherwise a UTF-8 byte-order mark is dropped, and the rest is UTF-8 when it is valid
// UTF-8 and code page 1251 when it is not.
std::string DecodeNoteText(std::string_view bytes);

} // namespace domora
