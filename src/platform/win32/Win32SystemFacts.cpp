#include "platform/win32/Win32SystemFacts.h"

// NOT DONE YET: filled in by its own branch before this lands.

namespace domora {

ProcessorFacts Win32SystemFacts::processor() {
    return {};
}
std::vector<std::string> Win32SystemFacts::drives() {
    return {};
}
DiskFacts Win32SystemFacts::disk(const std::string&) {
    return {};
}
DisplayFacts Win32SystemFacts::display() {
    return {};
}
MemoryFacts Win32SystemFacts::memory() {
    return {};
}
std::optional<double> Win32SystemFacts::measureCpuMHz() {
    return std::nullopt;
}

} // namespace domora
