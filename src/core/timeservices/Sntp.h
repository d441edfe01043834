#pragma once

#include "core/timeservices/NtpPacket.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace domora {

// The simple network time client: one request, one reply, four timestamps.
//   T1 our transmit time (the reply's originate timestamp echoes it)
//   T2 the server's receive time, T3 the server's transmit time
//   T4 the time the reply reached us

inline constexpr std::uint16_t kNtpPort = 123;

// A client request (version 4, mode 3) carrying T1 as its transmit timestamp. The low
// `randomBits` fill the bits below a microsecond, so that a reply must echo a value nobody
// off the path can guess.
NtpPacket MakeNtpRequest(NtpTimestamp transmit, std::uint32_t randomBits);

// Why a reply is not taken. Each has its own message (RejectionText).
enum class Rejection {
    None,
    Truncated,      // shorter than the 48-byte header
    NotOurRequest,  // the originate timestamp is not our T1: forged, or late for an earlier request
    WrongMode,      // neither 4 (server) nor 5 (broadcast)
    WrongVersion,   // neither 3 nor 4
    KissRate,       // stratum 0 with code RATE: asked too often
    KissDeny,       // stratum 0 with code DENY: access denied
    KissRestrict,   // stratum 0 with code RSTR: access restricted
    Unsynchronised, // leap indicator 3
    KissOther,      // stratum 0 with another code
    BadStratum,     // stratum above 15
    ZeroTransmit,   // no transmit timestamp
    BadServerTimes, // no receive timestamp, or the server sent before it received
    RootDelay,      // root delay 16 s or more
    RootDispersion, // root dispersion 16 s or more
};

struct ReplyCheck {
    Rejection rejection = Rejection::None;
    NtpPacket packet;     // as decoded; empty for a truncated reply
    std::size_t size = 0; // of the datagram
    bool ok() const { return rejection == Rejection::None; }
    // The server refused to serve us (RATE, DENY, RSTR): ask it nothing more.
    bool refusal() const;
};

// Checks a datagram received for the request whose transmit timestamp was `sentTransmit`.
// The checks run in this order, and the first that fails names the rejection: size,
// originate, mode, version, the refusal codes, leap indicator, stratum, transmit timestamp,
// the server's two times, root delay, root dispersion.
ReplyCheck CheckNtpReply(std::span<const std::uint8_t> datagram, NtpTimestamp sentTransmit);

// The reason in Russian, naming what was found ("режим 2", "код «XYZW»").
std::string RejectionText(const ReplyCheck& check);

// One exchange's result, in microseconds: how far our clock is behind the server's (add it
// to our clock) and the round trip without the server's own time.
struct NtpSample {
    std::int64_t offsetMicros = 0;
    std::int64_t delayMicros = 0;
    bool operator==(const NtpSample&) const = default;
};

// offset = ((T2 - T1) + (T3 - T4)) / 2, delay = (T4 - T1) - (T3 - T2).
NtpSample ComputeSample(NtpTimestamp t1, NtpTimestamp t2, NtpTimestamp t3, NtpTimestamp t4);

// The sample of the lowest delay (the first of equals): the least disturbed by the way
// there and back. Nothing for no samples.
std::optional<NtpSample> BestSample(std::span<const NtpSample> samples);

// The clock is never moved by more than a day without the user's say.
inline constexpr std::int64_t kLargeShiftMicros = 24LL * 60 * 60 * 1000000;
bool IsLargeShift(std::int64_t offsetMicros);

// Seconds with six decimals: "+3600.250012", "-0.000153", "0.000153" (a sign for a positive
// value only with `plus`). `point` is the decimal separator.
std::string SecondsText(std::int64_t micros, bool plus, char point = '.');

// "12 ч 5 мин 3 с", "2 сут 0 ч 0 мин 1 с": the whole seconds of a span, for people.
std::string SpanText(std::int64_t micros);

// A server as written: "name", "name:port", "1.2.3.4:port", "[::1]:port" or "::1". The
// default port is 123.
struct ServerName {
    std::string host;
    std::uint16_t port = kNtpPort;
};
// Nothing for an empty host or a port that is not 1..65535; `error` (when given) then says
// why, in Russian.
std::optional<ServerName> ParseServerName(std::string_view text, std::string* error = nullptr);

} // namespace domora
