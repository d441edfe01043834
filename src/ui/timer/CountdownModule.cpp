#include "ui/timer/CountdownModule.h"

#include "core/app/AppPaths.h"
#include "platform/Platform.h"
#include "ui/sound/SoundPlayer.h"
#include "ui/timer/CountdownController.h"
#include "ui/timer/CountdownPanel.h"

namespace domora {

CountdownModule::CountdownModule(const ModuleContext& context) {
    auto* panel = new CountdownPanel(context.host.sheet(ReminderSheet::AlarmsAndTimer));
    panel->move(0, 152); // under the alarm list
    controller_ = std::make_unique<CountdownController>(
        *panel, context.host.timer(TimerId::Countdown), context.platform.clock(), context.boxes,
        context.messageDialog, context.paths.TimerWav, std::make_unique<QtSoundPlayer>());
    ModuleHost& host = context.host;
    QObject::connect(controller_.get(), &CountdownController::mainWindowWanted, controller_.get(),
                     [&host] { host.showWindow(); });
}

CountdownModule::~CountdownModule() = default;

void CountdownModule::addMenuBranch(QMenu& menu) {
    controller_->addMenu(menu);
}

std::string CountdownModule::timerSound() const {
    return controller_->sound().TimerWav;
}

} // namespace domora
