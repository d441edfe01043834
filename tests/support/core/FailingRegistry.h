#pragma once

#include "core/app/Registry.h"

#include <memory>
#include <string>

namespace domora {

// A registry in front of another one that fails on demand, like a full disk or missing
// access rights. Only value writes and deletions count as writes; creating a key does not.
class FailingRegistry final : public Registry {
public:
    explicit FailingRegistry(Registry& inner) : inner_(inner) {}

    std::unique_ptr<RegistryKey> openKey(RegHive hive, const std::string& path, bool create) override;

    // Every write after the next `writes` ones fails, also on keys opened before; -1 never.
    void failWritesAfter(int writes) { writesLeft_ = writes; }

private:
    friend class FailingKey;
    Registry& inner_;
    int writesLeft_ = -1;
};

} // namespace domora
