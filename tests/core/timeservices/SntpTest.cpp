#include "core/timeservices/Sntp.h"

#include <gtest/gtest.h>

#include <vector>

namespace domora {
namespace {

constexpr std::int64_t kSecond = 1000000;
// 2036-02-07 06:28:16 UTC: the NTP seconds wrap to 0, era 1 begins.
constexpr std::int64_t kEra1 = 2085978496LL * kSecond;
constexpr std::int64_t kDec2026 = 1796601600LL * kSecond;

NtpTimestamp At(std::int64_t unixMicros) {
    return NtpFromUnixMicros(unixMicros);
}

TEST(NtpTimestamp, CarriesMicrosecondsAndWrapsAtTheEra) {
    EXPECT_EQ(At(0), NtpTimestamp{2208988800} << 32);
    EXPECT_EQ(At(kEra1), 0u);
    EXPECT_EQ(At(kEra1 - 1), 0xFFFFFFFFFFFFEF39u); // the last microsecond of era 0
    EXPECT_EQ(At(kDec2026 + kSecond / 2) & 0xFFFFFFFFu, 0x80000000u);
    EXPECT_EQ(At(-1), (NtpTimestamp{2208988799} << 32) + 0xFFFFEF39u);

    struct Case {
        std::int64_t later, earlier;
    };
    const Case cases[] = {
        {kDec2026 + 1, kDec2026},
        {kDec2026 + 3600250012, kDec2026},
        {kEra1 + 250000, kEra1 - kSecond},                // across the wrap
        {kEra1 - kSecond, kEra1 + 250000},                // backwards across it
        {-123456789, kDec2026},                           // before 1970 against now
        {kEra1 + 40LL * 365 * 86400 * kSecond, kDec2026}, // 2076 against 2026, eras apart
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NtpDifferenceMicros(At(c.later), At(c.earlier)), c.later - c.earlier) << c.later;
    }
}

TEST(NtpPacket, EncodesAndDecodesTheHeader) {
    NtpPacket packet;
    packet.leap = 1;
    packet.version = 4;
    packet.mode = 4;
    packet.stratum = 2;
    packet.poll = 6;
    packet.precision = -20;
    packet.rootDelay = 0x00010203;
    packet.rootDispersion = 0x04050607;
    packet.referenceId = 0xC0000201;
    packet.reference = 0x1112131415161718;
    packet.originate = 0x2122232425262728;
    packet.receive = 0x3132333435363738;
    packet.transmit = 0x4142434445464748;
    const auto bytes = EncodeNtpPacket(packet);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 16);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x64, 2, 6, 0xEC, 0, 1, 2, 3, 4, 5, 6, 7, 0xC0, 0, 2, 1}));
    EXPECT_EQ(bytes[24], 0x21);
    EXPECT_EQ(bytes[47], 0x48);

    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.resize(68, 0xAA); // a key and digest after the header
    EXPECT_EQ(DecodeNtpPacket(longer), packet);
    EXPECT_FALSE(DecodeNtpPacket(std::span(bytes).first(47)));
}

TEST(Sntp, RequestIsAClientPacketEchoingOurTimeAndRandomBitsBelowAMicrosecond) {
    const NtpTimestamp t1 = At(kDec2026 + 123456);
    const NtpPacket request = MakeNtpRequest(t1, 0xFFFFFABCu);
    EXPECT_EQ(EncodeNtpPacket(request)[0], 0x23); // LI 0, version 4, mode 3
    EXPECT_EQ(request.transmit & 0xFFFu, 0xABCu);
    EXPECT_EQ(NtpDifferenceMicros(request.transmit, t1), 0);
    EXPECT_NE(MakeNtpRequest(t1, 1).transmit, MakeNtpRequest(t1, 2).transmit);
}

TEST(Sntp, OffsetAndDelayFromTheFourTimes) {
    struct Case {
        std::int64_t t1, t2, t3, t4; // microseconds since 1970
        std::int64_t offset, delay;
    };
    const std::int64_t base = kDec2026;
    const Case cases[] = {
        // Server 3600.25 s ahead, 100 µs each way, 20 µs inside the server.
        {base, base + 3600250100, base + 3600250120, base + 220, 3600250000, 200},
        // Server 2.5 s behind, asymmetric way (there 300 µs, back 100 µs): half the difference is error.
        {base, base - 2499700, base - 2499690, base + 410, -2499900, 400},
        // Across the wrap of the era: our clock before it, the server's after.
        {kEra1 - 500000, kEra1 + 500100, kEra1 + 500110, kEra1 - 499790, 1000000, 200},
        // A day and a microsecond apart.
        {base, base + 86400000001 + 50, base + 86400000001 + 60, base + 110, 86400000001, 100},
        // Odd sum: rounds half away from zero.
        {base, base + 1, base + 1, base + 1, 1, 1},
        {base, base - 2, base - 2, base + 1, -3, 1},
    };
    for (const Case& c : cases) {
        const NtpSample sample = ComputeSample(At(c.t1), At(c.t2), At(c.t3), At(c.t4));
        EXPECT_EQ(sample.offsetMicros, c.offset) << c.t2 - c.t1;
        EXPECT_EQ(sample.delayMicros, c.delay) << c.t2 - c.t1;
    }
}

TEST(Sntp, BestSampleHasTheLowestDelay) {
    const std::vector<NtpSample> samples = {{10, 900}, {20, 300}, {30, 700}, {40, 300}};
    EXPECT_EQ(BestSample(samples), (NtpSample{20, 300}));
    EXPECT_FALSE(BestSample({}));
}

// A sound reply to the request sent at `sent`, changed by each case.
NtpPacket GoodReply(NtpTimestamp sent) {
    NtpPacket reply;
    reply.version = 4;
    reply.mode = 4;
    reply.stratum = 2;
    reply.rootDelay = 0x00000800;
    reply.rootDispersion = 0x00001000;
    reply.referenceId = 0x7F000001;
    reply.originate = sent;
    reply.receive = sent + (NtpTimestamp{3600} << 32);
    reply.transmit = reply.receive + 1000;
    return reply;
}

constexpr std::uint32_t Kiss(const char (&code)[5]) {
    return (std::uint32_t(code[0]) << 24) | (std::uint32_t(code[1]) << 16) | (std::uint32_t(code[2]) << 8) |
           std::uint32_t(code[3]);
}

TEST(Sntp, EachFaultOfAReplyIsRejectedWithItsOwnReason) {
    const NtpTimestamp sent = At(kDec2026);
    struct Case {
        const char* name;
        void (*change)(NtpPacket&);
        Rejection expected;
        const char* inText;
    };
    const Case cases[] = {
        {"sound", [](NtpPacket&) {}, Rejection::None, ""},
        {"broadcast", [](NtpPacket& p) { p.mode = 5; }, Rejection::None, ""},
        {"version 3", [](NtpPacket& p) { p.version = 3; }, Rejection::None, ""},
        {"leap second ahead", [](NtpPacket& p) { p.leap = 1; }, Rejection::None, ""},
        {"stratum 15", [](NtpPacket& p) { p.stratum = 15; }, Rejection::None, ""},
        {"foreign originate", [](NtpPacket& p) { p.originate += 1; }, Rejection::NotOurRequest, "подделка"},
        {"client mode", [](NtpPacket& p) { p.mode = 3; }, Rejection::WrongMode, "режиме 3"},
        {"version 2", [](NtpPacket& p) { p.version = 2; }, Rejection::WrongVersion, "версии протокола 2"},
        {"RATE", [](NtpPacket& p) { p.stratum = 0, p.leap = 3, p.referenceId = Kiss("RATE"); },
         Rejection::KissRate, "RATE"},
        {"DENY", [](NtpPacket& p) { p.stratum = 0, p.referenceId = Kiss("DENY"); }, Rejection::KissDeny,
         "DENY"},
        {"RSTR", [](NtpPacket& p) { p.stratum = 0, p.referenceId = Kiss("RSTR"); }, Rejection::KissRestrict,
         "RSTR"},
        {"LI 3, stratum 0", [](NtpPacket& p) { p.leap = 3, p.stratum = 0, p.referenceId = 0; },
         Rejection::Unsynchronised, "не синхронизированы"},
        {"other kiss code", [](NtpPacket& p) { p.stratum = 0, p.referenceId = Kiss("INIT"); },
         Rejection::KissOther, "«INIT»"},
        {"unprintable code", [](NtpPacket& p) { p.stratum = 0, p.referenceId = 0x01020304; },
         Rejection::KissOther, "«0x01020304»"},
        {"stratum 16", [](NtpPacket& p) { p.stratum = 16; }, Rejection::BadStratum, "уровень сервера 16"},
        {"zero transmit", [](NtpPacket& p) { p.transmit = 0; }, Rejection::ZeroTransmit, "нулевая метка"},
        {"zero receive", [](NtpPacket& p) { p.receive = 0; }, Rejection::BadServerTimes, "противоречат"},
        {"sent before received", [](NtpPacket& p) { p.transmit = p.receive - 1; }, Rejection::BadServerTimes,
         "противоречат"},
        {"root delay 16 s", [](NtpPacket& p) { p.rootDelay = 16u << 16; }, Rejection::RootDelay,
         "16,000000 с"},
        {"root dispersion", [](NtpPacket& p) { p.rootDispersion = 0xFFFF8000u; }, Rejection::RootDispersion,
         "65535,500000 с"},
    };
    for (const Case& c : cases) {
        NtpPacket reply = GoodReply(sent);
        c.change(reply);
        const ReplyCheck check = CheckNtpReply(EncodeNtpPacket(reply), sent);
        EXPECT_EQ(check.rejection, c.expected) << c.name;
        EXPECT_NE(RejectionText(check).find(c.inText), std::string::npos)
            << c.name << ": " << RejectionText(check);
        EXPECT_EQ(check.refusal(), c.expected == Rejection::KissRate || c.expected == Rejection::KissDeny ||
                                       c.expected == Rejection::KissRestrict)
            << c.name;
    }
    const auto bytes = EncodeNtpPacket(GoodReply(sent));
    const ReplyCheck truncated = CheckNtpReply(std::span(bytes).first(40), sent);
    EXPECT_EQ(truncated.rejection, Rejection::Truncated);
    EXPECT_EQ(RejectionText(truncated), "Ответ сервера усечён: 40 байт вместо 48.");
}

TEST(Sntp, SecondsSpansAndTheDayLimit) {
    EXPECT_EQ(SecondsText(3600250012, true), "+3600.250012");
    EXPECT_EQ(SecondsText(153, false), "0.000153");
    EXPECT_EQ(SecondsText(0, true), "+0.000000");
    EXPECT_EQ(SecondsText(-2500001, true, ','), "-2,500001");
    EXPECT_EQ(SecondsText(INT64_MIN, false), "-9223372036854.775808");
    EXPECT_EQ(SpanText(45 * kSecond), "45 с");
    EXPECT_EQ(SpanText(-3725 * kSecond), "1 ч 2 мин 5 с");
    EXPECT_EQ(SpanText(2 * 86400 * kSecond + kSecond), "2 сут 0 ч 0 мин 1 с");

    EXPECT_FALSE(IsLargeShift(kLargeShiftMicros));
    EXPECT_FALSE(IsLargeShift(-kLargeShiftMicros));
    EXPECT_TRUE(IsLargeShift(kLargeShiftMicros + 1));
    EXPECT_TRUE(IsLargeShift(INT64_MIN));
}

TEST(Sntp, ServerNamesWithAndWithoutPort) {
    struct Case {
        const char* text;
        const char* host; // nullptr: refused
        std::uint16_t port;
    };
    const Case cases[] = {
        {"ntp.example.ru", "ntp.example.ru", 123},
        {"127.0.0.1:12345", "127.0.0.1", 12345},
        {"[::1]:1230", "::1", 1230},
        {"host:65535", "host", 65535},
        {"host:0", nullptr, 0},
        {"host:65536", nullptr, 0},
        {":123", nullptr, 0},
        {"[::1", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto name = ParseServerName(c.text, &error);
        if (c.host == nullptr) {
            EXPECT_FALSE(name) << c.text;
            EXPECT_FALSE(error.empty()) << c.text;
        } else {
            ASSERT_TRUE(name) << c.text << ": " << error;
            EXPECT_EQ(name->host, c.host);
            EXPECT_EQ(name->port, c.port) << c.text;
        }
    }
}

} // namespace
} // namespace domora
