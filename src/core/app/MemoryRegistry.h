#pragma once

#include "core/app/Registry.h"
#include "core/app/RegistryHive.h"

#include <memory>
#include <string>

namespace domora {

// A Registry over a hive in memory: the settings store of tests, and the model under the
// file-backed store of the Linux build.
class MemoryRegistry final : public Registry {
public:
    MemoryRegistry() = default;
    explicit MemoryRegistry(RegistryHive hive) : hive_(std::move(hive)) {}

    std::unique_ptr<RegistryKey> openKey(RegHive hive, const std::string& path, bool create) override;

    RegistryHive& hive() { return hive_; }
    const RegistryHive& hive() const { return hive_; }

private:
    friend class MemoryRegistryKey;
    RegistryHive hive_;
};

} // namespace domora
