#include "CommandLine.h"

#include "core/base/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <string>
#include <vector>

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

QString ResolveNoCase(const QString& path) {
    if (path.isEmpty()) {
        return QString();
    }
    const FolderLookup lookup{
        [](const std::string& entry) { return QFileInfo::exists(QString::fromStdString(entry)); },
        [](const std::string& folder) {
            std::vector<std::string> names;
            const QDir dir(folder.empty() ? QStringLiteral(".") : QString::fromStdString(folder));
            for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
                names.push_back(name.toStdString());
            }
            return names;
        }};
    const QString found =
        QString::fromStdString(ResolvePathNoCase(QDir::fromNativeSeparators(path).toStdString(), lookup));
    return QFileInfo::exists(found) ? found : QString();
}

} // namespace domora
