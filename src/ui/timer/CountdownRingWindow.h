#pragma once

#include "core/timer/RingMachine.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

namespace domora {

class Clock;
class SoundPlayer;

// The expiry window "Сработал таймер": on top of every window and without a parent window,
// so it shows while the main window is minimised or hidden in the tray, and not modal. It
// plays the countdown's sound for the play time, pauses for the pause time and starts again
// from the beginning of the file until it is closed, and counts the time since it rang.
//
// Its three timers (Timer1, Timer2, Timer3 of the ring machine) run on the clock's
// millisecond count; one Qt timer wakes the window when the next of them is due.
class CountdownRingWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 321;
    static constexpr int kClientHeight = 98;

    CountdownRingWindow(const TimerSound& sound, SoundPlayer& player, const Clock& clock);
    ~CountdownRingWindow() override;

    // The countdown rang with `setTime` ("hh:mm:ss"): shows the window and starts the
    // sound. A window already ringing is only brought to the front.
    void Ring(const QString& setTime);

public slots:
    // Fires the timers that are due by the clock; the wake-up timer calls it.
    void pumpTimers();

signals:
    // True when the window starts ringing, false when it closes: the main window's
    // "Установить..." and "Сбросить" are off meanwhile.
    void ringingChanged(bool ringing);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class PlayerSound;

    void startRinging(const QString& setTime);
    // Back to the top of the windows that stay on top.
    void keepOnTop();
    // Closing in any way.
    void stopRinging();
    void showElapsed();
    void scheduleWakeUp();

    const Clock& clock_;
    std::unique_ptr<PlayerSound> sound_;
    RingMachine machine_;
    QTimer wakeUp_;
    bool pumping_ = false;
    bool ringing_ = false;

    QLabel* picture_ = nullptr;
    QLabel* setTimeText_ = nullptr; // "Таймер был установлен на"
    QLabel* elapsedText_ = nullptr; // "с того времени прошло"
    QPushButton* okButton_ = nullptr;
};

} // namespace domora
