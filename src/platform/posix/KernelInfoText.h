#pragma once

#include "core/sysinfo/SystemFacts.h"

#include <string_view>

namespace domora {

// The processor as /proc/cpuinfo describes its first processor, for a processor without the
// identification instruction. On x86 the "vendor_id", "cpu family", "model" and "stepping"
// lines (the maker's name and code name then come from the processor table); on ARM the
// "CPU implementer" (the vendor text is its code, "0x41"), "CPU architecture" as the family,
// "CPU part" as the model and "CPU revision" as the stepping, with the names of a few common
// designs. What the text lacks stays empty; the count is left to the caller.
ProcessorFacts ParseCpuInfo(std::string_view text);

// The memory from /proc/meminfo (kB lines): physical memory and what is available of it,
// the swap and what is free of it, and as the virtual memory the commit limit with what is
// not yet committed of it (none when more is committed than the limit).
MemoryFacts ParseMemInfo(std::string_view text);

} // namespace domora
