// The countdown on the fake clock and a recording player: the panel, the ticks of Timer3,
// the menu presets, the reset question, and the expiry window's sound and counter.

#include "testing/core/FakeClock.h"
#include "testing/ui/FakeSoundPlayer.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MessageDialog.h"
#include "ui/timer/CountdownController.h"
#include "ui/timer/CountdownPanel.h"
#include "ui/timer/CountdownRingWindow.h"
#include "ui/timer/CountdownSetupDialog.h"

#include "UiTestSupport.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace domora;
using uitest::child;

namespace {

const QString kWav = QStringLiteral("/app/sound/timer/timer.WAV");

struct Fixture {
    FakeClock clock;
    uitest::RecordingBoxes boxes;
    CountdownPanel panel;
    IntervalTimer timer3{QStringLiteral("Timer3"), 0, true, nullptr};
    FakeSoundPlayer* player = new FakeSoundPlayer;
    MessageDialog dialog;
    CountdownController controller{
        panel, timer3, clock, boxes, dialog, kWav.toStdString(), std::unique_ptr<SoundPlayer>(player)};
    QDialog& setup = controller.setupDialog();
    CountdownRingWindow& ring = controller.ringWindow();

    Fixture() { player->playable = {kWav}; }
    ~Fixture() { ring.close(); }

    QStringList rows() const {
        QStringList texts;
        for (int number = 17; number <= 25; ++number) {
            texts << panel.findChild<QLabel*>(QStringLiteral("StaticText%1").arg(number))->text();
        }
        return texts;
    }
    // "Установить..." and "Сбросить".
    bool panelButtonsEnabled() const {
        return child<QPushButton>(panel, "SpeedButton19")->isEnabled() &&
               child<QPushButton>(panel, "SpeedButton20")->isEnabled();
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            controller.Timer3Timer();
        }
    }
    void myTimerOk(const QString& time) {
        child<QRadioButton>(setup, "RadioButton2")->click();
        child<QLineEdit>(setup, "MaskEdit1")->setText(time);
        child<QPushButton>(setup, "SpeedButton1")->click();
    }
    // The expiry window's timers, millisecond by millisecond.
    void ringFor(int ms) {
        for (int i = 0; i < ms; ++i) {
            clock.advanceMs(1);
            ring.pumpTimers();
        }
    }
};

} // namespace

class TestCountdown : public QObject {
    Q_OBJECT

private slots:
    // "Мой таймер" 00:00:05 rings on the fifth tick; the rows stay until the next countdown.
    void fiveSecondsRing() {
        Fixture f;
        f.myTimerOk("00:00:05");
        QCOMPARE(f.timer3.interval(), 1000);
        f.ticks(4);
        QVERIFY(!f.ring.isVisible());
        f.ticks(1);
        QVERIFY(f.ring.isVisible());
        QCOMPARE(f.rows(), (QStringList{"00", "00", "05", "00", "00", "05", "00", "00", "00"}));
        QCOMPARE(f.timer3.interval(), 0);
        QCOMPARE(child<QLabel>(f.ring, "StaticText1")->text(), QString("00:00:05"));
        QVERIFY(!f.panelButtonsEnabled());
        // Above every window and owned by the desktop.
        QCOMPARE(f.ring.parent(), nullptr);
        QVERIFY(f.ring.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    // "00:00:00" and "<Нет таймера>" stop a running countdown and start nothing.
    void zeroRunsNothing() {
        Fixture f;
        for (bool mine : {true, false}) {
            f.controller.startPreset(4);
            child<QRadioButton>(f.setup, "RadioButton1")->setChecked(!mine);
            child<QRadioButton>(f.setup, "RadioButton2")->setChecked(mine);
            child<QPushButton>(f.setup, "SpeedButton1")->click();
            QCOMPARE(f.timer3.interval(), 0);
            f.ticks(3);
            QCOMPARE(f.rows(), QStringList(9, "00"));
        }
        QVERIFY(!f.ring.isVisible());
    }

    // The expiry window plays with the setup dialog's play and pause times: after "Ok" with
    // the standard music, 2 seconds on and 1 off (the timing rules are the ring machine's).
    void ringUsesTheSetupTimes() {
        Fixture f;
        child<QLineEdit>(f.setup, "MaskEdit2")->setText("00:00:02");
        f.myTimerOk("00:00:01");
        f.ticks(1);
        QVERIFY(f.ring.isVisible());
        f.ringFor(1000);
        QVERIFY(f.player->isPlaying());
        f.ringFor(1030);
        QVERIFY(!f.player->isPlaying());
        f.ringFor(1000);
        QVERIFY(f.player->isPlaying());
        f.ringFor(3970);
        QCOMPARE(f.player->calls.count("play"), 3);
        QCOMPARE(f.player->calls.first(), "open " + kWav);
        QCOMPARE(child<QLabel>(f.ring, "StaticText2")->text(), QString("00:00:06"));
    }

    // Closing, by "Ok" or the close box, stops the sound at once and gives the buttons back.
    void closingStopsAtOnce() {
        for (const bool byButton : {true, false}) {
            Fixture f;
            f.controller.startPreset(0);
            f.ticks(60);
            f.ringFor(100);
            QVERIFY(f.player->isPlaying());
            if (byButton) {
                child<QPushButton>(f.ring, "Button1")->click();
            } else {
                f.ring.close();
            }
            QVERIFY(!f.ring.isVisible() && !f.player->isPlaying());
            QVERIFY(f.panelButtonsEnabled());
            const qsizetype calls = f.player->calls.size();
            f.ringFor(5000);
            QCOMPARE(f.player->calls.size(), calls);
        }
    }

    // A countdown started from the menu while the window rings counts its own seconds.
    void countdownWhileRinging() {
        Fixture f;
        f.myTimerOk("00:00:01");
        f.ticks(1);
        f.ringFor(3010);
        QCOMPARE(child<QLabel>(f.ring, "StaticText2")->text(), QString("00:00:03"));
        f.controller.startPreset(1);
        f.ticks(1);
        f.ringFor(1000);
        QCOMPARE(f.rows().mid(3, 3), (QStringList{"00", "00", "01"}));
        QCOMPARE(child<QLabel>(f.ring, "StaticText2")->text(), QString("00:00:04"));
    }

    // Ringing while the setup dialog is open: the window can still be closed first.
    void ringsOverTheSetupDialog() {
        Fixture f;
        f.controller.startPreset(0);
        f.ticks(59);
        bool modal = false;
        QTimer::singleShot(0, &f.setup, [&f, &modal] {
            f.ticks(1);
            modal = f.ring.isVisible() && f.ring.isModal();
            child<QPushButton>(f.ring, "Button1")->click();
            child<QPushButton>(f.setup, "SpeedButton2")->click();
        });
        f.setup.exec();
        QVERIFY(modal);
        QVERIFY(!f.ring.isVisible());
        f.controller.startPreset(0);
        f.ticks(60);
        QVERIFY(f.ring.isVisible() && !f.ring.isModal());
    }

    // "Сбросить" asks through the message dialog and resets on its button 1 only.
    void resetAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("total");
        QTest::newRow("Ok") << 1 << 0;
        QTest::newRow("Отмена") << 2 << 600000;
    }
    void resetAsks() {
        QFETCH(int, answer);
        QFETCH(int, total);
        Fixture f;
        f.controller.startPreset(5);
        f.ticks(2);
        QString text;
        uitest::answerDialog(f.dialog, answer, &text);
        child<QPushButton>(f.panel, "SpeedButton20")->click();
        QCOMPARE(text, QString("Вы действительно хотите сбросить таймер?"));
        QCOMPARE(f.controller.countdown().CountdownTotal, total);
        QCOMPARE(f.timer3.interval(), total != 0 ? 1000 : 0);
        QCOMPARE(f.rows()[5], QString(total != 0 ? "02" : "00"));
    }

    void menu() {
        Fixture f;
        QMenu menu;
        f.controller.addMenu(menu);
        QMenu* sub = child<QMenu>(menu, "mnTimer");
        sub->findChild<QAction*>("mnTSet45")->trigger();
        QCOMPARE(f.controller.countdown().CountdownTotal, 2'700'000);
        QCOMPARE(f.timer3.interval(), 1000);

        QSignalSpy wanted(&f.controller, &CountdownController::mainWindowWanted);
        bool shown = false;
        QTimer::singleShot(0, &f.setup, [&f, &wanted, &shown] {
            shown = f.setup.isVisible() && wanted.size() == 1;
            child<QPushButton>(f.setup, "SpeedButton2")->click();
        });
        sub->findChild<QAction*>("mnTSet")->trigger();
        QVERIFY(shown);
        QCOMPARE(f.controller.countdown().CountdownTotal, 2'700'000); // "Закрыть" changes nothing
    }
};

QTEST_MAIN(TestCountdown)
#include "tst_Countdown.moc"
