#include "platform/SettingsStore.h"
#include "platform/posix/FileRegistry.h"

namespace domora {
namespace {

// The settings file of $XDG_CONFIG_HOME/domora, shared with domora under its lock.
class PosixSettingsStore final : public SettingsStore {
public:
    PosixSettingsStore() : registry_(DefaultRegistryPath()) {}
    Registry& registry() override { return registry_; }
    std::string takeDamageReport() override { return registry_.takeDamageReport(); }

private:
    FileRegistry registry_;
};

} // namespace

std::unique_ptr<SettingsStore> CreateSettingsStore() {
    return std::make_unique<PosixSettingsStore>();
}

} // namespace domora
