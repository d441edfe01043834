#include "core/tasks/TaskParams.h"

namespace domora {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The characters a backslash escapes between double quotes.
bool EscapedInDoubleQuotes(char c) {
    return c == '"' || c == '\\' || c == '$' || c == '`';
}

} // namespace

std::vector<std::string> SplitParams(const std::string& params) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false; // a quote pair makes a word even when it holds nothing
    enum class Quote { None, Single, Double } quote = Quote::None;
    const std::size_t size = params.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = params[i];
        switch (quote) {
        case Quote::Single:
            if (c == '\'') {
                quote = Quote::None;
            } else {
                word += c;
            }
            continue;
        case Quote::Double:
            if (c == '"') {
                quote = Quote::None;
            } else if (c == '\\' && i + 1 < size && EscapedInDoubleQuotes(params[i + 1])) {
                word += params[++i];
            } else {
                word += c;
            }
            continue;
        case Quote::None:
            break;
        }
        if (IsBlank(c)) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (c == '\'') {
            quote = Quote::Single;
        } else if (c == '"') {
            quote = Quote::Double;
        } else if (c == '\\' && i + 1 < size) {
            word += params[++i];
        } else {
            word += c; // a backslash at the very end stays itself
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace domora
