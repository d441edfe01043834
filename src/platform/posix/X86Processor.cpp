#include "platform/posix/X86Processor.h"

#include <cerrno>
#include <cstdint>
#include <ctime>

#include <sched.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define DOMORA_HAS_CPUID 1
#else
#define DOMORA_HAS_CPUID 0
#endif

namespace domora {

#if DOMORA_HAS_CPUID
namespace {

constexpr unsigned kSerialFeature = 1u << 18;
constexpr unsigned kTimeStampCounterFeature = 1u << 4;

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

timespec MonotonicNow() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

// Sleeps on the monotonic clock until `span` nanoseconds after `from`, also across signals.
void SleepUntil(const timespec& from, std::int64_t span) {
    const std::int64_t deadline = Nanoseconds(from) + span;
    const timespec until{static_cast<time_t>(deadline / 1'000'000'000),
                         static_cast<long>(deadline % 1'000'000'000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

// The calling thread at the highest real-time priority for its life, where the system grants
// it (on Linux the policy of process 0 is that of the calling thread alone), then back to
// its own policy.
class RealTimePriority {
public:
    RealTimePriority() {
        policy_ = ::sched_getscheduler(0);
        if (policy_ < 0 || ::sched_getparam(0, &previous_) != 0) {
            return;
        }
        sched_param highest{};
        highest.sched_priority = ::sched_get_priority_max(SCHED_FIFO);
        raised_ = ::sched_setscheduler(0, SCHED_FIFO, &highest) == 0;
    }
    ~RealTimePriority() {
        if (raised_) {
            ::sched_setscheduler(0, policy_, &previous_);
        }
    }
    RealTimePriority(const RealTimePriority&) = delete;
    RealTimePriority& operator=(const RealTimePriority&) = delete;

private:
    int policy_ = -1;
    sched_param previous_{};
    bool raised_ = false;
};

} // namespace

std::optional<CpuidReadings> ReadCpuid() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) {
        return std::nullopt;
    }
    const unsigned highestLeaf = eax;
    CpuidReadings readings;
    readings.vendorEbx = ebx;
    readings.vendorEdx = edx;
    readings.vendorEcx = ecx;
    if (highestLeaf >= 1 && __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0) {
        readings.signature = eax;
        readings.features = edx;
    }
    if (highestLeaf >= 3 && (readings.features & kSerialFeature) != 0 &&
        __get_cpuid(3, &eax, &ebx, &ecx, &edx) != 0) {
        readings.serialEdx = edx;
        readings.serialEcx = ecx;
    }
    return readings;
}

std::optional<double> MeasureTimeStampCounterMHz() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0 || (edx & kTimeStampCounterFeature) == 0) {
        return std::nullopt;
    }
    const RealTimePriority priority;
    // A short sleep first, so that the measured span starts at the beginning of a time slice.
    SleepUntil(MonotonicNow(), 10'000'000);
    const timespec start = MonotonicNow();
    const std::uint64_t startCount = __rdtsc();
    SleepUntil(start, 500'000'000);
    const std::uint64_t endCount = __rdtsc();
    const timespec end = MonotonicNow();
    // The span actually slept, not the one asked for: a thread woken late counts more cycles.
    const std::int64_t elapsed = Nanoseconds(end) - Nanoseconds(start);
    return TimeStampRateMHz(startCount, endCount, static_cast<double>(elapsed) / 1000.0);
}

#else

std::optional<CpuidReadings> ReadCpuid() {
    return std::nullopt;
}

std::optional<double> MeasureTimeStampCounterMHz() {
    return std::nullopt;
}

#endif

} // namespace domora
