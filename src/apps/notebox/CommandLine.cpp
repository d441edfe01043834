#include "CommandLine.h"

#include "core/base/Cp1251.h"

#include <QDir>
#include <QFileInfo>

#include <string>

namespace domora {

namespace {

const QString Silence = QStringLiteral("not");
const QString NoText = QStringLiteral("EMPTY");

// The largest number accepted in the list; far above any record count.
constexpr int MaxNumber = 1000000;

QString Usage() {
    return QStringLiteral("Ожидаются четыре параметра: вид сообщения (1 — текст, 0 — картинка), звуковой "
                          "файл или «not», файл сообщения или «EMPTY» (для картинки — файл картинки) и "
                          "номер записи или список номеров через запятую, например 3,7.");
}

ParsedCommand Failure(const QString& error) {
    return ParsedCommand{std::nullopt, error};
}

bool NamesSomething(const QString& field, const QString& sentinel) {
    return field == sentinel || !ResolveNoCase(field).isEmpty();
}

} // namespace

std::optional<QList<int>> ParseNumbers(const QString& text) {
    QList<int> numbers;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const QString digits = item.trimmed();
        if (digits.isEmpty() || digits.size() > 7) {
            return std::nullopt;
        }
        for (const QChar c : digits) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return std::nullopt;
            }
        }
        const int number = digits.toInt();
        if (number < 1 || number > MaxNumber) {
            return std::nullopt;
        }
        numbers.append(number);
    }
    return numbers;
}

QString NumbersText(const QList<int>& numbers) {
    QStringList parts;
    for (const int number : numbers) {
        parts.append(QString::number(number));
    }
    return parts.join(QStringLiteral(", "));
}

ParsedCommand ParseNoteCommand(const QStringList& fields) {
    if (fields.isEmpty()) {
        return Failure(QStringLiteral("Программу напоминаний запускает Domora Lite 2003, когда срабатывает "
                                      "будильник или приближается праздник.\n") +
                       Usage());
    }

    NoteCommand command;
    const QString& flag = fields.front();
    if (flag == QLatin1String("1")) {
        command.pictureFlag = false;
    } else if (flag == QLatin1String("0")) {
        command.pictureFlag = true;
    } else {
        return Failure(
            QStringLiteral("Неверный вид сообщения «%1»: ожидается 1 (текст) или 0 (картинка).\n").arg(flag) +
            Usage());
    }

    if (fields.size() < 3 || (fields.size() == 3 && !command.pictureFlag)) {
        return Failure(QStringLiteral("В командной строке не хватает параметров (получено %1 из 4).\n")
                           .arg(fields.size()) +
                       Usage());
    }

    const QString& last = fields.back();
    const std::optional<QList<int>> numbers = ParseNumbers(last);
    if (!numbers) {
        return Failure(QStringLiteral("Неверный номер записи «%1»: ожидается число или список чисел через "
                                      "запятую, например 3,7.")
                           .arg(last));
    }
    command.numbers = *numbers;

    QString sound;
    QString message;
    if (fields.size() == 3) {
        // A picture alarm without a picture, its empty field lost on the way.
        sound = fields[1];
    } else if (fields.size() == 4) {
        sound = fields[1];
        message = fields[2];
    } else {
        // Paths with blanks split into pieces: take the one division into a sound and a
        // message that both name something.
        const QStringList middle = fields.mid(1, fields.size() - 2);
        int found = 0;
        for (qsizetype k = 1; k < middle.size(); ++k) {
            const QString first = middle.mid(0, k).join(QLatin1Char(' '));
            const QString second = middle.mid(k).join(QLatin1Char(' '));
            if (NamesSomething(first, Silence) && NamesSomething(second, NoText)) {
                sound = first;
                message = second;
                ++found;
            }
        }
        if (found != 1) {
            return Failure(QStringLiteral("В командной строке лишние параметры (получено %1 вместо 4).\n")
                               .arg(fields.size()) +
                           Usage());
        }
    }

    command.sound = sound == Silence ? QString() : sound;
    command.message = message == NoText ? QString() : message;
    return ParsedCommand{command, QString()};
}

bool IsPictureFile(const QString& path) {
    static const QStringList Extensions{QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                        QStringLiteral("png"), QStringLiteral("gif"), QStringLiteral("ico")};
    return Extensions.contains(QFileInfo(path).suffix().toLower());
}

QString DecodeNoteText(const QByteArray& bytes) {
    QString text;
    const auto startsWith = [&bytes](const char* mark) { return bytes.startsWith(QByteArray(mark)); };
    if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
        const bool little = startsWith("\xFF\xFE");
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const auto low = static_cast<unsigned char>(bytes[little ? i : i + 1]);
            const auto high = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
            text.append(QChar(static_cast<char16_t>(high << 8 | low)));
        }
    } else {
        std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (view.starts_with("\xEF\xBB\xBF")) {
            view.remove_prefix(3);
        }
        std::u32string ignored;
        if (DecodeUtf8(view, ignored)) {
            text = QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
        } else {
            text = QString::fromStdString(Cp1251ToUtf8(view));
        }
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString ResolveNoCase(const QString& path) {
    if (path.isEmpty()) {
        return QString();
    }
    const QFileInfo asWritten(path);
    if (asWritten.exists()) {
        return path;
    }
    // Walk down from the nearest part of the path that exists as written.
    const QString absolute = QDir::cleanPath(asWritten.absoluteFilePath());
    QStringList missing;
    QString base = absolute;
    while (!QFileInfo::exists(base)) {
        const qsizetype slash = base.lastIndexOf(QLatin1Char('/'));
        if (slash < 0) {
            return QString();
        }
        missing.prepend(base.mid(slash + 1));
        base = slash == 0 ? QStringLiteral("/") : base.left(slash);
    }
    QDir folder(base);
    QString found = base;
    for (const QString& part : missing) {
        QString match;
        const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty()) {
            return QString();
        }
        found = folder.filePath(match);
        folder.setPath(found);
    }
    return found;
}

} // namespace domora
