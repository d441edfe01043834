#pragma once

#include <cstdint>
#include <string>

#include <systemd/sd-bus.h>

namespace domora {

// A connection of its own to the system or the session bus, closed with the object.
// The system bus is the one of $DBUS_SYSTEM_BUS_ADDRESS when that is set, the session bus
// the one of $DBUS_SESSION_BUS_ADDRESS.
class SdBusConnection {
public:
    enum class Bus { System, Session };

    // Calls wait at most `callTimeoutUsec` for their answer; with `interactive`, the
    // services may ask the user for a right (polkit) before answering.
    SdBusConnection(Bus bus, std::uint64_t callTimeoutUsec, bool interactive);
    ~SdBusConnection();
    SdBusConnection(const SdBusConnection&) = delete;
    SdBusConnection& operator=(const SdBusConnection&) = delete;

    // The connection, or nullptr when the bus could not be reached.
    sd_bus* get() const { return bus_; }
    // Why the bus could not be reached (Russian), or empty.
    const std::string& failure() const { return failure_; }

private:
    sd_bus* bus_ = nullptr;
    std::string failure_;
};

// An error set by an sd-bus call, freed with the object.
class SdBusError {
public:
    SdBusError() = default;
    ~SdBusError() { sd_bus_error_free(&error_); }
    SdBusError(const SdBusError&) = delete;
    SdBusError& operator=(const SdBusError&) = delete;

    sd_bus_error* get() { return &error_; }
    // The reason in Russian, the service's own words in brackets; `result` is the negative
    // errno the call returned, used when the error carries no text.
    std::string describe(int result) const;

private:
    sd_bus_error error_ = SD_BUS_ERROR_NULL;
};

// A message, unreferenced with the object.
class SdBusMessage {
public:
    SdBusMessage() = default;
    ~SdBusMessage() { sd_bus_message_unref(message_); }
    SdBusMessage(const SdBusMessage&) = delete;
    SdBusMessage& operator=(const SdBusMessage&) = delete;

    sd_bus_message** out() { return &message_; }
    sd_bus_message* get() const { return message_; }

private:
    sd_bus_message* message_ = nullptr;
};

} // namespace domora
