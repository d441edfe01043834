#include "platform/win32/Win32SystemFactsValues.h"

#include "core/sysinfo/Processor.h"
#include "platform/win32/Win32Text.h"

#include <cstdio>
#include <iterator>
#include <string_view>

namespace domora {
namespace {

std::uint64_t LittleEndian(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t number = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        number = (number << 8) | bytes[i];
    }
    return number;
}

std::string_view BytesOf(const RawRegValue& value) {
    return {reinterpret_cast<const char*>(value.bytes.data()), value.bytes.size()};
}

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// The strings of a REG_MULTI_SZ, each closed by a zero, the list by one more; a value cut
// short counts to its end. Empty strings add nothing.
std::string JoinedStrings(std::string_view bytes) {
    std::string joined;
    while (!bytes.empty()) {
        const std::size_t zero = bytes.find('\0');
        const std::string_view part = bytes.substr(0, zero);
        if (!part.empty()) {
            joined += joined.empty() ? "" : " ";
            joined += part;
        }
        bytes = zero == std::string_view::npos ? std::string_view() : bytes.substr(zero + 1);
    }
    return joined;
}

std::string WideText(const std::vector<std::uint8_t>& bytes) {
    std::wstring wide;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == L'\0') {
            break;
        }
        wide.push_back(unit);
    }
    return WideToUtf8(wide);
}

} // namespace

std::string TechnologyText(int technology) {
    static constexpr const char* kNames[] = {"Vector Plotter", "Raster Display",   "Raster Printer",
                                             "Raster Camera",  "Character Stream", "Metafile",
                                             "Display File"};
    return technology >= 0 && technology < static_cast<int>(std::size(kNames)) ? kNames[technology] : "";
}

std::string VolumeSerialText(std::uint32_t serial) {
    char text[10];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFF));
    return text;
}

std::optional<std::string> MachineSubkeyOf(const std::string& deviceKey) {
    constexpr std::string_view kRoot = "\\registry\\machine\\";
    if (deviceKey.size() <= kRoot.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kRoot.size(); ++i) {
        const char c = deviceKey[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kRoot[i]) {
            return std::nullopt;
        }
    }
    return deviceKey.substr(kRoot.size());
}

std::string RegistryValueText(const RawRegValue& value) {
    switch (value.type) {
    case kRegSz:
    case kRegExpandSz:
        return AnsiToUtf8(UpToZero(BytesOf(value)));
    case kRegMultiSz:
        return AnsiToUtf8(JoinedStrings(BytesOf(value)));
    case kRegBinary:
        return WideText(value.bytes);
    default:
        return {};
    }
}

std::string MemorySizeDigits(const RawRegValue& value) {
    const bool fourBytes = (value.type == kRegDword || value.type == kRegBinary) && value.bytes.size() == 4;
    const bool eightBytes = value.type == kRegQword && value.bytes.size() == 8;
    return fourBytes || eightBytes ? std::to_string(LittleEndian(value.bytes)) : std::string();
}

std::optional<double> ClockRateMHz(std::uint64_t tscStart, std::uint64_t tscEnd, std::int64_t counterStart,
                                   std::int64_t counterEnd, std::int64_t counterFrequency) {
    if (counterEnd <= counterStart || counterFrequency <= 0) {
        return std::nullopt;
    }
    return TimeStampRateMHz(tscStart, tscEnd,
                            static_cast<double>(counterEnd - counterStart) * 1e6 /
                                static_cast<double>(counterFrequency));
}

} // namespace domora
