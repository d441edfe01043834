#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32/Win32SystemFactsValues.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <regex>
#include <thread>

namespace domora {
namespace {

RawRegValue Value(std::uint32_t type, std::vector<std::uint8_t> bytes) {
    return {type, std::move(bytes)};
}
RawRegValue Text(std::uint32_t type, const std::string& bytes) {
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

TEST(Win32SystemFactsValues, TechnologiesAndSerialsAreShownAsTheSystemNamesThem) {
    EXPECT_EQ(TechnologyText(0), "Vector Plotter");
    EXPECT_EQ(TechnologyText(1), "Raster Display");
    EXPECT_EQ(TechnologyText(6), "Display File");
    EXPECT_EQ(TechnologyText(7), "");
    EXPECT_EQ(TechnologyText(-1), "");
    EXPECT_EQ(VolumeSerialText(0x1A2B3C4D), "1A2B-3C4D");
    EXPECT_EQ(VolumeSerialText(0x000A00B0), "000A-00B0");
}

TEST(Win32SystemFactsValues, AdapterKeysAreReadBelowTheMachineHive) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{1234}\\0000",
         "System\\CurrentControlSet\\Control\\Video\\{1234}\\0000"},
        {"\\REGISTRY\\MACHINE\\System\\Video", "System\\Video"},
        {"\\Registry\\User\\S-1-5-21\\Video", std::nullopt},
        {"System\\CurrentControlSet\\Control\\Video", std::nullopt},
        {"\\Registry\\Machine\\", std::nullopt},
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
        {Text(7, std::string("VGA BIOS v1.2\0(C) 1999\0\0", 24)), "VGA BIOS v1.2 (C) 1999"},
        {Text(7, std::string("\0a\0\0b\0\0", 7)), "a b"}, // empty strings add no blanks
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
        {Value(3, {0xFF, 0xFF, 0xFF, 0xFF}), "4294967295"},
        {Value(11, {0, 0, 0, 0x80, 1, 0, 0, 0}), "6442450944"},
        {Value(3, {0, 0, 0, 0, 0, 0, 0, 1}), ""}, // eight bytes, not a four-byte size
        {Text(1, std::string("64\0", 3)), ""},
    };
    for (const auto& [value, digits] : cases) {
        EXPECT_EQ(MemorySizeDigits(value), digits) << value.type << " " << value.bytes.size();
    }
}

// Ticks over the microseconds the performance counter measured.
TEST(Win32SystemFactsValues, ClockRateIsTicksPerMeasuredMicrosecond) {
    constexpr std::int64_t kFrequency = 10'000'000; // 100 ns steps
    const struct {
        std::uint64_t tscStart, tscEnd;
        std::int64_t counterStart, counterEnd, frequency;
        std::optional<double> mhz;
    } cases[] = {
        {0, 5'000'000'000, 0, 5'000'000, kFrequency, 10000.0},
        {7, 1'200'007, 1'000'000'000'000'000, 1'000'000'000'001'000, 1'000'000, 1200.0},
        {0, 1'000, 5, 5, kFrequency, std::nullopt}, // the performance counter stood still
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

TEST(Win32SystemFacts, DriveCHasAFileSystemAndConsistentSizes) {
    Win32SystemFacts facts;
    const auto drives = facts.drives();
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    ASSERT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());

    const DiskFacts disk = facts.disk("C:\\");
    EXPECT_EQ(disk.driveType, static_cast<int>(DriveKind::Fixed));
    EXPECT_FALSE(disk.fileSystem.empty());
    EXPECT_GT(disk.freeSpace, 0u);
    EXPECT_GE(disk.capacity, disk.freeSpace);
    if (!disk.serialNumber.empty()) {
        EXPECT_TRUE(std::regex_match(disk.serialNumber, std::regex("[0-9A-F]{4}-[0-9A-F]{4}")))
            << disk.serialNumber;
    }
    ASSERT_GT(disk.totalClusters, 0u);
    EXPECT_GE(disk.totalClusters, disk.freeClusters);
    const std::uint64_t cluster = std::uint64_t{disk.sectorsPerCluster} * disk.bytesPerSector;
    ASSERT_GT(cluster, 0u);
    // The older call counts clusters in 32 bits; where the drive has more, the system
    // stops at what fits and only the larger call gives the capacity.
    if (disk.capacity / cluster < 0xFFFFFFFFu) {
        const std::uint64_t clustered = disk.totalClusters * cluster;
        EXPECT_LT(std::max(clustered, disk.capacity) - std::min(clustered, disk.capacity), cluster);
    }
}

// A letter no drive has, and a name no ANSI call can take.
TEST(Win32SystemFacts, AMissingDriveHasNoRootAndNoFigures) {
    Win32SystemFacts facts;
    const DWORD used = GetLogicalDrives();
    char letter = 'Z';
    while (letter > 'D' && (used & (1u << (letter - 'A'))) != 0) {
        --letter;
    }
    for (const std::string& root : {std::string{letter, ':', '\\'}, std::string("日:\\")}) {
        const DiskFacts disk = facts.disk(root);
        EXPECT_EQ(disk.driveType, static_cast<int>(DriveKind::NoRootDirectory)) << root;
        EXPECT_EQ(disk.fileSystem + disk.serialNumber, "") << root;
        EXPECT_EQ(disk.capacity + disk.freeSpace + disk.totalClusters + disk.freeClusters, 0u) << root;
        EXPECT_EQ(disk.sectorsPerCluster + disk.bytesPerSector, 0u) << root;
    }
}

TEST(Win32SystemFacts, TheScreenIsARasterDisplay) {
    const DisplayFacts display = Win32SystemFacts().display();
    EXPECT_GT(display.horizontal, 0);
    EXPECT_GT(display.vertical, 0);
    EXPECT_GT(display.bitsPerPixel, 0);
    EXPECT_GT(display.fontResolution, 0);
    EXPECT_EQ(display.technology, "Raster Display");
    // The chip's name is read from the adapter's key, found through the device's key path.
    EXPECT_FALSE(display.adapter.empty());
    EXPECT_FALSE(display.chip.empty());
    EXPECT_EQ(display.memory.find_first_not_of("0123456789"), std::string::npos) << display.memory;
}

TEST(Win32SystemFacts, MemoryAndProcessorAreCounted) {
    const MemoryFacts memory = Win32SystemFacts().memory();
    EXPECT_GT(memory.totalPhysical, 0u);
    EXPECT_GE(memory.totalPhysical, memory.availablePhysical);
    EXPECT_GE(memory.totalPageFile, memory.availablePageFile);
    EXPECT_GE(memory.totalVirtual, memory.availableVirtual);
    EXPECT_GT(memory.totalVirtual, 0xFFFFFFFFull); // a 64-bit process's space, past 32 bits

    const ProcessorFacts processor = Win32SystemFacts().processor();
    EXPECT_EQ(processor.vendorId.size(), 12u) << processor.vendorId;
    EXPECT_GE(processor.count, 1);
}

// Two measurements at once each give a rate, and the priorities are back as they were.
TEST(Win32SystemFacts, ClockMeasurementsGiveARateAndPutThePrioritiesBack) {
    const DWORD priorityClass = GetPriorityClass(GetCurrentProcess());
    const int threadPriority = GetThreadPriority(GetCurrentThread());
    Win32SystemFacts facts;
    std::optional<double> other;
    std::thread worker([&] { other = facts.measureCpuMHz(); });
    const auto mhz = facts.measureCpuMHz();
    worker.join();
    ASSERT_TRUE(mhz && other);
    EXPECT_GT(std::min(*mhz, *other), 0.0);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), priorityClass);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), threadPriority);
}

} // namespace
} // namespace domora
