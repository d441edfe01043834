#include "core/base/LittleEndian.h"

#include <bit>

namespace domora {

double ReadDoubleLE(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        bits |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

void WriteDoubleLE(std::span<std::uint8_t> bytes, std::size_t offset, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

} // namespace domora
