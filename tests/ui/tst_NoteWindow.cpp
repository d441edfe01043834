// The note program's window and command line on the recording sound player: what is parsed,
// how a message file is decoded, which sound is played when, and the snooze.

#include "CommandLine.h"
#include "NoteWindow.h"

#include "testing/ui/FakeSoundPlayer.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace domora;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestNoteWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString sound;   // dir/Sound/Bud/Jin.wav
    QString message; // dir/Temp/File3.txt, code page 1251

    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        sound = path("Sound/Bud/Jin.wav");
        message = path("Temp/File3.txt");
        WriteFile(sound, "RIFF");
        WriteFile(message,
                  "\xCF\xEE\xE7\xE2\xEE\xED\xE8\xF2\xFC\r\n\xEC\xE0\xEC\xE5\r\n"); // Позвонить / маме
        WriteFile(path("my sounds/a b.wav"), "RIFF");
        WriteFile(path("my notes/c d.txt"), "x");
        WriteFile(path("Tmp_Celeb.txt"), "x");
        // The holiday reminder's text under a short name: "Сообщение о наступлении праздника".
        WriteFile(path("TMP_CE~1.TXT"),
                  "\xD1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5 \xEE \xED\xE0\xF1\xF2\xF3\xEF\xEB"
                  "\xE5\xED\xE8\xE8 \xEF\xF0\xE0\xE7\xE4\xED\xE8\xEA\xE0\r\n\xC4\xE5\xED\xFC: 8\r\n");
    }

    // Each good line as "kind|sound|message|numbers" of what was parsed; a bad one as "!" and
    // a part of its message.
    void parse_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("parsed");
        const QString ab = path("my sounds/a b.wav"), cd = path("my notes/c d.txt");
        QTest::newRow("silent, no text") << QStringList{"1", "not", "EMPTY", "12"} << "1|||12";
        QTest::newRow("holidays") << QStringList{"1", "/t.WAV", "/T.txt", " 3, 7"} << "1|/t.WAV|/T.txt|3,7";
        QTest::newRow("blank picture") << QStringList{"0", "/s.wav", "", "5"} << "0|/s.wav||5";
        QTest::newRow("blank picture lost") << QStringList{"0", "/s.wav", "5"} << "0|/s.wav||5";
        QTest::newRow("blanks in paths")
            << QStringList{"1"} + ab.split(' ') + cd.split(' ') + QStringList{"2"}
            << "1|" + ab + "|" + cd + "|2";
        QTest::newRow("blanks, no reading") << QStringList{"1", "/no/a", "b.wav", "/no/c", "d.txt", "2"}
                                            << "!лишние параметры (получено 6 вместо 4)";
        QTest::newRow("nothing") << QStringList{} << "!запускает";
        QTest::newRow("too few") << QStringList{"1", "not", "EMPTY"}
                                 << "!не хватает параметров (получено 3 из 4)";
        QTest::newRow("bad kind") << QStringList{"2", "not", "EMPTY", "1"} << "!Неверный вид сообщения «2»";
        for (const char* bad : {"abc", "0", "3,", "3,,7", "99999999"}) {
            QTest::addRow("number \"%s\"", bad) << QStringList{"1", "not", "EMPTY", bad}
                                                << QStringLiteral("!Неверный номер записи «%1»").arg(bad);
        }
    }
    void parse() {
        QFETCH(QStringList, fields);
        QFETCH(QString, parsed);
        const ParsedCommand result = ParseNoteCommand(fields);
        if (parsed.startsWith('!')) {
            QVERIFY(!result.command);
            QVERIFY2(result.error.contains(parsed.mid(1)), qPrintable(result.error));
        } else {
            QVERIFY2(result.command, qPrintable(result.error));
            const NoteCommand& c = *result.command;
            QCOMPARE(QStringList(
                         {c.pictureFlag ? "0" : "1", c.sound, c.message, NumbersText(c.numbers).remove(' ')})
                         .join('|'),
                     parsed);
        }
    }

    // A second note open at the same time takes the next place of the cascade.
    void notesShownTogetherCascade() {
        FakeSoundPlayer player;
        NoteWindow first(player);
        NoteWindow second(player);
        for (NoteWindow* note : {&first, &second}) {
            note->load({"1", "not", message, "3"});
        }
        second.setCascadePlace(1);
        first.present();
        second.present();
        QCOMPARE(second.pos() - first.pos(), QPoint(NoteWindow::kCascadeStep, NoteWindow::kCascadeStep));
        first.close();
        second.close();
    }

    // The sound loops while the note shows; a snooze hides the note and brings it back, with
    // its sound, after the chosen minutes; closing stops everything.
    void soundAndSnooze() {
        FakeSoundPlayer player;
        player.acceptExisting = true;
        NoteWindow window(player);
        window.setMinuteMs(20);
        int presented = 0;
        window.onPresented = [&presented] { ++presented; };
        window.load({"1", path("sound/bud/JIN.wav"), message, "3"});
        QCOMPARE(window.findChild<QLabel*>("NoteText")->text(), QStringLiteral("Позвонить\nмаме"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Напоминание — будильник №3"));
        QCOMPARE(player.openFile(), sound);
        QVERIFY(!player.isPlaying());
        window.present();
        QVERIFY(window.isVisible() && window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(player.isPlaying() && player.looping());

        auto* box = window.findChild<QComboBox*>("SnoozeBox");
        box->setCurrentIndex(1); // 10 minutes: 200 ms here
        window.findChild<QPushButton*>("SnoozeButton")->click();
        QVERIFY(!window.isVisible() && !player.isPlaying() && window.snoozed());
        QCOMPARE(presented, 1);
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 5000);
        QCOMPARE(presented, 2);
        QVERIFY(player.isPlaying() && player.looping());

        window.findChild<QPushButton*>("CloseButton")->click();
        QVERIFY(!window.isVisible() && !window.snoozed() && !player.isPlaying());

        // The note stays away for the chosen minutes (a coarse timer may be off by 5 %);
        // closing it while snoozed ends it.
        window.setMinuteMs(60'000);
        window.present();
        window.findChild<QPushButton*>("SnoozeButton")->click();
        const int left = window.snoozeLeftMs();
        QVERIFY2(left > 9 * 60'000 && left < 11 * 60'000, qPrintable(QString::number(left)));
        window.close();
        QVERIFY(!window.snoozed());
    }

    // The reminder's file, also by its short name, names one holiday.
    void holidayTitles() {
        for (const QString& file : {path("tmp_celeb.TXT"), path("TMP_CE~1.TXT")}) {
            FakeSoundPlayer player;
            NoteWindow window(player);
            window.load({"1", "not", file, "3"});
            QCOMPARE(window.windowTitle(), QStringLiteral("Праздник №3"));
        }
    }

    void pictureFitsTheScreen() {
        QImage image(2000, 1000, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(path("wide.PNG")));
        FakeSoundPlayer player;
        NoteWindow window(player);
        window.load({"1", "not", path("wide.PNG"), "6"}); // picture by extension, whatever the kind
        QCOMPARE(window.content(), NoteWindow::Content::Picture);
        const QPixmap shown = window.findChild<QLabel*>("Picture")->pixmap();
        QVERIFY(shown.width() <= 640 && shown.height() <= 440 && shown.width() >= 400);
        QCOMPARE(shown.width(), 2 * shown.height());
        window.present();
        QVERIFY(window.findChild<QLabel*>("Picture")->isVisible());
        QVERIFY(!window.findChild<QWidget*>("TextArea")->isVisible());
    }
};

QTEST_MAIN(TestNoteWindow)
#include "tst_NoteWindow.moc"
