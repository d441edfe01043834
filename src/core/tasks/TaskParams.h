#pragma once

#include <string>
#include <vector>

namespace domora {

// The parameter text of a task's program split into its arguments, the words grouped as a
// POSIX shell groups them but nothing interpreted: blanks (space, tab, line end) separate
// words; a backslash takes the next character as it is; single quotes keep everything up
// to the next one; double quotes keep everything up to the next unescaped one, a backslash
// inside them escaping only '"', '\', '$' and '`'. Quotes in the middle of a word join it
// ("a"'b' is one word), and an empty pair is an empty argument. '$', ';', '*', '|', '<',
// '>' and '~' are ordinary characters. A quote left open takes the rest of the text into
// its word. UTF-8 passes through as it is.
std::vector<std::string> SplitParams(const std::string& params);

} // namespace domora
