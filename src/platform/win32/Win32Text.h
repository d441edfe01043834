#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace domora {

// Texts in the program are UTF-8. The system's wide calls take UTF-16 and its "A" calls the
// ANSI code page (1251 on a Russian system). These convert at that boundary and refuse what
// cannot pass whole: a text that is not UTF-8, or one holding a character the ANSI code page
// lacks, would otherwise reach the system as question marks and name another file.

// UTF-8 to UTF-16. Nothing for a text that is not UTF-8; `reason` (when given) then says so.
std::optional<std::wstring> Utf8ToWide(std::string_view utf8, std::string* reason = nullptr);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// UTF-8 to the ANSI code page. Nothing for a text that is not UTF-8 or that holds a character
// the code page lacks; `reason` (when given) then names the text and the character, in Russian.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8, std::string* reason = nullptr);

// The ANSI code page to UTF-8, as the system reads the bytes.
std::string AnsiToUtf8(std::string_view ansi);

} // namespace domora
