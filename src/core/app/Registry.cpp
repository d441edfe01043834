#include "core/app/Registry.h"

#include "core/app/RegistryNames.h"
#include "core/base/LittleEndian.h"

namespace domora {

double RegistryKey::readDouble(const std::string& name) {
    const auto bytes = readBinary8(name);
    return ReadDoubleLE(bytes);
}

void RegistryKey::writeDouble(const std::string& name, double value) {
    std::array<std::uint8_t, 8> bytes{};
    WriteDoubleLE(bytes, 0, value);
    writeBinary8(name, bytes);
}

std::unique_ptr<RegistryKey> OpenKeyOrThrow(Registry& registry, const std::string& path, bool create) {
    auto key = registry.openKey(RegHive::CurrentUser, path, create);
    if (!key) {
        const std::string fault = RegNameFault(path);
        throw RegistryError("Раздел «" + ShownRegName(path) + "» не открывается" +
                            (fault.empty() ? std::string(".") : ": " + fault + "."));
    }
    return key;
}

} // namespace domora
