#pragma once

#include "platform/SleepWatch.h"

#include <memory>

#include <systemd/sd-bus.h>

namespace domora {

class SdBusConnection;

// logind's PrepareForSleep(bool start) on the system bus: true before the sleep, false
// after the wake. Only the signal sent by org.freedesktop.login1 itself is heard.
class LogindSleepWatch final : public SleepWatch {
public:
    LogindSleepWatch();
    ~LogindSleepWatch() override;

    bool start(Listener listener) override;
    int descriptor() const override;
    void process() override;

private:
    static int onSignal(sd_bus_message* message, void* self, sd_bus_error* error);

    std::unique_ptr<SdBusConnection> bus_;
    sd_bus_slot* slot_ = nullptr;
    Listener listener_;
};

} // namespace domora
