#pragma once

#include "core/sysinfo/SystemFacts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace domora {

// The answers of the processor's identification instruction that name it.
struct CpuidReadings {
    // Leaf 0: the vendor text in EBX, EDX, ECX.
    std::uint32_t vendorEbx = 0;
    std::uint32_t vendorEdx = 0;
    std::uint32_t vendorEcx = 0;
    // Leaf 1: the signature (EAX) and the feature flags (EDX; bit 18 offers the serial).
    std::uint32_t signature = 0;
    std::uint32_t features = 0;
    // Leaf 3, read only where the processor offers its serial: the lower 64 bits (EDX, ECX).
    std::optional<std::uint32_t> serialEdx;
    std::optional<std::uint32_t> serialEcx;
};

struct CpuSignature {
    int family = 0;
    int model = 0;
    int stepping = 0;
};

// Family, model and stepping from the signature. The family is bits 8-11, with the extended
// family (bits 20-27) added when those read 15; the model is bits 4-7, with the extended
// model (bits 16-19) above them for families 6 and 15 and later; the stepping bits 0-3.
CpuSignature DecodeSignature(std::uint32_t signature);

// The twelve characters of the vendor text, from the three registers in that order.
std::string VendorIdText(std::uint32_t ebx, std::uint32_t edx, std::uint32_t ecx);

// The maker's name for a vendor text; empty for one we do not know.
std::string VendorName(const std::string& vendorId);

// The processor serial as six groups of four hex digits (the signature, then EDX and ECX
// of leaf 3): "0006-0672-0000-0000-0000-0000".
std::string ProcessorSerialText(std::uint32_t signature, std::uint32_t edx, std::uint32_t ecx);

// A processor's code name and transistor count (0 where not publicly known) from our own
// table of common processor families; empty for one the table lacks.
struct ProcessorDesign {
    std::string codeName;
    std::uint64_t transistors = 0;
};
ProcessorDesign LookupProcessorDesign(const std::string& vendorId, int family, int model);

// The clock rate in MHz from two readings of the time-stamp counter `elapsedMicroseconds`
// apart: the difference is taken in 64 bits (in 32 it wraps above 8.6 GHz over half a
// second); nothing when the counter did not move forward or no time passed.
std::optional<double> TimeStampRateMHz(std::uint64_t startCount, std::uint64_t endCount,
                                       double elapsedMicroseconds);

// Everything the page shows of a processor, from its identification answers; `count` is
// the number of logical processors.
ProcessorFacts IdentifyProcessor(const CpuidReadings& readings, int count);

} // namespace domora
