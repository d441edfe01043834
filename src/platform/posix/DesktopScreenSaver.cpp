#include "platform/posix/DesktopScreenSaver.h"

#include "platform/posix/SdBusConnection.h"

namespace domora {
namespace {

constexpr std::uint64_t CallTimeoutUsec = 5ULL * 1000 * 1000;

} // namespace

bool DesktopScreenSaver::activate(std::string& failure) {
    SdBusConnection bus(SdBusConnection::Bus::Session, CallTimeoutUsec, false);
    if (bus.get() == nullptr) {
        failure = bus.failure();
        return false;
    }
    struct Service {
        const char* name;
        const char* path;
    };
    static constexpr Service services[] = {
        {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"},
        {"org.freedesktop.ScreenSaver", "/ScreenSaver"},
        {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"},
    };
    for (const auto& service : services) {
        SdBusError error;
        SdBusMessage reply;
        int result = sd_bus_call_method(bus.get(), service.name, service.path, service.name, "SetActive",
                                        error.get(), reply.out(), "b", 1);
        int activated = 0;
        if (result >= 0) {
            result = sd_bus_message_read(reply.get(), "b", &activated);
        }
        if (result >= 0 && activated) {
            return true;
        }
        failure = result < 0 ? error.describe(result) : "заставка не включилась.";
    }
    return false;
}

} // namespace domora
