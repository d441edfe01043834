#include "platform/posix/SdBusConnection.h"

#include <cstring>

namespace domora {

SdBusConnection::SdBusConnection(Bus bus, std::uint64_t callTimeoutUsec, bool interactive) {
    const int result = bus == Bus::System ? sd_bus_open_system(&bus_) : sd_bus_open_user(&bus_);
    if (result < 0) {
        bus_ = nullptr;
        failure_ = std::string(bus == Bus::System ? "нет связи с системной шиной D-Bus"
                                                  : "нет связи с шиной D-Bus сеанса") +
                   " (" + std::strerror(-result) + ").";
        return;
    }
    sd_bus_set_method_call_timeout(bus_, callTimeoutUsec);
    sd_bus_set_allow_interactive_authorization(bus_, interactive ? 1 : 0);
}

SdBusConnection::~SdBusConnection() {
    if (bus_ != nullptr) {
        sd_bus_flush_close_unref(bus_);
    }
}

std::string SdBusError::describe(int result) const {
    std::string words = error_.message != nullptr && *error_.message != '\0' ? error_.message
                        : error_.name != nullptr                             ? error_.name
                                                                             : std::strerror(-result);
    if (sd_bus_error_has_name(&error_, SD_BUS_ERROR_SERVICE_UNKNOWN) ||
        sd_bus_error_has_name(&error_, SD_BUS_ERROR_NAME_HAS_NO_OWNER)) {
        return "служба не запущена (" + words + ").";
    }
    if (sd_bus_error_has_name(&error_, SD_BUS_ERROR_ACCESS_DENIED) ||
        sd_bus_error_has_name(&error_, SD_BUS_ERROR_INTERACTIVE_AUTHORIZATION_REQUIRED) ||
        sd_bus_error_has_name(&error_, "org.freedesktop.PolicyKit1.Error.NotAuthorized")) {
        return "система не разрешила это действие (" + words + ").";
    }
    if (sd_bus_error_has_name(&error_, SD_BUS_ERROR_NO_REPLY) ||
        sd_bus_error_has_name(&error_, SD_BUS_ERROR_TIMEOUT) || result == -ETIMEDOUT) {
        return "служба не ответила вовремя (" + words + ").";
    }
    return "служба ответила ошибкой (" + words + ").";
}

} // namespace domora
