#pragma once

#include "core/app/Registry.h"

#include <memory>
#include <string>

namespace domora {

// The settings store of the system alone, the same one Platform::registry() gives domora: for
// the helper programs that need nothing else of the platform and should start quickly.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual Registry& registry() = 0;
    // Once: a Russian text saying the settings file was damaged and replaced by an empty
    // one (a copy kept), or empty.
    virtual std::string takeDamageReport() = 0;
};

std::unique_ptr<SettingsStore> CreateSettingsStore();

} // namespace domora
