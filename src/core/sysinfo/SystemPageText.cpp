#include "core/sysinfo/SystemPageText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace domora {

std::string FormatThousands(const std::string& digits) {
    const bool allDigits =
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!allDigits || digits.size() < 4 || digits.size() > 12) {
        return digits;
    }
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ' ';
        }
        grouped += digits[i];
    }
    return grouped;
}

std::string ByteCountText(std::uint64_t bytes) {
    return FormatThousands(std::to_string(bytes)) + " байт";
}

std::string CpuLine(const ProcessorFacts& facts, std::optional<double> mhz) {
    std::string line = "CPU: " + std::to_string(facts.count) + " x " + facts.vendorId;
    if (mhz) {
        line += " - " + std::to_string(std::lround(*mhz));
    }
    return line;
}

std::string SignatureLine(const ProcessorFacts& facts) {
    return "Domora " + std::to_string(facts.family) + " Model " + std::to_string(facts.model) + " Stepping " +
           std::to_string(facts.stepping);
}

std::string ClockRateText(double mhz) {
    char text[48];
    std::snprintf(text, sizeof text, "%.15g", std::round(mhz * 100) / 100);
    std::string result = text;
    std::replace(result.begin(), result.end(), '.', ',');
    return result + " MHz";
}

std::string TransistorsText(std::uint64_t transistors) {
    return transistors == 0 ? std::string(kNoData) : FormatThousands(std::to_string(transistors));
}

std::string OrNoData(const std::string& text) {
    return text.empty() ? std::string(kNoData) : text;
}

std::optional<std::string> DriveTypeWord(int driveType) {
    static const char* const kWords[] = {"Unknown - ", "NotExists - ", "Removable - ", "Fixed - ",
                                         "Remote - ",  "CDROM - ",     "RAMDisk - "};
    if (driveType < 0 || driveType > 6) {
        return std::nullopt;
    }
    return std::string(kWords[driveType]);
}

int DriveHolding(const std::vector<std::string>& drives, const std::string& path) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto separator = [](char c) { return c == '/' || c == '\\'; };
    int best = drives.empty() ? -1 : 0;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < drives.size(); ++i) {
        const std::string& drive = drives[i];
        if (drive.empty() || drive.size() > path.size() || drive.size() <= bestLength) {
            continue;
        }
        const bool same = std::equal(drive.begin(), drive.end(), path.begin(),
                                     [&](char a, char b) { return lower(a) == lower(b); });
        const bool wholeFolder =
            separator(drive.back()) || drive.size() == path.size() || separator(path[drive.size()]);
        if (same && wholeFolder) {
            best = static_cast<int>(i);
            bestLength = drive.size();
        }
    }
    return best;
}

GaugeRange DiskGauge(std::uint64_t capacity, std::uint64_t freeSpace) {
    std::uint64_t maximum = capacity / 1024;
    std::uint64_t used = capacity > freeSpace ? (capacity - freeSpace) / 1024 : 0;
    while (maximum > static_cast<std::uint64_t>(INT_MAX)) {
        maximum /= 2;
        used /= 2;
    }
    if (maximum == 0) {
        return {};
    }
    return {static_cast<int>(maximum), static_cast<int>(std::min(used, maximum))};
}

std::string ResolutionText(const DisplayFacts& display) {
    return std::to_string(display.horizontal) + "x" + std::to_string(display.vertical) + " - " +
           std::to_string(display.bitsPerPixel) + " bit";
}

std::string PixelText(const DisplayFacts& display) {
    return "Высота пикселя:" + std::to_string(display.pixelHeight) +
           " Ширина пикселя:" + std::to_string(display.pixelWidth) +
           " Диагональ пикселя:" + std::to_string(display.pixelDiagonal);
}

std::string DisplayMemoryText(const std::string& memory) {
    const auto first = memory.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const auto last = memory.find_last_not_of(' ');
    return FormatThousands(memory.substr(first, last - first + 1));
}

PixelSize PixelSizeMicrometres(double widthMm, double heightMm, int widthPixels, int heightPixels) {
    if (!(widthMm > 0) || !(heightMm > 0) || widthPixels <= 0 || heightPixels <= 0) {
        return {};
    }
    const double width = widthMm * 1000.0 / widthPixels;
    const double height = heightMm * 1000.0 / heightPixels;
    return {static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)),
            static_cast<int>(std::lround(std::hypot(width, height)))};
}

} // namespace domora
