// Measures the clock rate five times as the "Система" page does and compares each with the
// rate the kernel calibrated for the time-stamp counter at boot, given as the argument.
// Exit status 1 when a measurement is more than 2 % off, 2 when none can be made.
//
//   domora_cpu_rate_bench KERNEL_MHZ

#include "platform/posix/LinuxSystemFacts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    constexpr int kRounds = 5;
    constexpr double kTolerancePercent = 2.0;
    char* end = nullptr;
    const double kernel = argc == 2 ? std::strtod(argv[1], &end) : 0.0;
    if (argc != 2 || end == argv[1] || *end != '\0' || kernel <= 0.0) {
        std::fprintf(stderr, "usage: %s KERNEL_MHZ\n", argv[0]);
        return 2;
    }
    domora::LinuxSystemFacts system;
    bool within = true;
    std::printf("| round | measured, MHz | kernel, MHz | difference |\n|---|---|---|---|\n");
    for (int round = 1; round <= kRounds; ++round) {
        const auto measured = system.measureCpuMHz();
        if (!measured) {
            std::fprintf(stderr, "this processor has no time-stamp counter to measure\n");
            return 2;
        }
        const double difference = (*measured - kernel) / kernel * 100.0;
        within = within && std::fabs(difference) <= kTolerancePercent;
        std::printf("| %d | %.3f | %.3f | %+.3f %% |\n", round, *measured, kernel, difference);
    }
    std::printf("\n%s: every measurement within %.0f %% of the kernel's rate\n", within ? "PASS" : "FAIL",
                kTolerancePercent);
    return within ? 0 : 1;
}
