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
class TForm9;
class TForm10;
class TForm11;

// The countdown: its state and sound settings, the display on the main window's panel, the
// setup dialog TForm10, the expiry window TForm11 and the "&Таймер" submenu.
//
// How the main window wires it, in its creation step once the paths are known (beside the
// alarms), with `countdown_` a CountdownController* member:
//
//     auto* panel = new CountdownPanel(PageControl2->widget(1)); // "Будильники и Таймер"
//     panel->move(0, 152);                                       // under the alarm list
//     countdown_ = new CountdownController(*panel, *timer(3), platform_.clock(), boxes_,
//                                          paths_.TimerWav, std::make_unique<QtSoundPlayer>(), this);
//     countdown_->attachMenu(PopupMenu1);
//     connect(countdown_, &CountdownController::mainWindowWanted, this, &TForm1::ShowMainWindow);
//     countdown_->setMessageDialog(messageDialog_); // and again in setMessageDialog()
//
// The controller connects Timer3's timeout to Timer3Timer and sets Timer3's interval itself
// (1000 while counting, 0 otherwise); the main window only enables Timer3 in its start
// sequence, as it does now. attachMenu() enables the actions "mnTSet" and "mnTSet1" ...
// "mnTSet3h" found under the menu and connects them to the slots of the same names. The
// countdown's elapsed time is kept here (countdown().CountdownElapsed) and the expiry
// window keeps its own; `TimerWav` of the program is sound().TimerWav from here on, since
// the setup dialog changes it.
class CountdownController : public QObject {
    Q_OBJECT
public:
    CountdownController(CountdownPanel& panel, IntervalTimer& timer3, const Clock& clock, MessageBoxes& boxes,
                        const std::string& standardWav, std::unique_ptr<SoundPlayer> player,
                        QObject* parent = nullptr);
    ~CountdownController() override;

    // The program's own confirmation dialog, asked before a reset.
    void setMessageDialog(TForm9* dialog) { messageDialog_ = dialog; }
    // Enables and connects the items of the "&Таймер" submenu under `menu`.
    void attachMenu(QMenu* menu);

    const Countdown& countdown() const { return countdown_; }
    const TimerSound& sound() const { return sound_; }
    CountdownPanel& panel() { return panel_; }
    SoundPlayer& player() { return *player_; }
    TForm10* Form10() const { return form10_.get(); }
    TForm11* Form11() const { return form11_.get(); }

public slots:
    void SpeedButton19Click(); // "Установить...": the setup dialog, modal
    void SpeedButton20Click(); // "Сбросить", after the question
    void Timer3Timer();
    void mnTSetClick(); // the main window forward, then "Установить..."
    void mnTSet1Click();
    void mnTSet2Click();
    void mnTSet3Click();
    void mnTSet4Click();
    void mnTSet5Click();
    void mnTSet10Click();
    void mnTSet15Click();
    void mnTSet30Click();
    void mnTSet45Click();
    void mnTSet1hClick();
    void mnTSet15hClick();
    void mnTSet2hClick();
    void mnTSet3hClick();

signals:
    // "&Установить..." of the menu: the main window is to be shown (ShowMainWindow) before
    // the setup dialog opens. Connect it directly.
    void mainWindowWanted();

private:
    // Starts the countdown afresh with `ms`; 0 leaves it reset and idle.
    void start(std::int32_t ms);
    void menuPreset(std::size_t index);
    void ResetCountdown();
    // The panel and Timer3 brought in line with the countdown.
    void update();

    CountdownPanel& panel_;
    IntervalTimer& timer3_;
    MessageBoxes& boxes_;
    TForm9* messageDialog_ = nullptr;
    Countdown countdown_;
    TimerSound sound_;
    std::unique_ptr<SoundPlayer> player_;
    std::unique_ptr<TForm10> form10_;
    std::unique_ptr<TForm11> form11_;
};

} // namespace domora
