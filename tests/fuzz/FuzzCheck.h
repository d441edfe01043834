#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>

namespace domora::fuzz {

// Stops the run where a property of the code under test does not hold, so that libFuzzer
// keeps the input and reports it; `what` says which property.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        __builtin_trap();
    }
}

// Doubles equal bit for bit: a NaN read from a file must come back as the same NaN.
inline bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace domora::fuzz
