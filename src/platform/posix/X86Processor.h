#pragma once

#include "core/sysinfo/Processor.h"

#include <optional>

namespace domora {

// The processor's identification answers (leaves 0, 1 and, where the processor offers its
// serial, 3); nothing on a processor without the instruction.
std::optional<CpuidReadings> ReadCpuid();

// The clock rate in MHz of the time-stamp counter over half a second of the monotonic clock,
// on the calling thread raised to the highest real-time priority where the system grants
// it; nothing on a processor without the counter.
std::optional<double> MeasureTimeStampCounterMHz();

} // namespace domora
