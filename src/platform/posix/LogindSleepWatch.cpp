#include "platform/posix/LogindSleepWatch.h"

#include "platform/posix/SdBusConnection.h"

namespace domora {

namespace {

// The match is added with a call of its own; the bus answers at once.
constexpr std::uint64_t kCallTimeoutUsec = 5ULL * 1000 * 1000;

} // namespace

std::unique_ptr<SleepWatch> CreateSleepWatch() {
    return std::make_unique<LogindSleepWatch>();
}

LogindSleepWatch::LogindSleepWatch() = default;

LogindSleepWatch::~LogindSleepWatch() {
    sd_bus_slot_unref(slot_);
}

bool LogindSleepWatch::start(Listener listener) {
    if (bus_) {
        return slot_ != nullptr;
    }
    listener_ = std::move(listener);
    bus_ = std::make_unique<SdBusConnection>(SdBusConnection::Bus::System, kCallTimeoutUsec, false);
    if (bus_->get() == nullptr) {
        return false;
    }
    const int result = sd_bus_match_signal(bus_->get(), &slot_, "org.freedesktop.login1",
                                           "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                           "PrepareForSleep", &LogindSleepWatch::onSignal, this);
    if (result < 0) {
        slot_ = nullptr;
        return false;
    }
    return true;
}

int LogindSleepWatch::descriptor() const {
    return slot_ != nullptr ? sd_bus_get_fd(bus_->get()) : -1;
}

void LogindSleepWatch::process() {
    if (slot_ == nullptr) {
        return;
    }
    // Each call handles one message; what was read along with it waits in the connection.
    while (sd_bus_process(bus_->get(), nullptr) > 0) {
    }
}

int LogindSleepWatch::onSignal(sd_bus_message* message, void* self, sd_bus_error* /*error*/) {
    int starting = 0;
    if (sd_bus_message_read(message, "b", &starting) < 0) {
        return 0;
    }
    auto* watch = static_cast<LogindSleepWatch*>(self);
    if (watch->listener_) {
        watch->listener_(starting != 0 ? Change::Suspending : Change::Resumed);
    }
    return 0;
}

} // namespace domora
