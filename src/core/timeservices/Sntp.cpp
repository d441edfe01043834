#include "core/timeservices/Sntp.h"

#include <algorithm>

namespace domora {
namespace {

constexpr std::uint32_t kShortFormatLimit = 16u << 16; // 16 s in the 16.16 short format
constexpr std::uint64_t kSubMicrosecondBits = 0xFFFu;  // 2^-20 s, below a microsecond

constexpr std::uint32_t Code(const char (&text)[5]) {
    return (std::uint32_t{static_cast<unsigned char>(text[0])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(text[1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(text[2])} << 8) |
           std::uint32_t{static_cast<unsigned char>(text[3])};
}

// A refusal's code as text: the four letters, or the number when they are not printable.
std::string CodeText(std::uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<char>((code >> shift) & 0xFFu);
        if (c < 0x20 || c > 0x7E) {
            return "0x" + [code] {
                static constexpr char kDigits[] = "0123456789ABCDEF";
                std::string hex;
                for (int nibble = 28; nibble >= 0; nibble -= 4) {
                    hex += kDigits[(code >> nibble) & 0xFu];
                }
                return hex;
            }();
        }
        text += c;
    }
    return text;
}

// The 16.16 short format in seconds, for messages.
std::string ShortFormatText(std::uint32_t value) {
    const std::int64_t micros = static_cast<std::int64_t>((std::uint64_t{value} * 1000000u + 0x8000u) >> 16);
    return SecondsText(micros, false, ',');
}

} // namespace

NtpPacket MakeNtpRequest(NtpTimestamp transmit, std::uint32_t randomBits) {
    NtpPacket request;
    request.version = 4;
    request.mode = 3;
    request.transmit = (transmit & ~kSubMicrosecondBits) | (randomBits & kSubMicrosecondBits);
    return request;
}

bool ReplyCheck::refusal() const {
    return rejection == Rejection::KissRate || rejection == Rejection::KissDeny ||
           rejection == Rejection::KissRestrict;
}

ReplyCheck CheckNtpReply(std::span<const std::uint8_t> datagram, NtpTimestamp sentTransmit) {
    ReplyCheck check;
    check.size = datagram.size();
    const std::optional<NtpPacket> decoded = DecodeNtpPacket(datagram);
    if (!decoded) {
        check.rejection = Rejection::Truncated;
        return check;
    }
    const NtpPacket& p = check.packet = *decoded;
    const auto reject = [&check](Rejection why) {
        check.rejection = why;
        return check;
    };
    if (p.originate != sentTransmit) {
        return reject(Rejection::NotOurRequest);
    }
    if (p.mode != 4 && p.mode != 5) {
        return reject(Rejection::WrongMode);
    }
    if (p.version != 3 && p.version != 4) {
        return reject(Rejection::WrongVersion);
    }
    if (p.stratum == 0) {
        if (p.referenceId == Code("RATE")) {
            return reject(Rejection::KissRate);
        }
        if (p.referenceId == Code("DENY")) {
            return reject(Rejection::KissDeny);
        }
        if (p.referenceId == Code("RSTR")) {
            return reject(Rejection::KissRestrict);
        }
    }
    if (p.leap == 3) {
        return reject(Rejection::Unsynchronised);
    }
    if (p.stratum == 0) {
        return reject(Rejection::KissOther);
    }
    if (p.stratum > 15) {
        return reject(Rejection::BadStratum);
    }
    if (p.transmit == 0) {
        return reject(Rejection::ZeroTransmit);
    }
    if (p.receive == 0 || static_cast<std::int64_t>(p.transmit - p.receive) < 0) {
        return reject(Rejection::BadServerTimes);
    }
    if (p.rootDelay >= kShortFormatLimit) {
        return reject(Rejection::RootDelay);
    }
    if (p.rootDispersion >= kShortFormatLimit) {
        return reject(Rejection::RootDispersion);
    }
    return check;
}

std::string RejectionText(const ReplyCheck& check) {
    const NtpPacket& p = check.packet;
    switch (check.rejection) {
    case Rejection::None:
        return {};
    case Rejection::Truncated:
        return "Ответ сервера усечён: " + std::to_string(check.size) + " байт вместо 48.";
    case Rejection::NotOurRequest:
        return "Ответ сервера не относится к нашему запросу (не совпадает метка времени запроса): "
               "это подделка или запоздавший ответ.";
    case Rejection::WrongMode:
        return "Ответ сервера в недопустимом режиме " + std::to_string(p.mode) +
               " (ожидался 4 — сервер или 5 — широковещание).";
    case Rejection::WrongVersion:
        return "Сервер ответил по версии протокола " + std::to_string(p.version) +
               ", а поддерживаются версии 3 и 4.";
    case Rejection::KissRate:
        return "Сервер требует обращаться к нему реже (код RATE) и не сообщил время.";
    case Rejection::KissDeny:
        return "Сервер отказал в доступе (код DENY).";
    case Rejection::KissRestrict:
        return "Сервер ограничил доступ к себе (код RSTR).";
    case Rejection::Unsynchronised:
        return "Часы сервера не синхронизированы (индикатор коррекции 3): его времени нельзя доверять.";
    case Rejection::KissOther:
        return "Сервер не сообщил время: уровень 0 с кодом «" + CodeText(p.referenceId) + "».";
    case Rejection::BadStratum:
        return "Недопустимый уровень сервера " + std::to_string(p.stratum) + " (допустимы 1–15).";
    case Rejection::ZeroTransmit:
        return "В ответе сервера нет времени отправки (нулевая метка).";
    case Rejection::BadServerTimes:
        return "Метки времени сервера противоречат друг другу (время приёма пусто или позже времени "
               "отправки).";
    case Rejection::RootDelay:
        return "Задержка до эталонных часов сервера слишком велика: " + ShortFormatText(p.rootDelay) +
               " с (допустимо меньше 16 с).";
    case Rejection::RootDispersion:
        return "Погрешность эталонных часов сервера слишком велика: " + ShortFormatText(p.rootDispersion) +
               " с (допустимо меньше 16 с).";
    }
    return {};
}

NtpSample ComputeSample(NtpTimestamp t1, NtpTimestamp t2, NtpTimestamp t3, NtpTimestamp t4) {
    const std::int64_t there = NtpDifferenceMicros(t2, t1);
    const std::int64_t back = NtpDifferenceMicros(t3, t4);
    NtpSample sample;
    // Halved rounding to the nearest microsecond, halves away from zero.
    const std::int64_t sum = there + back;
    sample.offsetMicros = sum >= 0 ? (sum + 1) / 2 : -((-sum + 1) / 2);
    sample.delayMicros = NtpDifferenceMicros(t4, t1) - NtpDifferenceMicros(t3, t2);
    return sample;
}

std::optional<NtpSample> BestSample(std::span<const NtpSample> samples) {
    if (samples.empty()) {
        return std::nullopt;
    }
    return *std::min_element(samples.begin(), samples.end(), [](const NtpSample& a, const NtpSample& b) {
        return a.delayMicros < b.delayMicros;
    });
}

bool IsLargeShift(std::int64_t offsetMicros) {
    return offsetMicros > kLargeShiftMicros || offsetMicros < -kLargeShiftMicros;
}

std::string SecondsText(std::int64_t micros, bool plus, char point) {
    const bool negative = micros < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(micros) : static_cast<std::uint64_t>(micros);
    std::string fraction = std::to_string(magnitude % 1000000u);
    fraction.insert(0, 6 - fraction.size(), '0');
    std::string text = negative ? "-" : (plus ? "+" : "");
    return text + std::to_string(magnitude / 1000000u) + point + fraction;
}

std::string SpanText(std::int64_t micros) {
    const std::uint64_t magnitude = micros < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(micros)
                                               : static_cast<std::uint64_t>(micros);
    std::uint64_t seconds = magnitude / 1000000u;
    const std::uint64_t days = seconds / 86400u;
    seconds %= 86400u;
    std::string text;
    if (days > 0) {
        text = std::to_string(days) + " сут ";
    }
    if (days > 0 || seconds >= 3600) {
        text += std::to_string(seconds / 3600u) + " ч ";
    }
    if (days > 0 || seconds >= 60) {
        text += std::to_string(seconds / 60u % 60u) + " мин ";
    }
    return text + std::to_string(seconds % 60u) + " с";
}

std::optional<ServerName> ParseServerName(std::string_view text, std::string* error) {
    const auto fail = [error](std::string why) -> std::optional<ServerName> {
        if (error != nullptr) {
            *error = std::move(why);
        }
        return std::nullopt;
    };
    ServerName name;
    std::string_view host = text;
    std::string_view port;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) {
            return fail("Адрес сервера «" + std::string(text) + "» без закрывающей скобки «]».");
        }
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') {
                return fail("После адреса сервера в скобках ожидается «:порт»: «" + std::string(text) + "».");
            }
            port = rest.substr(1);
            if (port.empty()) {
                return fail("В адресе сервера «" + std::string(text) + "» не указан порт после двоеточия.");
            }
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        const std::size_t colon = text.find(':');
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (port.empty()) {
            return fail("В адресе сервера «" + std::string(text) + "» не указан порт после двоеточия.");
        }
    }
    if (host.empty()) {
        return fail("Не указано имя сервера времени.");
    }
    if (!port.empty()) {
        unsigned long value = 0;
        for (const char c : port) {
            if (c < '0' || c > '9' || value > 65535) {
                return fail("Неверный порт сервера «" + std::string(port) + "»: нужно число от 1 до 65535.");
            }
            value = value * 10 + static_cast<unsigned long>(c - '0');
        }
        if (value < 1 || value > 65535) {
            return fail("Неверный порт сервера «" + std::string(port) + "»: нужно число от 1 до 65535.");
        }
        name.port = static_cast<std::uint16_t>(value);
    }
    name.host = std::string(host);
    return name;
}

} // namespace domora
