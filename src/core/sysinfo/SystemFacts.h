#pragma once

#include <cstdint>
#include <string>

namespace domora {

// What the "Система" page shows of the machine, as the system reports it. A value the
// system does not give stays empty or zero.

struct ProcessorFacts {
    std::string vendor;   // the maker's name ("Advanced Micro Devices")
    std::string vendorId; // the processor's own vendor text ("AuthenticAMD")
    // The family and model as the makers count them (the extended fields of the signature
    // added in), and the stepping.
    int family = 0;
    int model = 0;
    int stepping = 0;
    std::string codeName;          // from our own table; empty for a processor it lacks
    std::uint64_t transistors = 0; // from the same table; 0 where not publicly known
    std::string serialNumber;      // only where the processor offers one
    int count = 0;                 // logical processors the system runs
};

// The kind of a drive, with the numbers the Windows call for it answers.
enum class DriveKind : int {
    Unknown = 0,
    NoRootDirectory = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct DiskFacts {
    int driveType = 0; // a DriveKind's number; any other number as the system gave it
    std::string fileSystem;
    std::uint64_t capacity = 0;  // bytes
    std::uint64_t freeSpace = 0; // bytes the user may still write
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint64_t freeClusters = 0;
    std::uint64_t totalClusters = 0;
    std::string serialNumber; // the volume's serial or the file system's UUID
};

struct DisplayFacts {
    // The screen: pixels across and down, bits per pixel, logical pixels per inch. Zero
    // where the platform layer does not measure the screen (the window system's toolkit
    // then does).
    int horizontal = 0;
    int vertical = 0;
    int bitsPerPixel = 0;
    int fontResolution = 0;
    // The size of one pixel: on Windows the relative aspect values of the device, on Linux
    // micrometres; zero where unknown.
    int pixelWidth = 0;
    int pixelHeight = 0;
    int pixelDiagonal = 0;
    std::string technology;
    std::string biosVersion;
    std::string biosDate;
    std::string adapter;
    std::string chip;
    std::string dac;
    std::string memory; // the adapter's memory in bytes, as digits; empty where unknown
};

struct MemoryFacts {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availablePageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availableVirtual = 0;
};

} // namespace domora
