// A private bus with a scripted system service on it, for the tests of the platform's D-Bus
// clients. The script is started as `python3 SCRIPT BUS_ADDRESS LOG STATE`, writes "ready"
// once it owns its name, notes each call in LOG and answers as the JSON file STATE says.

#pragma once

#include "TestSupport.h"

#include <memory>
#include <string>

#include <unistd.h>

namespace domora::test {

class StandInBus {
public:
    // The configuration of a private bus that listens at `socket`; the client finds it by
    // its address, whatever its type.
    static std::string Config(const std::string& socket) {
        return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:path=" +
               socket +
               "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
               "<allow user=\"*\"/><allow own=\"*\"/><allow send_destination=\"*\"/>"
               "<allow receive_sender=\"*\"/></policy></busconfig>\n";
    }

    // Starts a bus and, when `script` is not empty, the stand-in on it.
    explicit StandInBus(const std::string& script) {
        if (::access("/usr/bin/dbus-daemon", X_OK) != 0 || ::access("/usr/bin/python3", X_OK) != 0) {
            return;
        }
        usable_ = true;
        WriteFile(folder_.path("bus.conf"), Config(folder_.path("bus")));
        bus_ = std::make_unique<BackgroundProcess>(
            std::vector<std::string>{"dbus-daemon", "--config-file=" + folder_.path("bus.conf"), "--nofork",
                                     "--nopidfile", "--print-address={fd}"});
        address_ = bus_->firstLine();
        if (address_.empty() || script.empty()) {
            ready_ = !address_.empty();
            return;
        }
        service_ = std::make_unique<BackgroundProcess>(
            std::vector<std::string>{"/usr/bin/python3", script, address_, path("log"), path("state.json")});
        ready_ = service_->firstLine() == "ready";
    }

    // False when dbus-daemon or python3 is missing (the test is skipped then).
    bool usable() const { return usable_; }
    // Whether the bus and the stand-in started.
    bool ready() const { return ready_; }
    const std::string& address() const { return address_; }
    // A file in the bus's own folder.
    std::string path(const std::string& name) const { return folder_.path(name); }

    // The stand-in's answers from now on; its log emptied.
    void answer(const std::string& stateJson) const {
        WriteFile(path("state.json"), stateJson);
        WriteFile(path("log"), "");
    }
    // The calls that reached the stand-in, a line each.
    std::string calls() const { return ReadFile(path("log")).value_or(std::string()); }

private:
    TempFolder folder_;
    std::unique_ptr<BackgroundProcess> bus_;
    std::unique_ptr<BackgroundProcess> service_;
    std::string address_;
    bool usable_ = false;
    bool ready_ = false;
};

} // namespace domora::test
