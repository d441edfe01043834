#include "core/app/Registry.h"

#include <bit>

namespace domora {

double RegistryKey::readDouble(const std::string& name) {
    const auto bytes = readBinary8(name);
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

void RegistryKey::writeDouble(const std::string& name, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::array<std::uint8_t, 8> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    writeBinary8(name, bytes);
}

} // namespace domora
