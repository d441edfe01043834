#include "platform/win32/Win32SystemFacts.h"

#include "core/sysinfo/Processor.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemFactsValues.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include <cstring>
#include <mutex>

namespace domora {
namespace {

constexpr unsigned kTimeStampCounterBit = 1u << 4; // leaf 1, EDX
constexpr unsigned kSerialNumberBit = 1u << 18;    // leaf 1, EDX

constexpr char kSystemDescriptionKey[] = "HARDWARE\\DESCRIPTION\\System";

// A fixed-size text field of a system record, up to its closing zero.
template <std::size_t N> std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// The error mode that keeps the system from asking for a disk in an empty floppy or CD drive;
// the previous mode is back when the object goes.
class NoDriveDialogs {
public:
    NoDriveDialogs() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~NoDriveDialogs() { SetErrorMode(previous_); }
    NoDriveDialogs(const NoDriveDialogs&) = delete;
    NoDriveDialogs& operator=(const NoDriveDialogs&) = delete;

private:
    UINT previous_;
};

// The text of a registry value below HKEY_LOCAL_MACHINE; empty when it is missing.
std::string MachineValueText(const std::string& subkey, const char* name) {
    const auto value = ReadRawRegValue(RegHive::LocalMachine, subkey, name);
    return value ? RegistryValueText(*value) : std::string();
}

// The display adapter's own key: the chip, the digital-to-analogue converter and the memory
// as its driver recorded them.
void ReadAdapterKey(const std::string& subkey, DisplayFacts& facts) {
    facts.chip = MachineValueText(subkey, "HardwareInformation.ChipType");
    facts.dac = MachineValueText(subkey, "HardwareInformation.DacType");
    // The four-byte size stops at 4 GB; newer drivers write the whole count beside it.
    for (const char* name : {"HardwareInformation.qwMemorySize", "HardwareInformation.MemorySize"}) {
        const auto value = ReadRawRegValue(RegHive::LocalMachine, subkey, name);
        facts.memory = value ? MemorySizeDigits(*value) : std::string();
        if (!facts.memory.empty()) {
            break;
        }
    }
}

void ReadAdapter(DisplayFacts& facts) {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(nullptr, 0, &device, 0)) {
        return;
    }
    facts.adapter = AnsiToUtf8(FieldText(device.DeviceString));
    if (const auto subkey = MachineSubkeyOf(FieldText(device.DeviceKey))) {
        ReadAdapterKey(AnsiToUtf8(*subkey), facts);
    }
}

// The video BIOS's version and date, or the machine's BIOS where the video one is not
// recorded; the two always from the same BIOS.
void ReadBios(DisplayFacts& facts) {
    facts.biosVersion = MachineValueText(kSystemDescriptionKey, "VideoBiosVersion");
    facts.biosDate = MachineValueText(kSystemDescriptionKey, "VideoBiosDate");
    if (facts.biosVersion.empty() && facts.biosDate.empty()) {
        facts.biosVersion = MachineValueText(kSystemDescriptionKey, "SystemBiosVersion");
        facts.biosDate = MachineValueText(kSystemDescriptionKey, "SystemBiosDate");
    }
}

bool HasTimeStampCounter() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & kTimeStampCounterBit) != 0;
}

// The priorities raised to the highest the system grants for the measurement, and put back
// as they were when it ends. The process's class is shared by its threads, so measurements
// take turns: one restoring after another has raised would leave the process raised.
class HighestPriority {
public:
    HighestPriority()
        : lock_(mutex()), process_(GetCurrentProcess()), thread_(GetCurrentThread()),
          previousClass_(GetPriorityClass(process_)), previousPriority_(GetThreadPriority(thread_)) {
        SetPriorityClass(process_, REALTIME_PRIORITY_CLASS);
        SetThreadPriority(thread_, THREAD_PRIORITY_TIME_CRITICAL);
    }
    ~HighestPriority() {
        if (previousPriority_ != THREAD_PRIORITY_ERROR_RETURN) {
            SetThreadPriority(thread_, previousPriority_);
        }
        if (previousClass_ != 0) {
            SetPriorityClass(process_, previousClass_);
        }
    }
    HighestPriority(const HighestPriority&) = delete;
    HighestPriority& operator=(const HighestPriority&) = delete;

private:
    static std::mutex& mutex() {
        static std::mutex measuring;
        return measuring;
    }

    std::lock_guard<std::mutex> lock_;
    HANDLE process_;
    HANDLE thread_;
    DWORD previousClass_;
    int previousPriority_;
};

} // namespace

ProcessorFacts Win32SystemFacts::processor() {
    CpuidReadings readings;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx)) {
        readings.vendorEbx = ebx;
        readings.vendorEdx = edx;
        readings.vendorEcx = ecx;
    }
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        readings.signature = eax;
        readings.features = edx;
    }
    if ((readings.features & kSerialNumberBit) != 0 && __get_cpuid(3, &eax, &ebx, &ecx, &edx)) {
        readings.serialEdx = edx;
        readings.serialEcx = ecx;
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return IdentifyProcessor(readings, static_cast<int>(system.dwNumberOfProcessors));
}

std::vector<std::string> Win32SystemFacts::drives() {
    std::vector<std::string> roots;
    const DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((mask & (1u << letter)) != 0) {
            roots.push_back({static_cast<char>('A' + letter), ':', '\\'});
        }
    }
    return roots;
}

DiskFacts Win32SystemFacts::disk(const std::string& drive) {
    DiskFacts facts;
    const auto root = Utf8ToAnsi(drive);
    if (!root) {
        facts.driveType = static_cast<int>(DriveKind::NoRootDirectory); // no drive has such a name
        return facts;
    }
    const NoDriveDialogs noDialogs;
    facts.driveType = static_cast<int>(GetDriveTypeA(root->c_str()));

    DWORD serial = 0;
    char fileSystem[MAX_PATH + 1] = {};
    if (GetVolumeInformationA(root->c_str(), nullptr, 0, &serial, nullptr, nullptr, fileSystem,
                              sizeof fileSystem)) {
        facts.fileSystem = AnsiToUtf8(FieldText(fileSystem));
        facts.serialNumber = VolumeSerialText(serial);
    }

    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (GetDiskFreeSpaceA(root->c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                          &totalClusters)) {
        facts.sectorsPerCluster = sectorsPerCluster;
        facts.bytesPerSector = bytesPerSector;
        facts.freeClusters = freeClusters;
        facts.totalClusters = totalClusters;
    }

    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (GetDiskFreeSpaceExA(root->c_str(), &available, &total, &totalFree)) {
        facts.capacity = total.QuadPart;
        facts.freeSpace = available.QuadPart;
    }
    return facts;
}

DisplayFacts Win32SystemFacts::display() {
    DisplayFacts facts;
    if (HDC screen = GetDC(nullptr)) {
        facts.horizontal = GetDeviceCaps(screen, HORZRES);
        facts.vertical = GetDeviceCaps(screen, VERTRES);
        facts.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
        facts.fontResolution = GetDeviceCaps(screen, LOGPIXELSY);
        facts.pixelWidth = GetDeviceCaps(screen, ASPECTX);
        facts.pixelHeight = GetDeviceCaps(screen, ASPECTY);
        facts.pixelDiagonal = GetDeviceCaps(screen, ASPECTXY);
        facts.technology = TechnologyText(GetDeviceCaps(screen, TECHNOLOGY));
        ReleaseDC(nullptr, screen);
    }
    ReadAdapter(facts);
    ReadBios(facts);
    return facts;
}

// The 64-bit record: the older call's 32-bit one stops every figure at 4 GB.
MemoryFacts Win32SystemFacts::memory() {
    MemoryFacts facts;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        facts.totalPhysical = status.ullTotalPhys;
        facts.availablePhysical = status.ullAvailPhys;
        facts.totalPageFile = status.ullTotalPageFile;
        facts.availablePageFile = status.ullAvailPageFile;
        facts.totalVirtual = status.ullTotalVirtual;
        facts.availableVirtual = status.ullAvailVirtual;
    }
    return facts;
}

// The counter ticks over half a second as the performance counter measures it, so that a
// sleep that ran long does not count as a faster processor.
std::optional<double> Win32SystemFacts::measureCpuMHz() {
    LARGE_INTEGER frequency{};
    if (!HasTimeStampCounter() || !QueryPerformanceFrequency(&frequency)) {
        return std::nullopt;
    }
    LARGE_INTEGER counterStart{}, counterEnd{};
    std::uint64_t tscStart = 0, tscEnd = 0;
    {
        const HighestPriority raised;
        Sleep(10); // starts the measurement on a fresh time slice
        tscStart = __rdtsc();
        QueryPerformanceCounter(&counterStart);
        Sleep(500);
        tscEnd = __rdtsc();
        QueryPerformanceCounter(&counterEnd);
    }
    return ClockRateMHz(tscStart, tscEnd, counterStart.QuadPart, counterEnd.QuadPart, frequency.QuadPart);
}

} // namespace domora
