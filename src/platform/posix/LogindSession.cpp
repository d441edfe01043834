#include "platform/posix/LogindSession.h"

#include "platform/posix/SdBusConnection.h"

#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace domora {
namespace {

constexpr const char* Service = "org.freedesktop.login1";
constexpr const char* ManagerPath = "/org/freedesktop/login1";
constexpr const char* Manager = "org.freedesktop.login1.Manager";
constexpr const char* SessionInterface = "org.freedesktop.login1.Session";
// The user may take a while to answer polkit's question.
constexpr std::uint64_t CallTimeoutUsec = 300ULL * 1000 * 1000;

// An inhibitor as ListInhibitors lists it.
struct Inhibitor {
    std::string what; // "shutdown:sleep", ...
    std::string who;
    std::string why;
    std::string mode; // "block" or "delay"
};

// True when the colon-separated `list` holds `item`.
bool ListHolds(const std::string& list, const std::string& item) {
    return (":" + list + ":").find(":" + item + ":") != std::string::npos;
}

// Returns true and fills `inhibitors`, or false and the reason in `failure`.
bool ListInhibitors(sd_bus* bus, std::vector<Inhibitor>& inhibitors, std::string& failure) {
    SdBusError error;
    SdBusMessage reply;
    int result = sd_bus_call_method(bus, Service, ManagerPath, Manager, "ListInhibitors", error.get(),
                                    reply.out(), "");
    if (result < 0) {
        failure = error.describe(result);
        return false;
    }
    result = sd_bus_message_enter_container(reply.get(), 'a', "(ssssuu)");
    for (;;) {
        const char* what = nullptr;
        const char* who = nullptr;
        const char* why = nullptr;
        const char* mode = nullptr;
        std::uint32_t uid = 0;
        std::uint32_t pid = 0;
        if (result < 0 || (result = sd_bus_message_read(reply.get(), "(ssssuu)", &what, &who, &why, &mode,
                                                        &uid, &pid)) <= 0) {
            break;
        }
        inhibitors.push_back({what, who, why, mode});
    }
    if (result < 0) {
        failure = error.describe(result);
        return false;
    }
    return true;
}

// Why `action` ("Выключение запрещено сейчас") is refused: the blockers of `kind` among
// `inhibitors`, by name and reason.
std::string Refusal(const std::string& action, const std::vector<Inhibitor>& inhibitors,
                    const std::string& kind) {
    std::vector<const Inhibitor*> blockers;
    for (const auto& inhibitor : inhibitors) {
        if (inhibitor.mode == "block" && ListHolds(inhibitor.what, kind)) {
            blockers.push_back(&inhibitor);
        }
    }
    if (blockers.empty()) {
        return action + " другой программой.";
    }
    if (blockers.size() == 1) {
        const Inhibitor& one = *blockers.front();
        return action + " программой «" + one.who + "»" + (one.why.empty() ? "." : ": " + one.why + ".");
    }
    std::string text = action + " программами ";
    for (const Inhibitor* blocker : blockers) {
        text += (blocker == blockers.front() ? "«" : ", «") + blocker->who + "»";
        if (!blocker->why.empty()) {
            text += " (" + blocker->why + ")";
        }
    }
    return text + ".";
}

// Our own session: $XDG_SESSION_ID, else the one logind finds for our process. Returns the
// id, or empty and the reason in `failure`.
std::string OwnSession(sd_bus* bus, std::string& failure) {
    if (const char* id = std::getenv("XDG_SESSION_ID"); id != nullptr && *id != '\0') {
        return id;
    }
    SdBusError error;
    SdBusMessage reply;
    int result = sd_bus_call_method(bus, Service, ManagerPath, Manager, "GetSessionByPID", error.get(),
                                    reply.out(), "u", static_cast<std::uint32_t>(::getpid()));
    const char* path = nullptr;
    if (result >= 0) {
        result = sd_bus_message_read(reply.get(), "o", &path);
    }
    if (result < 0) {
        failure = error.describe(result);
        return {};
    }
    SdBusError propertyError;
    char* id = nullptr;
    result = sd_bus_get_property_string(bus, Service, path, SessionInterface, "Id", propertyError.get(), &id);
    if (result < 0) {
        failure = propertyError.describe(result);
        return {};
    }
    std::string session = id;
    std::free(id);
    return session;
}

} // namespace

ActionResult LogindSession::endSession(SessionEnd how, bool forced) {
    switch (how) {
    case SessionEnd::LogOff:
        return perform(Kind::LogOff, forced);
    case SessionEnd::Restart:
        return perform(Kind::Restart, forced);
    case SessionEnd::PowerOff:
        return perform(Kind::PowerOff, forced);
    }
    return perform(Kind::PowerOff, forced);
}

ActionResult LogindSession::suspend() {
    return perform(Kind::Suspend, false);
}

ActionResult LogindSession::perform(Kind kind, bool forced) {
    struct Words {
        const char* failed;
        const char* blocked;
        const char* inhibitKind;
        const char* method;
    };
    static constexpr Words words[] = {
        {"Не удалось выйти из системы: ", "Выход из системы запрещён сейчас", "shutdown", "TerminateSession"},
        {"Не удалось перезагрузить компьютер: ", "Перезагрузка запрещена сейчас", "shutdown", "Reboot"},
        {"Не удалось выключить компьютер: ", "Выключение запрещено сейчас", "shutdown", "PowerOff"},
        {"Не удалось перевести компьютер в спящий режим: ", "Переход в спящий режим запрещён сейчас", "sleep",
         "Suspend"},
    };
    const Words& w = words[static_cast<int>(kind)];
    const auto failed = [&w](const std::string& reason) { return ActionResult::failed(w.failed + reason); };

    SdBusConnection bus(SdBusConnection::Bus::System, CallTimeoutUsec, true);
    if (bus.get() == nullptr) {
        return failed(bus.failure());
    }
    if (!forced) {
        SdBusError error;
        char* blocked = nullptr;
        const int result = sd_bus_get_property_string(bus.get(), Service, ManagerPath, Manager,
                                                      "BlockInhibited", error.get(), &blocked);
        if (result < 0) {
            return failed(error.describe(result));
        }
        const bool isBlocked = ListHolds(blocked, w.inhibitKind);
        std::free(blocked);
        if (isBlocked) {
            std::vector<Inhibitor> inhibitors;
            std::string failure;
            if (!ListInhibitors(bus.get(), inhibitors, failure)) {
                return failed(failure);
            }
            return ActionResult::failed(Refusal(w.blocked, inhibitors, w.inhibitKind));
        }
    }

    SdBusError error;
    int result = 0;
    if (kind == Kind::LogOff) {
        std::string failure;
        const std::string session = OwnSession(bus.get(), failure);
        if (session.empty()) {
            return failed(failure.empty() ? "не найден сеанс этой программы." : failure);
        }
        result = sd_bus_call_method(bus.get(), Service, ManagerPath, Manager, w.method, error.get(), nullptr,
                                    "s", session.c_str());
    } else {
        result = sd_bus_call_method(bus.get(), Service, ManagerPath, Manager, w.method, error.get(), nullptr,
                                    "b", 1);
    }
    if (result < 0) {
        return failed(error.describe(result));
    }
    return ActionResult::ok();
}

} // namespace domora
