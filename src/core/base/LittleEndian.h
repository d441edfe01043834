#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace domora {

// The 8-byte little-endian IEEE 754 doubles of the record files and the registry (dates,
// times, money). The offset must leave 8 bytes inside `bytes`.
double ReadDoubleLE(std::span<const std::uint8_t> bytes, std::size_t offset = 0);
void WriteDoubleLE(std::span<std::uint8_t> bytes, std::size_t offset, double value);

} // namespace domora
