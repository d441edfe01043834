// The main window's interval timer: it beats only while something listens, and listeners may
// come and go in any way Qt allows, including by being destroyed.

#include "ui/app/IntervalTimer.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>
#include <vector>

using domora::IntervalTimer;

class TestIntervalTimer : public QObject {
    Q_OBJECT

private slots:
    void beatsOnlyWhileListened() {
        IntervalTimer timer(QStringLiteral("Timer1"), 10, true, nullptr);
        QVERIFY(!timer.running());
        int beats = 0;
        auto* listener = new QObject;
        connect(&timer, &IntervalTimer::timeout, listener, [&beats] { ++beats; });
        QVERIFY(timer.running());
        QTRY_VERIFY(beats >= 2);

        // Resting keeps the settings; waking beats at once.
        timer.setResting(true);
        QVERIFY(!timer.running() && timer.enabled());
        const int before = beats;
        timer.setResting(false);
        QCOMPARE(beats, before + 1);

        // The last listener gone, the timer stops at its next beat without beating.
        delete listener;
        const int atDelete = beats;
        QTRY_VERIFY(!timer.running());
        QCOMPARE(beats, atDelete);

        // An interval of 0 is silent even when listened.
        timer.setInterval(0);
        connect(&timer, &IntervalTimer::timeout, this, [] {});
        QVERIFY(!timer.running());
    }

    // Listeners destroyed while connected: Qt tells the timer with its own locks held, and a
    // listener that shares a lock with the timer must not hang the program. A thousand
    // listeners cover every lock of Qt's pool.
    void listenersDestroyedWhileConnected() {
        IntervalTimer timer(QStringLiteral("Timer4"), 1000, true, nullptr);
        std::vector<std::unique_ptr<QObject>> listeners;
        for (int i = 0; i < 1000; ++i) {
            listeners.push_back(std::make_unique<QObject>());
            connect(&timer, &IntervalTimer::timeout, listeners.back().get(), [] {});
        }
        QVERIFY(timer.running());
        listeners.clear();
        QVERIFY(timer.running()); // until its next beat
    }
};

QTEST_GUILESS_MAIN(TestIntervalTimer)
#include "tst_IntervalTimer.moc"
