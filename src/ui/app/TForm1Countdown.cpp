// The main window's countdown timer: the panel under the alarm list, Timer3 and the
// "&Таймер" submenu.

#include "platform/Platform.h"
#include "ui/app/TForm1.h"
#include "ui/sound/SoundPlayer.h"
#include "ui/timer/CountdownController.h"
#include "ui/timer/CountdownPanel.h"

#include <QTabWidget>

namespace domora {

void TForm1::createCountdown() {
    auto* panel = new CountdownPanel(PageControl2->widget(1)); // "Будильники и Таймер"
    panel->move(0, 152);                                       // under the alarm list
    countdown_ = new CountdownController(*panel, *timer(3), platform_.clock(), boxes_, paths_.TimerWav,
                                         std::make_unique<QtSoundPlayer>(), this);
    countdown_->attachMenu(PopupMenu1);
    connect(countdown_, &CountdownController::mainWindowWanted, this, &TForm1::ShowMainWindow);
    countdown_->setMessageDialog(messageDialog_);
}

} // namespace domora
