#include "core/timeservices/NtpPacket.h"

namespace domora {
namespace {

constexpr std::int64_t kMicrosPerSecond = 1000000;
constexpr std::uint64_t kFractionUnit = std::uint64_t{1} << 32;

void Put32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

void Put64(std::uint8_t* out, std::uint64_t value) {
    Put32(out, static_cast<std::uint32_t>(value >> 32));
    Put32(out + 4, static_cast<std::uint32_t>(value));
}

std::uint32_t Get32(const std::uint8_t* in) {
    return (std::uint32_t{in[0]} << 24) | (std::uint32_t{in[1]} << 16) | (std::uint32_t{in[2]} << 8) |
           std::uint32_t{in[3]};
}

std::uint64_t Get64(const std::uint8_t* in) {
    return (std::uint64_t{Get32(in)} << 32) | Get32(in + 4);
}

} // namespace

NtpTimestamp NtpFromUnixMicros(std::int64_t unixMicros) {
    std::int64_t seconds = unixMicros / kMicrosPerSecond;
    std::int64_t micros = unixMicros % kMicrosPerSecond;
    if (micros < 0) {
        micros += kMicrosPerSecond;
        --seconds;
    }
    // The era is dropped: only the low 32 bits of the seconds are kept.
    const auto ntpSeconds =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds + kNtpUnixEpochSeconds));
    const std::uint64_t fraction =
        (static_cast<std::uint64_t>(micros) * kFractionUnit + kMicrosPerSecond / 2) / kMicrosPerSecond;
    return (std::uint64_t{ntpSeconds} << 32) + fraction;
}

std::int64_t NtpDifferenceMicros(NtpTimestamp later, NtpTimestamp earlier) {
    // The wrapped difference read as signed 32.32 fixed point.
    const auto difference = static_cast<std::int64_t>(later - earlier);
    const std::int64_t seconds = difference >> 32; // floor, also below zero
    const std::uint64_t fraction = static_cast<std::uint64_t>(difference) & 0xFFFFFFFFu;
    const auto micros = static_cast<std::int64_t>((fraction * kMicrosPerSecond + kFractionUnit / 2) >> 32);
    return seconds * kMicrosPerSecond + micros;
}

std::array<std::uint8_t, kNtpPacketSize> EncodeNtpPacket(const NtpPacket& packet) {
    std::array<std::uint8_t, kNtpPacketSize> out{};
    out[0] = static_cast<std::uint8_t>(((packet.leap & 3u) << 6) | ((packet.version & 7u) << 3) |
                                       (packet.mode & 7u));
    out[1] = packet.stratum;
    out[2] = static_cast<std::uint8_t>(packet.poll);
    out[3] = static_cast<std::uint8_t>(packet.precision);
    Put32(&out[4], packet.rootDelay);
    Put32(&out[8], packet.rootDispersion);
    Put32(&out[12], packet.referenceId);
    Put64(&out[16], packet.reference);
    Put64(&out[24], packet.originate);
    Put64(&out[32], packet.receive);
    Put64(&out[40], packet.transmit);
    return out;
}

std::optional<NtpPacket> DecodeNtpPacket(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kNtpPacketSize) {
        return std::nullopt;
    }
    NtpPacket packet;
    packet.leap = static_cast<std::uint8_t>(bytes[0] >> 6);
    packet.version = static_cast<std::uint8_t>((bytes[0] >> 3) & 7u);
    packet.mode = static_cast<std::uint8_t>(bytes[0] & 7u);
    packet.stratum = bytes[1];
    packet.poll = static_cast<std::int8_t>(bytes[2]);
    packet.precision = static_cast<std::int8_t>(bytes[3]);
    packet.rootDelay = Get32(&bytes[4]);
    packet.rootDispersion = Get32(&bytes[8]);
    packet.referenceId = Get32(&bytes[12]);
    packet.reference = Get64(&bytes[16]);
    packet.originate = Get64(&bytes[24]);
    packet.receive = Get64(&bytes[32]);
    packet.transmit = Get64(&bytes[40]);
    return packet;
}

} // namespace domora
