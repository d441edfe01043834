#pragma once

#include "platform/SystemFacts.h"

namespace domora {

class LinuxSystemFacts final : public SystemFacts {
public:
    ProcessorFacts processor() override;
    std::vector<std::string> drives() override;
    DiskFacts disk(const std::string& drive) override;
    DisplayFacts display() override;
    MemoryFacts memory() override;
    std::optional<double> measureCpuMHz() override;
};

} // namespace domora
