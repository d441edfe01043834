#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace domora {
namespace {

// The system's conversions take their lengths as int.
bool FitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX);
}

// UTF-16 to the ANSI code page; nothing when a character has no byte there. Without
// WC_NO_BEST_FIT_CHARS the system would quietly put a look-alike ("u" for "ü") in its place.
std::optional<std::string> WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    if (!FitsInt(wide.size())) {
        return std::nullopt;
    }
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                         nullptr, &usedDefault);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), size, nullptr,
                        &usedDefault);
    if (usedDefault) {
        return std::nullopt;
    }
    return ansi;
}

// The first character of `wide` the ANSI code page lacks, a surrogate pair taken whole.
std::wstring FirstMissing(std::wstring_view wide) {
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
        const std::wstring_view character = wide.substr(i, pair ? 2 : 1);
        if (!WideToAnsi(character)) {
            return std::wstring(character);
        }
        i += pair ? 1 : 0;
    }
    return {};
}

} // namespace

std::optional<std::wstring> Utf8ToWide(std::string_view utf8, std::string* reason) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int length = FitsInt(utf8.size()) ? static_cast<int>(utf8.size()) : 0;
    const int size =
        length > 0 ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0) : 0;
    if (size <= 0) {
        if (reason != nullptr) {
            *reason = "Текст содержит байты, которые не складываются в знаки UTF-8";
        }
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), size);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty() || !FitsInt(wide.size())) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    }
    return utf8;
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8, std::string* reason) {
    const auto wide = Utf8ToWide(utf8, reason);
    if (!wide) {
        return std::nullopt;
    }
    auto ansi = WideToAnsi(*wide);
    if (!ansi && reason != nullptr) {
        *reason = "Текст «" + std::string(utf8) + "» нельзя передать системе: знака «" +
                  WideToUtf8(FirstMissing(*wide)) + "» нет в кодовой странице " + std::to_string(GetACP());
    }
    return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) {
    if (ansi.empty() || !FitsInt(ansi.size())) {
        return {};
    }
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
    }
    return WideToUtf8(wide);
}

} // namespace domora
