// The countdown's setup dialog on a recording player: the duration "Ok" reads, the checks
// of the time fields, Enter and Esc, and the music panel's buttons.

#include "core/timer/RingMachine.h"
#include "testing/ui/FakeSoundPlayer.h"
#include "ui/timer/CountdownSetupDialog.h"

#include "UiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace domora;
using uitest::child;

namespace {

const QString kStandardWav = QStringLiteral("/app/sound/timer/timer.WAV");

// Types the time into a mask field: each "_" is a digit deleted, as the user leaves it blank.
void setTime(QLineEdit* edit, const QString& text) {
    edit->setText(QString(text).replace('_', '0'));
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == '_') {
            edit->setCursorPosition(i);
            QTest::keyClick(edit, Qt::Key_Delete);
        }
    }
    QCOMPARE(edit->displayText(), text);
}

struct Setup {
    TimerSound sound;
    FakeSoundPlayer player;
    uitest::RecordingBoxes boxes;
    CountdownSetupDialog form{sound, player, boxes, kStandardWav.toStdString()};
    QSignalSpy chosen{&form, &CountdownSetupDialog::countdownChosen};

    QPushButton* button(const char* name) const { return child<QPushButton>(form, name); }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(form, name); }
};

} // namespace

class TestCountdownSetupDialog : public QObject {
    Q_OBJECT

private slots:
    // "Ok" by the selected source of the duration; a blank typed digit is "_".
    void ok_data() {
        QTest::addColumn<bool>("mine");
        QTest::addColumn<QString>("text"); // the preset text or MaskEdit1
        QTest::addColumn<QString>("play");
        QTest::addColumn<int>("duration"); // -1: nothing done
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, bool mine, const char* text, const char* play, int duration,
                            const QString& message) {
            QTest::newRow(name) << mine << QString(text) << QString(play) << duration << message;
        };
        const QString notANumber =
            QStringLiteral("\" - не число.\nВведите часы, минуты и секунды цифрами: чч:мм:сс.");
        row("my timer", true, "00:00:05", "00:00:02", 5000, "");
        row("no timer", false, "<Нет таймера>", "00:00:02", 0, "info: Нет таймера");
        row("half a pair", true, "1_:00:00", "00:00:02", -1,
            "error: Неверное время в поле \"Мой таймер\": \"1_" + notANumber);
        row("blank play time", false, "5 минут", "00:__:03", -1,
            "error: Неверное время в поле \"Время проигрования\": \"__" + notANumber);
    }
    void ok() {
        QFETCH(bool, mine);
        QFETCH(QString, text);
        QFETCH(QString, play);
        QFETCH(int, duration);
        QFETCH(QString, message);
        Setup s;
        QCOMPARE(s.sound.PauseTime, 0);    // until the first "Ok"
        s.button("SpeedButton4")->click(); // the file's time: MaskEdit2 00:00:02, MaskEdit3 00:00:02
        setTime(s.edit("MaskEdit2"), play);
        if (mine) {
            QVERIFY(!s.edit("MaskEdit1")->isEnabled());
            child<QRadioButton>(s.form, "RadioButton2")->click();
            QVERIFY(s.edit("MaskEdit1")->isEnabled() && !child<QComboBox>(s.form, "ComboBox1")->isEnabled());
            setTime(s.edit("MaskEdit1"), text);
        } else {
            child<QComboBox>(s.form, "ComboBox1")->setEditText(text);
        }
        s.form.show();
        s.button("SpeedButton1")->click();
        QCOMPARE(s.boxes.shown, message.isEmpty() ? QStringList() : QStringList{message});
        if (duration < 0) {
            QCOMPARE(s.chosen.size(), 0);
            QVERIFY(s.form.isVisible());
            QCOMPARE(s.sound.PlayTime, 2000);
            QCOMPARE(s.sound.PauseTime, 0);
            return;
        }
        QCOMPARE(s.chosen.size(), 1);
        QCOMPARE(s.chosen[0][0].toInt(), duration);
        QVERIFY(!s.form.isVisible());
        QCOMPARE(s.sound.PauseTime, 2000);
    }

    // Enter does "Ok" and Esc closes, whichever control has the focus.
    void keys() {
        Setup s;
        child<QRadioButton>(s.form, "RadioButton2")->click();
        s.edit("MaskEdit1")->setText("00:01:30");
        for (const auto& [target, key, result, emitted] :
             {std::tuple{static_cast<QWidget*>(child<QComboBox>(s.form, "ComboBox1")->lineEdit()),
                         Qt::Key_Escape, 0, 0},
              std::tuple{static_cast<QWidget*>(s.edit("MaskEdit1")), Qt::Key_Return, 1, 1}}) {
            QTimer::singleShot(0, target, [target = target, key = key] {
                target->setFocus();
                QTest::keyClick(target, key);
            });
            QCOMPARE(s.form.exec(), result);
            QCOMPARE(s.chosen.size(), emitted);
        }
        QCOMPARE(s.chosen[0][0].toInt(), 90000);
    }

    void musicFile() {
        Setup s;
        s.player.playable = {"/music/Вальс.mp3", kStandardWav};
        s.player.length = 83'400;
        QString answer = "/music/Вальс.mp3";
        s.form.chooseFile = [&answer](const QString&) { return answer; };
        s.button("SpeedButton3")->click();
        QCOMPARE(s.player.calls, QStringList{"open /music/Вальс.mp3"});
        QCOMPARE(QString::fromStdString(s.sound.TimerWav), QString("/music/Вальс.mp3"));
        QCOMPARE(s.sound.PlayTime, 83'400);
        QCOMPARE(child<QLabel>(s.form, "StaticText1")->text(), QString("00:01:23"));
        s.button("SpeedButton4")->click();
        QCOMPARE(s.edit("MaskEdit2")->displayText(), QString("00:01:23"));

        // Nothing chosen: the file set is measured again. A file that cannot be played is
        // reported and changes nothing.
        answer.clear();
        s.player.length = 5'000;
        s.button("SpeedButton3")->click();
        QCOMPARE(child<QLabel>(s.form, "StaticText1")->text(), QString("00:00:05"));
        answer = "/music/broken.wav";
        s.button("SpeedButton3")->click();
        QCOMPARE(s.boxes.shown, QStringList{"error: Файл \"/music/broken.wav\" не удаётся воспроизвести."});
        QCOMPARE(QString::fromStdString(s.sound.TimerWav), QString("/music/Вальс.mp3"));
        QCOMPARE(s.sound.PlayTime, 5'000);

        s.button("SpeedButton5")->click();
        QCOMPARE(QString::fromStdString(s.sound.TimerWav), kStandardWav);
        QCOMPARE(s.sound.PlayTime, 2000);
        QCOMPARE(child<QLabel>(s.form, "StaticText1")->text(), QString("00:00:02"));
    }

    // Widened near the right edge of the screen, the dialog moves back onto it.
    void widenedDialogStaysOnTheScreen() {
        Setup s;
        s.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.form));
        const QRect area = s.form.screen()->availableGeometry();
        s.form.move(area.right() - s.form.frameGeometry().width() - 4, area.top() + 40);
        s.button("SpeedButton6")->click();
        QCOMPARE(s.form.width(), CountdownSetupDialog::kWideWidth);
        QVERIFY(area.contains(s.form.frameGeometry()));
        s.form.close();
    }
};

QTEST_MAIN(TestCountdownSetupDialog)
#include "tst_CountdownSetupDialog.moc"
