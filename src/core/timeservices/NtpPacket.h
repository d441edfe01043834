#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace domora {

// An NTP timestamp: seconds since 1900-01-01 00:00 UTC in the high 32 bits, the fraction of
// the second in the low 32 bits. The seconds wrap every 2^32 s (136 years; the first wrap,
// the start of era 1, falls on 2036-02-07 06:28:16 UTC), so a timestamp alone does not say
// its era: differences of timestamps taken within 68 years of each other are exact whatever
// the era, and that is all the time synchronisation needs.
using NtpTimestamp = std::uint64_t;

// Seconds from 1900-01-01 to 1970-01-01.
inline constexpr std::int64_t kNtpUnixEpochSeconds = 2208988800;

// Microseconds since 1970-01-01 UTC (negative before) as an NTP timestamp of its era.
NtpTimestamp NtpFromUnixMicros(std::int64_t unixMicros);

// `later - earlier` in microseconds (rounded to the nearest), taking the shorter way round
// the era: exact while the two are less than 68 years apart.
std::int64_t NtpDifferenceMicros(NtpTimestamp later, NtpTimestamp earlier);

// The 48-byte header of an NTP packet (network byte order on the wire). Root delay and root
// dispersion are in the short format: seconds in the high 16 bits, the fraction in the low.
struct NtpPacket {
    std::uint8_t leap = 0;    // 2 bits: 0 no warning, 1 and 2 a leap second ahead, 3 unsynchronised
    std::uint8_t version = 4; // 3 bits
    std::uint8_t mode = 3;    // 3 bits: 3 client, 4 server, 5 broadcast
    std::uint8_t stratum = 0; // 0 a refusal ("kiss-o'-death", its code in referenceId), 1..15
    std::int8_t poll = 0;
    std::int8_t precision = 0;
    std::uint32_t rootDelay = 0;
    std::uint32_t rootDispersion = 0;
    std::uint32_t referenceId = 0; // for stratum 0 four ASCII letters, the first in the high byte
    NtpTimestamp reference = 0;
    NtpTimestamp originate = 0;
    NtpTimestamp receive = 0;
    NtpTimestamp transmit = 0;

    bool operator==(const NtpPacket&) const = default;
};

inline constexpr std::size_t kNtpPacketSize = 48;

std::array<std::uint8_t, kNtpPacketSize> EncodeNtpPacket(const NtpPacket& packet);

// The header of a datagram; what follows it (extension fields, a key and digest) is ignored.
// Nothing when the datagram is shorter than the header.
std::optional<NtpPacket> DecodeNtpPacket(std::span<const std::uint8_t> bytes);

} // namespace domora
