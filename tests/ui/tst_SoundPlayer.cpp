// The built-in sounds as files (16-bit PCM mono at 22050 Hz, a second or two, not clipping)
// and the Qt Multimedia player on them and on files it cannot play.

#include "ui/sound/SoundPlayer.h"

#include "UiTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using domora::QtSoundPlayer;

namespace {

const QString Resources = QStringLiteral(DOMORA_TEST_DATA "/../../resources/");

template <typename T> T Read(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT
    QtSoundPlayer player;

private slots:
    // The module is loaded by the first file opened, not by making a player or by a file
    // that is not there.
    void moduleLoadedByTheFirstFile() {
        QVERIFY(!player.open(QStringLiteral("missing.wav")));
        QVERIFY(!uitest::soundModuleLoaded());
        QVERIFY(player.open(Resources + "Sound/Bud/Jin.wav"));
        QVERIFY(uitest::soundModuleLoaded());
    }

    void builtInSounds_data() {
        QTest::addColumn<QString>("file");
        // The names exactly as the program spells them, upper-case "WAV" included.
        for (const char* file :
             {"Sound/Bud/Bip-Bip.wav", "Sound/Bud/Jin.wav", "Sound/Bud/KuKu.wav", "sound/timer/timer.WAV"}) {
            QTest::newRow(file) << Resources + file;
        }
    }
    void builtInSounds() {
        QFETCH(QString, file);
        QFile wav(file);
        QVERIFY2(wav.open(QIODevice::ReadOnly), qPrintable(file));
        const QByteArray bytes = wav.readAll();
        // A PCM file with the canonical 44-byte header, 16-bit mono at 22050 Hz.
        QVERIFY(bytes.size() > 44);
        QCOMPARE(bytes.mid(0, 4) + bytes.mid(8, 8) + bytes.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
        QCOMPARE(Read<quint32>(bytes, 24), quint32(22050));
        const quint32 dataSize = Read<quint32>(bytes, 40);
        QCOMPARE(qsizetype(dataSize), bytes.size() - 44);
        const qint64 lengthMs = qint64(dataSize) / 2 * 1000 / 22050;
        QVERIFY2(lengthMs >= 900 && lengthMs <= 2000, qPrintable(QString::number(lengthMs)));
        int peak = 0;
        for (qsizetype at = 44; at + 1 < bytes.size(); at += 2) {
            peak = std::max(peak, std::abs(int(Read<qint16>(bytes, at))));
        }
        QVERIFY2(peak > 16000 && peak < 32000, qPrintable(QString::number(peak)));

        QVERIFY(player.open(file));
        QVERIFY2(std::abs(player.lengthMs() - lengthMs) <= 30,
                 qPrintable(QString::number(player.lengthMs())));
    }

    // What cannot be played fails at once or within the wait, and leaves no file open.
    void openFailures() {
        QTemporaryDir dir;
        QFile fake(dir.filePath("not-a-sound.wav"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write(QByteArray(4000, 'x'));
        fake.close();
        for (const QString& file : {dir.filePath("missing.wav"), fake.fileName(), QString(), dir.path()}) {
            QVERIFY(player.open(Resources + "Sound/Bud/KuKu.wav"));
            QElapsedTimer clock;
            clock.start();
            QVERIFY2(!player.open(file), qPrintable(file));
            QVERIFY(clock.elapsed() < QtSoundPlayer::OpenTimeoutMs + 1000);
            QCOMPARE(player.lengthMs(), 0);
            player.playLoop();
            QVERIFY(!player.isPlaying());
        }
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_SoundPlayer.moc"
