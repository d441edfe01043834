#include "ClocksyRun.h"

#include <algorithm>
#include <random>

namespace domora {
namespace {

constexpr const char* kUsage = "Запуск: clocksy СЕРВЕР[:ПОРТ] yes|no [--dry-run].";

std::vector<std::string> Words(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) {
        joined += argument;
        joined += ' ';
    }
    std::vector<std::string> words;
    std::string word;
    for (const char c : joined) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            word += c;
        }
    }
    return words;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string MicrosText(std::int64_t micros) {
    return SecondsText(micros, false, ',') + " с";
}

std::string OffsetText(std::int64_t micros) {
    std::string text = SecondsText(micros, true, ',') + " с";
    if (micros >= 60000000 || micros <= -60000000) {
        text += " (" + SpanText(micros) + (micros < 0 ? " назад)" : " вперёд)");
    }
    return text;
}

SyncOutcome Failed(std::string message, std::optional<SyncMeasurement> measurement = std::nullopt) {
    SyncOutcome outcome;
    outcome.message = std::move(message);
    outcome.measurement = std::move(measurement);
    return outcome;
}

} // namespace

ParsedClocksyCommand ParseClocksyCommand(const std::vector<std::string>& arguments) {
    ParsedClocksyCommand parsed;
    ClocksyCommand command;
    std::vector<std::string> words;
    // domora passes the server and the switch as two arguments; an empty first one is a
    // server that was not chosen, not a switch in the server's place.
    std::vector<std::string> given;
    for (const std::string& argument : arguments) {
        if (argument != "--dry-run") {
            given.push_back(argument);
        }
    }
    for (std::string& word : Words(arguments)) {
        if (word == "--dry-run") {
            command.dryRun = true;
        } else {
            words.push_back(std::move(word));
        }
    }
    const auto fail = [&parsed](std::string why) {
        parsed.error = std::move(why) + " " + kUsage;
        return parsed;
    };
    if (given.size() == 2 && Words({given[0]}).empty()) {
        const std::string mode = Lower(given[1]);
        parsed.showWindow = mode == "yes";
        return fail("Не указан сервер времени: выберите его в настройках синхронизации.");
    }
    if (words.size() >= 2) {
        const std::string mode = Lower(words[1]);
        parsed.showWindow = command.showWindow = mode == "yes";
        if (mode != "yes" && mode != "no") {
            return fail("Второй параметр должен быть yes (показать окно) или no (без окна), а не «" +
                        words[1] + "».");
        }
    }
    if (words.empty()) {
        return fail("Не указан сервер времени.");
    }
    if (words[0].starts_with("--")) {
        return fail("Неизвестный параметр «" + words[0] + "».");
    }
    if (words.size() < 2) {
        return fail("Не указано, показывать ли окно (yes или no).");
    }
    if (words.size() > 2) {
        std::string extra;
        for (std::size_t i = 2; i < words.size(); ++i) {
            extra += (i > 2 ? " " : "") + words[i];
        }
        return fail("Лишние параметры: «" + extra + "».");
    }
    std::string error;
    const std::optional<ServerName> server = ParseServerName(words[0], &error);
    if (!server) {
        return fail(error);
    }
    command.server = *server;
    command.serverText = words[0];
    parsed.command = command;
    return parsed;
}

namespace {

// What one address of the server gave: the samples, or why none.
struct PeerAnswers {
    std::vector<NtpSample> samples;
    std::string failure;
    // The system could not reach the address (no route, port closed): another address of
    // the same server may do.
    bool unreachable = false;
};

PeerAnswers AskPeer(const UdpPeer& peer, UdpNetwork& network, SyncObserver& observer,
                    const SyncLimits& limits) {
    PeerAnswers answers;
    const auto unreachable = [&answers](std::string failure) {
        answers.failure = std::move(failure);
        answers.unreachable = true;
        return answers;
    };
    std::string failure;
    const std::unique_ptr<UdpSocket> socket = network.open(peer, failure);
    if (!socket) {
        return unreachable(failure);
    }
    std::random_device entropy;
    std::mt19937 random(entropy());
    int timeouts = 0;
    bool foreignReply = false;
    for (int exchange = 1; exchange <= limits.exchanges && timeouts < limits.timeoutsAllowed; ++exchange) {
        if (observer.cancelled()) {
            answers.failure = "Синхронизация прервана.";
            return answers;
        }
        observer.step("Запрос времени у сервера (" + std::to_string(exchange) + " из " +
                      std::to_string(limits.exchanges) + ")…");
        const std::int64_t sentUtc = network.utcMicros();
        const std::int64_t sentMonotonic = network.monotonicMicros();
        const NtpPacket request =
            MakeNtpRequest(NtpFromUnixMicros(sentUtc), static_cast<std::uint32_t>(random()));
        failure = socket->send(EncodeNtpPacket(request));
        if (!failure.empty()) {
            return unreachable(failure);
        }
        const std::int64_t deadline = sentMonotonic + std::int64_t{limits.exchangeTimeoutMs} * 1000;
        bool answered = false;
        bool foreignNoted = false;
        for (;;) {
            const std::int64_t left = deadline - network.monotonicMicros();
            if (left <= 0) {
                break;
            }
            const UdpReceipt receipt = socket->receive(static_cast<int>((left + 999) / 1000));
            if (receipt.status == UdpReceipt::Status::Failed) {
                return unreachable(receipt.failure);
            }
            if (receipt.status == UdpReceipt::Status::TimedOut) {
                break;
            }
            const ReplyCheck check = CheckNtpReply(receipt.bytes, request.transmit);
            if (check.rejection == Rejection::NotOurRequest) {
                // Forged, or late for an earlier request: the true answer may still come.
                foreignReply = true;
                if (!foreignNoted) {
                    observer.step("Пропущен ответ не на наш запрос.");
                    foreignNoted = true;
                }
                continue;
            }
            if (!check.ok()) {
                answers.failure = RejectionText(check);
                return answers;
            }
            // Our receive time: the send time and the span measured on the monotonic clock,
            // which setting the clock meanwhile does not disturb. T1 without the random bits
            // below a microsecond that only tag the request.
            const std::int64_t receivedUtc = sentUtc + (receipt.monotonicMicros - sentMonotonic);
            const NtpSample sample = ComputeSample(NtpFromUnixMicros(sentUtc), check.packet.receive,
                                                   check.packet.transmit, NtpFromUnixMicros(receivedUtc));
            answers.samples.push_back(sample);
            observer.step("Поправка " + OffsetText(sample.offsetMicros) + ", задержка " +
                          MicrosText(sample.delayMicros) + ".");
            answered = true;
            break;
        }
        if (!answered) {
            ++timeouts;
            observer.step("Сервер не ответил за " + std::to_string(limits.exchangeTimeoutMs / 1000) + " с.");
        }
    }
    if (answers.samples.empty()) {
        if (foreignReply) {
            ReplyCheck foreign;
            foreign.rejection = Rejection::NotOurRequest;
            answers.failure = RejectionText(foreign) + " Верного ответа сервер " + peer.text + " не дал.";
        } else {
            answers.failure = "Сервер времени " + peer.text + " не отвечает: нет ответа на " +
                              std::to_string(timeouts) + " запроса по " +
                              std::to_string(limits.exchangeTimeoutMs / 1000) + " с.";
        }
    }
    return answers;
}

} // namespace

SyncOutcome RunSync(const ClocksyCommand& command, UdpNetwork& network, ClockSetter& setter,
                    SyncObserver& observer, const SyncLimits& limits) {
    observer.step("Поиск адреса сервера «" + command.server.host + "»…");
    const UdpResolution resolution = network.resolve(command.server.host, command.server.port);
    if (resolution.peers.empty()) {
        return Failed(resolution.failure);
    }
    // The addresses in the system's order, the next one only while the system cannot reach
    // one (a name with an IPv6 address on a computer without an IPv6 route).
    const std::size_t tried = std::min<std::size_t>(resolution.peers.size(), 3);
    PeerAnswers answers;
    const UdpPeer* peerUsed = nullptr;
    for (std::size_t i = 0; i < tried; ++i) {
        peerUsed = &resolution.peers[i];
        observer.step("Адрес сервера: " + peerUsed->text + ".");
        answers = AskPeer(*peerUsed, network, observer, limits);
        if (!answers.unreachable || i + 1 == tried) {
            break;
        }
        observer.step(answers.failure + " Пробуем другой адрес сервера.");
    }
    // A fault after good answers ends it too: a refusal or an unsynchronised server is not
    // trusted for the answers it gave before.
    const std::optional<NtpSample> best = BestSample(answers.samples);
    if (!answers.failure.empty() || !best) {
        return Failed(answers.failure);
    }
    const UdpPeer& peer = *peerUsed;
    const std::vector<NtpSample>& samples = answers.samples;
    SyncMeasurement measurement{*best, peer.text, static_cast<int>(samples.size())};
    observer.step("Найдена поправка " + OffsetText(best->offsetMicros) + " (лучший из " +
                  std::to_string(samples.size()) + " ответов, задержка " + MicrosText(best->delayMicros) +
                  ").");

    if (command.dryRun) {
        SyncOutcome outcome;
        outcome.succeeded = true;
        outcome.message =
            "Пробный запуск: поправка " + OffsetText(best->offsetMicros) + ", часы не изменены.";
        outcome.measurement = measurement;
        return outcome;
    }
    if (IsLargeShift(best->offsetMicros)) {
        const std::string question = "Часы расходятся с сервером больше чем на сутки: на " +
                                     OffsetText(best->offsetMicros) + ". Перевести часы?";
        if (!observer.confirmLargeShift(question)) {
            return Failed("Часы не переведены: расхождение с сервером больше суток (" +
                              OffsetText(best->offsetMicros) + "), а перевод не подтверждён.",
                          measurement);
        }
    }
    const ActionResult moved = setter.shiftBy(best->offsetMicros);
    if (!moved.done) {
        return Failed("Не удалось перевести часы: " + moved.failure, measurement);
    }
    SyncOutcome outcome;
    outcome.succeeded = true;
    outcome.clockMoved = true;
    outcome.measurement = measurement;
    outcome.message = "Готово: часы переведены на " + OffsetText(best->offsetMicros) + ".";
    return outcome;
}

std::string DryRunLine(const SyncMeasurement& measurement) {
    return "offset=" + SecondsText(measurement.sample.offsetMicros, true) +
           " delay=" + SecondsText(measurement.sample.delayMicros, false) + " server=" + measurement.peer;
}

} // namespace domora
