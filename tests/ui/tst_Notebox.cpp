// The built note program as the scheduler starts it, one argument per field, offscreen: it
// reports what it shows on one line (DOMORA_NOTEBOX_REPORT) and ends by itself
// (DOMORA_NOTEBOX_QUIT_MS). Good and malformed command lines, text in code page 1251 and
// UTF-8, a picture, silence and missing files.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Resources = QStringLiteral(DOMORA_TEST_DATA "/../../resources/");

// "notebox: key=value<TAB>key=value..." into its fields.
QMap<QString, QString> ReportFields(const QString& line) {
    QMap<QString, QString> fields;
    for (const QString& field : line.mid(QStringLiteral("notebox: ").size()).split(QLatin1Char('\t'))) {
        const qsizetype equals = field.indexOf(QLatin1Char('='));
        fields.insert(field.left(equals), field.mid(equals + 1));
    }
    return fields;
}

} // namespace

class TestNotebox : public QObject {
    Q_OBJECT
    QString program;
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase() {
        program = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/notebox");
        if (!QFileInfo(program).isExecutable()) {
            QSKIP(qPrintable(
                QStringLiteral("the note program is not built (%1); build the notebox target").arg(program)));
        }
        QVERIFY(dir.isValid());
        // "Позвонить маме" and "Купить хлеб" in code page 1251, with Windows line ends.
        write("File3.txt",
              "\xCF\xEE\xE7\xE2\xEE\xED\xE8\xF2\xFC \xEC\xE0\xEC\xE5\r\n\xCA\xF3\xEF\xE8\xF2\xFC "
              "\xF5\xEB\xE5\xE1\r\n");
        write("utf8.txt", "Полить цветы\n");
        write("Tmp_Celeb.txt", "\xC4\xE5\xED\xFC: 8\r\n");
        QImage picture(120, 80, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(path("picture.png")));
    }

    void notes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("text"); // a part of the shown text, as reported
        QTest::addColumn<QString>("soundState");
        QTest::addColumn<QString>("notice"); // a part of the notices; empty: none

        const QString jin = Resources + "Sound/Bud/Jin.wav", timer = Resources + "sound/timer/timer.WAV";
        const QString alarm3 = QStringLiteral("Напоминание — будильник №3"),
                      bad = QStringLiteral("Напоминание");
        const auto row = [](const char* name, const QStringList& arguments, const QString& title,
                            const char* content, const QString& text, const char* soundState,
                            const QString& notice) {
            QTest::newRow(name) << arguments << title << QString(content) << text << QString(soundState)
                                << notice;
        };
        row("code page 1251, melody", {"1", jin, path("File3.txt"), "3"}, alarm3, "text",
            "Позвонить маме\\nКупить хлеб", "playing", "");
        row("utf-8, silence", {"1", "not", path("utf8.txt"), "3"}, alarm3, "text", "Полить цветы", "silent",
            "");
        row("picture", {"0", "not", path("picture.png"), "3"}, alarm3, "picture", "", "silent", "");
        row("holidays", {"1", timer, path("Tmp_Celeb.txt"), "3,7"}, "Праздники №3, 7", "text", "День: 8",
            "playing", "");
        row("missing sound", {"1", path("no.wav"), path("File3.txt"), "3"}, alarm3, "text", "Позвонить маме",
            "missing", "Звуковой файл «" + path("no.wav") + "» не найден");
        row("unplayable sound", {"1", path("File3.txt"), "EMPTY", "3"}, alarm3, "nothing", "", "failed",
            "Не удалось воспроизвести");
        row("missing picture", {"0", jin, path("no.png"), "3"}, alarm3, "nothing", "", "playing",
            "Файл картинки «" + path("no.png") + "» не найден");
        row("no arguments", {}, bad, "error", "ни одного параметра", "silent", "");
    }
    void notes() {
        QFETCH(QStringList, arguments);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LC_ALL", "C.UTF-8");
        environment.insert("DOMORA_NOTEBOX_REPORT", "1");
        environment.insert("DOMORA_NOTEBOX_QUIT_MS", "300");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);

        const QStringList lines =
            QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        const QMap<QString, QString> report = ReportFields(lines.front());
        QTEST(report["title"], "title");
        QTEST(report["content"], "content");
        QTEST(report["sound_state"], "soundState");
        QFETCH(QString, text);
        QVERIFY2(report["text"].contains(text), qPrintable(report["text"]));
        QFETCH(QString, notice);
        QVERIFY2(notice.isEmpty() ? report["notices"].isEmpty() : report["notices"].contains(notice),
                 qPrintable(report["notices"]));
        if (report["content"] == "picture") {
            QCOMPARE(report["picture"], arguments[2]);
        }
    }
};

QTEST_GUILESS_MAIN(TestNotebox)
#include "tst_Notebox.moc"
