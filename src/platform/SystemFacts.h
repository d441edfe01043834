#pragma once

#include "core/sysinfo/SystemFacts.h"

#include <optional>
#include <string>
#include <vector>

namespace domora {

// The facts of the machine the "Система" page shows, read afresh on every call.
class SystemFacts {
public:
    virtual ~SystemFacts() = default;

    virtual ProcessorFacts processor() = 0;
    // The drives the user may choose, in the system's order: "C:\" and the other drive
    // roots on Windows, the mount points of real file systems on Linux.
    virtual std::vector<std::string> drives() = 0;
    // One of them; a drive that is gone gives its kind as Unknown or NoRootDirectory.
    virtual DiskFacts disk(const std::string& drive) = 0;
    virtual DisplayFacts display() = 0;
    virtual MemoryFacts memory() = 0;
    // The processor's clock rate in MHz, from its time-stamp counter over half a second
    // (with the priorities raised where the system grants it); nothing on a processor
    // without such a counter. Blocks for about 510 ms and touches nothing else, so that it
    // may run on a thread of its own while the other calls run on the caller's.
    virtual std::optional<double> measureCpuMHz() = 0;
};

} // namespace domora
