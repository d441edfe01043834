#include "platform/SettingsStore.h"
#include "platform/win32/Win32Registry.h"

namespace domora {
namespace {

// The system registry; it is never replaced behind the user's back, so nothing is reported.
class Win32SettingsStore final : public SettingsStore {
public:
    Registry& registry() override { return registry_; }
    std::string takeDamageReport() override { return {}; }

private:
    Win32Registry registry_;
};

} // namespace

std::unique_ptr<SettingsStore> CreateSettingsStore() {
    return std::make_unique<Win32SettingsStore>();
}

} // namespace domora
