#include "platform/posix/LinuxSystemFacts.h"

// NOT DONE YET: filled in by its own branch before this lands.

namespace domora {

ProcessorFacts LinuxSystemFacts::processor() {
    return {};
}
std::vector<std::string> LinuxSystemFacts::drives() {
    return {};
}
DiskFacts LinuxSystemFacts::disk(const std::string&) {
    return {};
}
DisplayFacts LinuxSystemFacts::display() {
    return {};
}
MemoryFacts LinuxSystemFacts::memory() {
    return {};
}
std::optional<double> LinuxSystemFacts::measureCpuMHz() {
    return std::nullopt;
}

} // namespace domora
