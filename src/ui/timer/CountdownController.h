#pragma once

#include "core/timer/Countdown.h"
#include "core/timer/RingMachine.h"

#include <QObject>

#include <memory>
#include <string>

class QMenu;

namespace domora {

class Clock;
class CountdownPanel;
class IntervalTimer;
class MessageBoxes;
class SoundPlayer;
class MessageDialog;
class CountdownSetupDialog;
class CountdownRingWindow;

// The countdown: its state and sound settings, the display on the main window's panel, the
// setup dialog "Form10", the expiry window "Form11" and the "&Таймер" submenu. It sets the
// interval of the main window's Timer3 itself (1000 while counting, 0 otherwise); the main
// window only enables Timer3 in its start sequence. The countdown's elapsed time is kept
// here (countdown().CountdownElapsed) and the expiry window keeps its own; the program's
// timer sound is sound().TimerWav from here on, since the setup dialog changes it.
class CountdownController : public QObject {
    Q_OBJECT
public:
    CountdownController(CountdownPanel& panel, IntervalTimer& timer3, const Clock& clock, MessageBoxes& boxes,
                        MessageDialog& messageDialog, const std::string& standardWav,
                        std::unique_ptr<SoundPlayer> player, QObject* parent = nullptr);
    ~CountdownController() override;

    // Adds the "&Таймер" submenu to `menu`.
    void addMenu(QMenu& menu);

    const Countdown& countdown() const { return countdown_; }
    const TimerSound& sound() const { return sound_; }
    CountdownPanel& panel() { return panel_; }
    SoundPlayer& player() { return *player_; }
    // The setup dialog and the expiry window, each made when it is first shown and kept: the
    // dialog's controls keep their selections and texts from one opening to the next.
    CountdownSetupDialog& setupDialog();
    CountdownRingWindow& ringWindow();

public slots:
    void Timer3Timer();
    // A preset of the submenu (index into kMenuPresets): the main window is not shown.
    void startPreset(std::size_t index);

signals:
    // "&Установить..." of the menu: the main window is to be shown before
    // the setup dialog opens. Connect it directly.
    void mainWindowWanted();

private:
    void openSetup();         // "Установить...": the setup dialog, modal
    void askReset();          // "Сбросить", after the question
    void openSetupFromMenu(); // the main window forward, then "Установить..."
    // Starts the countdown afresh with `ms`; 0 leaves it reset and idle.
    void start(std::int32_t ms);
    void ResetCountdown();
    // The panel and Timer3 brought in line with the countdown.
    void update();

    CountdownPanel& panel_;
    IntervalTimer& timer3_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    Countdown countdown_;
    TimerSound sound_;
    std::string standardWav_;
    std::unique_ptr<SoundPlayer> player_;
    std::unique_ptr<CountdownSetupDialog> setupDialog_;
    std::unique_ptr<CountdownRingWindow> ringWindow_;
};

} // namespace domora
