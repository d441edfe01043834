#include "core/holidays/HolidaySettings.h"

#include "core/app/Settings.h"
#include "core/base/NumberText.h"

namespace domora {
namespace {

constexpr int kMaxDaysAhead = 36500;

} // namespace

std::optional<int> ParseDaysAhead(std::string_view text) {
    const auto days = ParseInt32(text);
    if (!days || *days < 0 || *days > kMaxDaysAhead) {
        return std::nullopt;
    }
    return *days;
}

HolidaySettings LoadHolidaySettings(Registry& registry) {
    HolidaySettings settings;
    try {
        const auto key = registry.openKey(RegHive::CurrentUser, kCelebrateKey, true);
        if (!key) {
            return settings;
        }
        settings.Celebr = key->readBool("Celebr");
        settings.Kolich = static_cast<std::int32_t>(key->readInteger("Kolich"));
        key->close();
    } catch (const RegistryError&) {
        // A missing key or value leaves the page's controls as they are.
    }
    return settings;
}

bool SaveHolidaySettings(Registry& registry, bool celebr, std::string_view daysAheadText) {
    try {
        const auto key = registry.openKey(RegHive::CurrentUser, kCelebrateKey, true);
        if (!key) {
            return false;
        }
        key->writeBool("Celebr", celebr);
        const auto days = ParseDaysAhead(daysAheadText);
        if (days) {
            key->writeInteger("Kolich", static_cast<std::uint32_t>(*days));
        }
        key->close();
        return days.has_value();
    } catch (const RegistryError&) {
        return false;
    }
}

} // namespace domora
