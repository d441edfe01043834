#include "ClocksyRun.h"
#include "platform/fake/ScriptedUdpNetwork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace domora {
namespace {

constexpr std::int64_t kSecond = 1000000;

// Notes every shift asked of it; never touches the computer's clock.
class RecordingClockSetter final : public ClockSetter {
public:
    std::vector<std::int64_t> shifts;
    std::string failure;
    ActionResult setUtc(const DateTime&) override { return ActionResult::failed("not expected"); }
    ActionResult shiftBy(std::int64_t micros) override {
        shifts.push_back(micros);
        return failure.empty() ? ActionResult::ok() : ActionResult::failed(failure);
    }
};

class RecordingObserver final : public SyncObserver {
public:
    std::vector<std::string> steps;
    std::vector<std::string> questions;
    bool confirm = false;
    void step(const std::string& text) override { steps.push_back(text); }
    bool confirmLargeShift(const std::string& question) override {
        questions.push_back(question);
        return confirm;
    }
};

// A time server ahead of us by `offset`, `oneWay[i]` microseconds away for the i-th request
// (the last repeated), 20 µs inside; `change` spoils its replies.
struct ServerScript {
    std::int64_t offset = 3600250000;
    std::vector<std::int64_t> oneWay = {100};
    std::function<void(NtpPacket&)> change;
    std::size_t requests = 0;

    std::vector<ScriptedDatagram> operator()(const std::vector<std::uint8_t>& request, std::int64_t sentUtc) {
        const std::int64_t way = oneWay[std::min(requests++, oneWay.size() - 1)];
        NtpPacket reply;
        reply.mode = 4;
        reply.stratum = 2;
        reply.originate = DecodeNtpPacket(request)->transmit;
        reply.receive = NtpFromUnixMicros(sentUtc + way + offset);
        reply.transmit = NtpFromUnixMicros(sentUtc + way + offset + 20);
        if (change) {
            change(reply);
        }
        const auto bytes = EncodeNtpPacket(reply);
        return {{2 * way + 20, {bytes.begin(), bytes.end()}}};
    }
};

struct Fixture {
    ScriptedUdpNetwork network;
    RecordingClockSetter setter;
    RecordingObserver observer;
    ClocksyCommand command;

    Fixture() {
        network.hosts["time.example"] = {"192.0.2.1"};
        command.server.host = "time.example";
        command.serverText = "time.example";
    }
    SyncOutcome run(ServerScript script) {
        network.server = std::ref(script);
        const SyncOutcome outcome = RunSync(command, network, setter, observer);
        network.server = nullptr;
        return outcome;
    }
    int requestsSent() const { return static_cast<int>(network.requests.size()); }
};

TEST(ClocksyCommandLine, JoinedOrSeparateWordsWithTheDryRunAnywhere) {
    struct Case {
        std::vector<std::string> arguments;
        const char* host; // nullptr: refused
        std::uint16_t port;
        bool window, dryRun;
    };
    const Case cases[] = {
        {{"pool.example", "yes"}, "pool.example", 123, true, false},
        {{"pool.example no "}, "pool.example", 123, false, false},
        {{"127.0.0.1:4123 YES "}, "127.0.0.1", 4123, true, false},
        {{"--dry-run", "127.0.0.1:12345", "no"}, "127.0.0.1", 12345, false, true},
        {{"127.0.0.1:12345 --dry-run no"}, "127.0.0.1", 12345, false, true},
        {{"[::1]:123", "no", "--dry-run"}, "::1", 123, false, true},
        {{}, nullptr, 0, false, false},
        {{"pool.example"}, nullptr, 0, false, false},
        {{"pool.example", "maybe"}, nullptr, 0, false, false},
        {{"pool.example yes extra"}, nullptr, 0, true, false},
        {{"pool.example:99999", "yes"}, nullptr, 0, true, false},
        {{"--quiet", "no"}, nullptr, 0, false, false},
        {{"", "yes"}, nullptr, 0, true, false}, // no server chosen: said in the window
    };
    for (const Case& c : cases) {
        const ParsedClocksyCommand parsed = ParseClocksyCommand(c.arguments);
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(parsed.showWindow, c.window) << label;
        if (c.host == nullptr) {
            EXPECT_FALSE(parsed.command) << label;
            EXPECT_NE(parsed.error.find("Запуск: clocksy"), std::string::npos) << parsed.error;
            continue;
        }
        ASSERT_TRUE(parsed.command) << label << ": " << parsed.error;
        EXPECT_EQ(parsed.command->server.host, c.host);
        EXPECT_EQ(parsed.command->server.port, c.port);
        EXPECT_EQ(parsed.command->dryRun, c.dryRun) << label;
    }
}

TEST(ClocksySync, MovesTheClockByTheOffsetOfTheFastestOfFourAnswers) {
    Fixture f;
    ServerScript script;
    script.oneWay = {400, 100, 300, 200};
    const SyncOutcome outcome = f.run(script);
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_TRUE(outcome.clockMoved);
    EXPECT_EQ(f.setter.shifts, std::vector<std::int64_t>{3600250000});
    EXPECT_EQ(outcome.measurement->sample, (NtpSample{3600250000, 200}));
    EXPECT_EQ(outcome.measurement->answers, 4);
    EXPECT_EQ(f.network.calls.front(), "resolve time.example:123");
    EXPECT_EQ(f.network.calls[1], "open 192.0.2.1:123");
    EXPECT_EQ(f.requestsSent(), 4);
    EXPECT_EQ(outcome.message, "Готово: часы переведены на +3600,250000 с (1 ч 0 мин 0 с вперёд).");
    EXPECT_TRUE(f.observer.questions.empty());
}

TEST(ClocksySync, DryRunMeasuresAndSetsNothing) {
    Fixture f;
    f.command.dryRun = true;
    f.command.server.port = 12345;
    ServerScript script;
    script.offset = -1500;
    const SyncOutcome outcome = f.run(script);
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_FALSE(outcome.clockMoved);
    EXPECT_TRUE(f.setter.shifts.empty());
    EXPECT_EQ(DryRunLine(*outcome.measurement), "offset=-0.001500 delay=0.000200 server=192.0.2.1:12345");
}

// Each fault's reason is the core's; here a refusal and a fault end the run at once.
TEST(ClocksySync, AFaultyAnswerEndsTheSynchronisationWithItsReason) {
    struct Case {
        const char* name;
        std::function<void(NtpPacket&)> change;
        const char* reason;
    };
    const Case cases[] = {
        {"DENY", [](NtpPacket& p) { p.stratum = 0, p.referenceId = 0x44454E59; }, "(код DENY)"},
        {"unsynchronised", [](NtpPacket& p) { p.leap = 3, p.stratum = 0; }, "не синхронизированы"},
    };
    for (const Case& c : cases) {
        Fixture f;
        ServerScript script;
        script.change = c.change;
        const SyncOutcome outcome = f.run(script);
        EXPECT_FALSE(outcome.succeeded) << c.name;
        EXPECT_NE(outcome.message.find(c.reason), std::string::npos) << c.name << ": " << outcome.message;
        EXPECT_EQ(f.requestsSent(), 1) << c.name;
        EXPECT_TRUE(f.setter.shifts.empty()) << c.name;
    }
}

TEST(ClocksySync, RepliesToOtherRequestsArePassedOver) {
    // A forged reply before the true one, in every exchange: the true ones count.
    Fixture f;
    f.network.server = [&f](const std::vector<std::uint8_t>& request, std::int64_t sentUtc) {
        ServerScript honest;
        std::vector<ScriptedDatagram> replies = honest(request, sentUtc);
        NtpPacket forged = *DecodeNtpPacket(replies.front().bytes);
        forged.originate ^= 0x1000;
        forged.receive += NtpTimestamp{86400} << 32;
        forged.transmit += NtpTimestamp{86400} << 32;
        const auto bytes = EncodeNtpPacket(forged);
        replies.insert(replies.begin(), ScriptedDatagram{10, {bytes.begin(), bytes.end()}});
        return replies;
    };
    SyncOutcome outcome = RunSync(f.command, f.network, f.setter, f.observer);
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_EQ(f.setter.shifts, std::vector<std::int64_t>{3600250000});
    EXPECT_NE(std::find(f.observer.steps.begin(), f.observer.steps.end(), "Пропущен ответ не на наш запрос."),
              f.observer.steps.end());

    // Only forged replies: the server gave no true answer within two timeouts.
    Fixture g;
    ServerScript spoofer;
    spoofer.change = [](NtpPacket& p) { p.originate += 0x1000; };
    const std::int64_t start = g.network.monotonic;
    outcome = g.run(spoofer);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_NE(outcome.message.find("подделка"), std::string::npos) << outcome.message;
    EXPECT_EQ(g.requestsSent(), 2);
    EXPECT_NEAR(g.network.monotonic - start, 4 * kSecond, 1000); // waits are whole milliseconds

    // A late answer to the first request, which timed out, arrives while the third waits.
    Fixture h;
    ServerScript slowFirst;
    slowFirst.oneWay = {1250000, 100, 300000, 100};
    outcome = h.run(slowFirst);
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_EQ(outcome.measurement->answers, 3);
    EXPECT_EQ(outcome.measurement->sample, (NtpSample{3600250000, 200}));
}

TEST(ClocksySync, ASilentServerIsGivenUpAfterTwoTimeouts) {
    Fixture f;
    const std::int64_t start = f.network.monotonic;
    const SyncOutcome outcome = RunSync(f.command, f.network, f.setter, f.observer);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message, "Сервер времени 192.0.2.1:123 не отвечает: нет ответа на 2 запроса по 2 с.");
    EXPECT_EQ(f.requestsSent(), 2);
    EXPECT_EQ(f.network.monotonic - start, 4 * kSecond);
}

TEST(ClocksySync, AShiftOfMoreThanADayNeedsTheUsersYes) {
    for (const bool confirm : {false, true}) {
        Fixture f;
        f.observer.confirm = confirm;
        ServerScript script;
        script.offset = -(2 * 86400 * kSecond + 5 * kSecond);
        const SyncOutcome outcome = f.run(script);
        ASSERT_EQ(f.observer.questions.size(), 1u);
        EXPECT_NE(f.observer.questions[0].find("2 сут 0 ч 0 мин 5 с назад"), std::string::npos)
            << f.observer.questions[0];
        EXPECT_EQ(outcome.succeeded, confirm) << outcome.message;
        EXPECT_EQ(f.setter.shifts.size(), confirm ? 1u : 0u);
        if (!confirm) {
            EXPECT_NE(outcome.message.find("не подтверждён"), std::string::npos) << outcome.message;
        }
    }
}

TEST(ClocksySync, FailuresOfTheSystemAreToldWithTheirReason) {
    Fixture refused;
    refused.setter.failure = "нет прав на установку времени.";
    SyncOutcome outcome = refused.run(ServerScript{});
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message, "Не удалось перевести часы: нет прав на установку времени.");

    Fixture unknown;
    unknown.command.server.host = "nowhere.example";
    outcome = unknown.run(ServerScript{});
    EXPECT_EQ(outcome.message, "Не удалось найти адрес сервера «nowhere.example»: такого имени нет.");

    // An address the system cannot reach gives way to the next one of the same name.
    Fixture dual;
    dual.network.hosts["time.example"] = {"198.51.100.7", "192.0.2.1"};
    dual.network.openFailures["198.51.100.7:123"] = "Не удалось связаться с сервером: нет маршрута.";
    outcome = dual.run(ServerScript{});
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_EQ(outcome.measurement->peer, "192.0.2.1:123");

    Fixture closed;
    closed.network.receiveFailure = "Сервер отверг запрос: на его порту не работает служба времени.";
    outcome = closed.run(ServerScript{});
    EXPECT_EQ(outcome.message, closed.network.receiveFailure);
    EXPECT_EQ(closed.requestsSent(), 1);

    // A refusal after good answers: the server is not trusted for them either.
    Fixture turned;
    ServerScript script;
    int replies = 0;
    script.change = [&replies](NtpPacket& p) {
        if (++replies == 3) {
            p.stratum = 0, p.referenceId = 0x52535452; // RSTR
        }
    };
    outcome = turned.run(script);
    EXPECT_EQ(outcome.message, "Сервер ограничил доступ к себе (код RSTR).");
    EXPECT_TRUE(turned.setter.shifts.empty());
}

} // namespace
} // namespace domora
