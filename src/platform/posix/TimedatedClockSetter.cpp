#include "platform/posix/TimedatedClockSetter.h"

#include "core/base/OleDate.h"
#include "platform/posix/SdBusConnection.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>

#include <unistd.h>

namespace domora {

namespace {

constexpr const char* Service = "org.freedesktop.timedate1";
constexpr const char* Path = "/org/freedesktop/timedate1";
constexpr const char* Interface = "org.freedesktop.timedate1";
// The user may take a while to answer polkit's question.
constexpr std::uint64_t CallTimeoutUsec = 300ULL * 1000 * 1000;
// 1 January 1970 as an OLE date.
constexpr double kUnixEpochOle = 25569.0;
constexpr std::int64_t kUsecPerSecond = 1000000;

constexpr const char* kNotSet = "Часы не установлены: ";

std::int64_t UsecSinceEpoch(const DateTime& utc) {
    const double ole = DateTimeToOle(utc);
    return std::llround((ole - kUnixEpochOle) * 86400000.0) * 1000;
}

std::string NoRights() {
    return std::string(kNotSet) + "нет прав на изменение системного времени.";
}

} // namespace

TimedatedClockSetter::TimedatedClockSetter(bool direct) : direct_(direct) {}

ActionResult TimedatedClockSetter::setUtc(const DateTime& utc) {
    const std::int64_t usec = UsecSinceEpoch(utc);
    return direct_ ? setDirectly(usec) : askService(usec, false);
}

ActionResult TimedatedClockSetter::shiftBy(std::int64_t microseconds) {
    if (!direct_) {
        return askService(microseconds, true);
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return setDirectly(static_cast<std::int64_t>(now.tv_sec) * kUsecPerSecond + now.tv_nsec / 1000 +
                       microseconds);
}

ActionResult TimedatedClockSetter::setDirectly(std::int64_t usecSinceEpoch) {
    timespec wanted{};
    wanted.tv_sec = static_cast<time_t>(usecSinceEpoch / kUsecPerSecond);
    wanted.tv_nsec = static_cast<long>((usecSinceEpoch % kUsecPerSecond) * 1000);
    if (wanted.tv_nsec < 0) {
        wanted.tv_sec -= 1;
        wanted.tv_nsec += 1000000000L;
    }
    if (::clock_settime(CLOCK_REALTIME, &wanted) == 0) {
        return ActionResult::ok();
    }
    const int error = errno;
    if (error == EPERM) {
        return ActionResult::failed(NoRights());
    }
    return ActionResult::failed(std::string(kNotSet) + std::strerror(error) + ".");
}

ActionResult TimedatedClockSetter::askService(std::int64_t usec, bool relative) {
    SdBusConnection bus(SdBusConnection::Bus::System, CallTimeoutUsec, true);
    if (bus.get() == nullptr) {
        return ActionResult::failed(std::string(kNotSet) + bus.failure());
    }
    SdBusError error;
    SdBusMessage reply;
    const int result =
        sd_bus_call_method(bus.get(), Service, Path, Interface, "SetTime", error.get(), reply.out(), "xbb",
                           static_cast<std::int64_t>(usec), static_cast<int>(relative), 1);
    if (result >= 0) {
        return ActionResult::ok();
    }
    if (sd_bus_error_has_name(error.get(), "org.freedesktop.timedate1.AutomaticTimeSyncEnabled")) {
        return ActionResult::failed(std::string(kNotSet) +
                                    "включена автоматическая синхронизация времени системы (NTP). "
                                    "Пока она включена, система сама поправляет часы и не даёт менять их.");
    }
    if (sd_bus_error_has_name(error.get(), SD_BUS_ERROR_ACCESS_DENIED) ||
        sd_bus_error_has_name(error.get(), SD_BUS_ERROR_INTERACTIVE_AUTHORIZATION_REQUIRED) ||
        sd_bus_error_has_name(error.get(), "org.freedesktop.PolicyKit1.Error.NotAuthorized")) {
        return ActionResult::failed(NoRights());
    }
    return ActionResult::failed(std::string(kNotSet) +
                                "служба времени системы (systemd-timedated): " + error.describe(result));
}

std::unique_ptr<ClockSetter> CreateSystemClockSetter() {
    return std::make_unique<TimedatedClockSetter>(::geteuid() == 0);
}

} // namespace domora
