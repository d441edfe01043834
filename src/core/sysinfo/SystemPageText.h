#pragma once

#include "core/sysinfo/SystemFacts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace domora {

// The texts of the "Система" page, made from the machine's facts.

// Shown where the system gave no value.
inline constexpr char kNoData[] = "нет сведений";

// A decimal digit string of 4 to 12 digits with a blank between groups of three counted
// from the right ("1234" gives "1 234"); shorter and longer strings and anything not all
// digits stay as they are.
std::string FormatThousands(const std::string& digits);
// A byte count grouped so, followed by " байт".
std::string ByteCountText(std::uint64_t bytes);

// "CPU: 8 x AuthenticAMD - 2096": the logical processors, the vendor text and the rate in
// whole MHz, or without the rate while it is measured or where it cannot be.
std::string CpuLine(const ProcessorFacts& facts, std::optional<double> mhz);
// "Domora 26 Model 2 Stepping 1".
std::string SignatureLine(const ProcessorFacts& facts);
// The rate to the hundredth (the measurement is no finer) as a general decimal number with
// a decimal comma: "2096,02 MHz", "2100 MHz".
std::string ClockRateText(double mhz);
// The transistor count grouped, or kNoData for 0.
std::string TransistorsText(std::uint64_t transistors);
// A text as given, or kNoData when empty.
std::string OrNoData(const std::string& text);

// The drive's kind as the disk line begins ("Fixed - "); nothing for a number outside
// 0..6 (the line then keeps what it showed).
std::optional<std::string> DriveTypeWord(int driveType);

// The drive first chosen: the one holding `path` (the longest drive that is a whole-folder
// prefix of it, letters compared without case), else the first; -1 for no drives.
int DriveHolding(const std::vector<std::string>& drives, const std::string& path);

// The gauge of a disk's used part: from 0 to the capacity in KiB, with the used KiB as
// its progress. Above what the gauge can count (2^31 - 1) both are halved until the
// capacity fits, so a disk of any size shows its true share; an empty capacity gives a
// gauge of 0 of 1 rather than a busy one.
struct GaugeRange {
    int maximum = 1;
    int progress = 0;
};
GaugeRange DiskGauge(std::uint64_t capacity, std::uint64_t freeSpace);

// "1920x1080 - 24 bit".
std::string ResolutionText(const DisplayFacts& display);
// "Высота пикселя:36 Ширина пикселя:36 Диагональ пикселя:51".
std::string PixelText(const DisplayFacts& display);
// The adapter's memory: the text without surrounding blanks, grouped.
std::string DisplayMemoryText(const std::string& memory);

// The size of one pixel in micrometres from the screen's physical size in millimetres and
// its pixels; all zero where the size is unknown.
struct PixelSize {
    int width = 0;
    int height = 0;
    int diagonal = 0;
};
PixelSize PixelSizeMicrometres(double widthMm, double heightMm, int widthPixels, int heightPixels);

} // namespace domora
