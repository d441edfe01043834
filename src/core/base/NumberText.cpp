#include "core/base/NumberText.h"

#include "core/base/OleDate.h"
#include "core/base/Text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace domora {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string TwoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

} // namespace

std::string FormatFloat(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0.0) {
        return "0";
    }
    // The largest numbers would round to 15 digits above the largest double, a text that
    // no longer reads as a number: they are written as the largest 15-digit value below it.
    constexpr double kLargest15Digits = 1.79769313486231e308;
    if (std::fabs(value) > kLargest15Digits) {
        value = std::copysign(kLargest15Digits, value);
    }
    // 15 significant digits: "d.dddddddddddddde±x".
    std::array<char, 40> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 14);
    const std::string_view sci(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    const bool negative = sci.front() == '-';
    const std::size_t ePos = sci.find('e');
    std::string digits;
    for (const char c : sci.substr(0, ePos)) {
        if (IsDigit(c)) {
            digits.push_back(c);
        }
    }
    int exponent = 0;
    const std::string_view expText = sci.substr(ePos + 1);
    std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0), expText.data() + expText.size(),
                    exponent);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += "0,";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits;
                out.append(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits);
                out += ',';
                out += digits.substr(intDigits);
            }
        }
    } else {
        out += digits.front();
        if (digits.size() > 1) {
            out += ',';
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t v = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        v = v * 10 + (c - '0');
        if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        v = -v;
    }
    if (v > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(v);
}

std::optional<double> ParseFloat(std::string_view text) {
    text = TrimBlanks(text);
    std::string plain(text);
    for (char& c : plain) {
        if (c == ',') {
            c = '.';
        }
    }
    // from_chars takes no leading '+'.
    std::string_view body(plain);
    if (!body.empty() && body.front() == '+') {
        body.remove_prefix(1);
        if (!body.empty() && body.front() == '-') {
            return std::nullopt;
        }
    }
    if (body.empty() || body.find_first_of("nNiI") != std::string_view::npos) {
        return std::nullopt;
    }
    double v = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), v);
    if (res.ec != std::errc{} || res.ptr != body.data() + body.size()) {
        return std::nullopt;
    }
    return v;
}

std::optional<double> ParseTimeText(std::string_view text) {
    text = TrimBlanks(text);
    std::array<int, 3> parts{};
    std::size_t count = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t len = 0;
        int v = 0;
        while (pos + len < text.size() && IsDigit(text[pos + len]) && len < 3) {
            v = v * 10 + (text[pos + len] - '0');
            ++len;
        }
        if (len == 0 || len > 2 || count == parts.size()) {
            return std::nullopt;
        }
        parts[count++] = v;
        pos += len;
        if (pos == text.size()) {
            break;
        }
        if (text[pos] != ':') {
            return std::nullopt;
        }
        ++pos;
    }
    if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    return OleTimeOfDay(parts[0], parts[1], parts[2]);
}

std::string FormatTimeOfDay(double value) {
    const DateTime dt = OleToDateTime(value);
    return TwoDigits(dt.hour) + ":" + TwoDigits(dt.minute) + ":" + TwoDigits(dt.second);
}

} // namespace domora
