#pragma once

#include "platform/SystemFacts.h"

namespace domora {

// The machine's facts from the system's own calls: the processor's identification
// instruction, the drive and volume calls, the screen's device context and the display
// adapter's registry key, the memory status, and the time-stamp counter against the
// performance counter. Holds nothing between calls.
class Win32SystemFacts final : public SystemFacts {
public:
    ProcessorFacts processor() override;
    std::vector<std::string> drives() override;
    DiskFacts disk(const std::string& drive) override;
    DisplayFacts display() override;
    MemoryFacts memory() override;
    std::optional<double> measureCpuMHz() override;
};

} // namespace domora
