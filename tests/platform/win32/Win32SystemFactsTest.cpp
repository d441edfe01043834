#include "platform/win32/Win32SystemFactsValues.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

RawRegValue Value(std::uint32_t type, std::vector<std::uint8_t> bytes) {
    return {type, std::move(bytes)};
}
RawRegValue Text(std::uint32_t type, const std::string& bytes) {
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

TEST(Win32SystemFactsValues, DeviceTechnologiesAreNamed) {
    const std::pair<int, std::string> cases[] = {
        {0, "Vector Plotter"},
        {1, "Raster Display"},
        {2, "Raster Printer"},
        {3, "Raster Camera"},
        {4, "Character Stream"},
        {5, "Metafile"},
        {6, "Display File"},
        {7, ""},
        {-1, ""},
    };
    for (const auto& [technology, text] : cases) {
        EXPECT_EQ(TechnologyText(technology), text) << technology;
    }
}

TEST(Win32SystemFactsValues, VolumeSerialsAreTwoGroupsOfFourHexDigits) {
    const std::pair<std::uint32_t, std::string> cases[] = {
        {0x1A2B3C4D, "1A2B-3C4D"}, {0x000A00B0, "000A-00B0"}, {0, "0000-0000"}, {0xFFFFFFFF, "FFFF-FFFF"}};
    for (const auto& [serial, text] : cases) {
        EXPECT_EQ(VolumeSerialText(serial), text) << serial;
    }
}

TEST(Win32SystemFactsValues, AdapterKeysAreReadBelowTheMachineHive) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{1234}\\0000",
         "System\\CurrentControlSet\\Control\\Video\\{1234}\\0000"},
        {"\\REGISTRY\\MACHINE\\System\\Video", "System\\Video"},
        {"\\Registry\\User\\S-1-5-21\\Video", std::nullopt},
        {"System\\CurrentControlSet\\Control\\Video", std::nullopt},
        {"\\Registry\\Machine\\", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [deviceKey, subkey] : cases) {
        EXPECT_EQ(MachineSubkeyOf(deviceKey), subkey) << deviceKey;
    }
}

// The tests run with the code page 1251, so the ANSI texts below are Russian.
TEST(Win32SystemFactsValues, RegistryValuesReadAsOneLineOfText) {
    const std::pair<RawRegValue, std::string> cases[] = {
        {Text(1, std::string("Rage 128\0junk", 13)), "Rage 128"},
        {Text(1, "\xC2\xE8\xE4\xE5\xEE"), "Видео"}, // no closing zero
        {Text(2, std::string("8 bit\0", 6)), "8 bit"},
        {Text(7, std::string("VGA BIOS v1.2\0(C) 1999\0\0", 24)), "VGA BIOS v1.2 (C) 1999"},
        {Text(7, std::string("\0a\0\0b\0\0", 7)), "a b"}, // empty strings add no blanks
        {Text(7, std::string("one\0two", 7)), "one two"}, // cut short
        {Text(7, ""), ""},
        {Value(3, {'R', 0, 'A', 0, 'M', 0, 'D', 0, 'A', 0, 'C', 0, 0, 0, 'x', 0}), "RAMDAC"},
        {Value(3, {0x12, 0x04, 0x38, 0x04, 'p'}), "Ви"}, // an odd last byte is no character
        {Value(4, {1, 0, 0, 0}), ""},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(RegistryValueText(value), text) << value.type << " " << value.bytes.size();
    }
}

TEST(Win32SystemFactsValues, AdapterMemoryIsTheByteCountInDigits) {
    const std::pair<RawRegValue, std::string> cases[] = {
        {Value(4, {0, 0, 0, 2}), "33554432"},
        {Value(3, {0, 0, 0, 0x80}), "2147483648"},
        {Value(3, {0xFF, 0xFF, 0xFF, 0xFF}), "4294967295"},
        {Value(11, {0, 0, 0, 0x80, 1, 0, 0, 0}), "6442450944"},
        {Value(3, {0, 0, 0, 0, 0, 0, 0, 1}), ""}, // eight bytes, not a four-byte size
        {Value(4, {0, 0, 1}), ""},
        {Value(11, {0, 0, 0, 1}), ""},
        {Text(1, std::string("64\0", 3)), ""},
    };
    for (const auto& [value, digits] : cases) {
        EXPECT_EQ(MemorySizeDigits(value), digits) << value.type << " " << value.bytes.size();
    }
}

// Ticks over the performance counter's microseconds; the counts are 64-bit throughout.
TEST(Win32SystemFactsValues, ClockRateIsTicksPerMeasuredMicrosecond) {
    constexpr std::int64_t kFrequency = 10'000'000; // 100 ns steps
    const struct {
        std::uint64_t tscStart, tscEnd;
        std::int64_t counterStart, counterEnd, frequency;
        std::optional<double> mhz;
    } cases[] = {
        {1'000, 1'000 + 1'500'000'000, 0, 5'000'000, kFrequency, 3000.0},
        {0, 5'000'000'000, 0, 5'000'000, kFrequency, 10000.0}, // more ticks than 32 bits hold
        {~0ull - 2'000'000'000, ~0ull, 0, 5'100'000, kFrequency, 2000.0 / 0.51},
        {7, 1'200'007, 1'000'000'000'000'000, 1'000'000'000'001'000, 1'000'000, 1200.0},
        {100, 100, 0, 5'000'000, kFrequency, std::nullopt},
        {200, 100, 0, 5'000'000, kFrequency, std::nullopt}, // the counter went back
        {0, 1'000, 5, 5, kFrequency, std::nullopt},
        {0, 1'000, 0, 5, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto mhz = ClockRateMHz(c.tscStart, c.tscEnd, c.counterStart, c.counterEnd, c.frequency);
        ASSERT_EQ(mhz.has_value(), c.mhz.has_value()) << c.tscEnd;
        if (mhz) {
            EXPECT_NEAR(*mhz, *c.mhz, 1e-6 * *c.mhz) << c.tscEnd;
        }
    }
}

} // namespace
} // namespace domora
