#pragma once

#include "platform/SystemFacts.h"

#include <string>

namespace domora {

// The machine's facts on Linux, from the kernel's files: the processor from its own
// identification answers (else /proc/cpuinfo), the mount table, statvfs and the block
// devices in /sys, the display adapter on the PCI bus with its names from the PCI names
// database, the firmware's version from the DMI table, the memory from /proc/meminfo.
// The screen itself is not measured here: the user interface's toolkit knows it.
// It keeps no state, so any call may run on another thread beside the others.
class LinuxSystemFacts final : public SystemFacts {
public:
    // `root`: the folder under which /sys and /dev are read (another one in tests); the
    // process's own files in /proc are always the real ones.
    explicit LinuxSystemFacts(std::string root = "/");

    ProcessorFacts processor() override;
    std::vector<std::string> drives() override;
    DiskFacts disk(const std::string& drive) override;
    DisplayFacts display() override;
    MemoryFacts memory() override;
    std::optional<double> measureCpuMHz() override;

private:
    std::string path(const std::string& absolute) const;

    std::string root_;
};

} // namespace domora
