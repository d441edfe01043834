#include "ui/missed/MissedModule.h"

#include "core/alarms/AlarmStore.h"
#include "core/app/AppPaths.h"
#include "core/app/MissedFirings.h"
#include "core/tasks/TaskScheduler.h"
#include "core/tasks/TaskStore.h"
#include "platform/Platform.h"
#include "platform/PlatformTaskRunner.h"
#include "ui/missed/MissedWindow.h"

#include <QSocketNotifier>
#include <QTimer>

namespace domora {

MissedModule::MissedModule(const ModuleContext& context) : host_(context.host) {
    Platform& platform = context.platform;
    alarms_ = std::make_unique<AlarmStore>(platform.files(), context.paths.BudilPath, platform.clock());
    tasks_ = std::make_unique<TaskStore>(platform.files(), context.paths.ZadanPath);
    watch_ = std::make_unique<MissedWatch>(platform.registry(), platform.clock(), *alarms_, *tasks_,
                                           platform.files());
    runner_ = std::make_unique<PlatformTaskRunner>(platform.taskStarter(), platform.actions());

    sleep_ = platform.createSleepWatch();
    const bool watching = sleep_->start([this](SleepWatch::Change change) {
        if (change == SleepWatch::Change::Suspending) {
            watch_->suspending();
            return;
        }
        if (auto list = watch_->resumed()) {
            // Out of the system's callback before a window is made.
            QTimer::singleShot(0, this, [this, shown = *list] { show(shown); });
        }
    });
    if (watching && sleep_->descriptor() >= 0) {
        sleepNotifier_ = new QSocketNotifier(sleep_->descriptor(), QSocketNotifier::Read, this);
        connect(sleepNotifier_, &QSocketNotifier::activated, this, [this] { sleep_->process(); });
    }

    host_.onMinute([this] { beat(); });
}

MissedModule::~MissedModule() = default;

void MissedModule::shutDown() {
    watch_->quitting();
}

void MissedModule::beat() {
    if (started_) {
        watch_->pass();
        return;
    }
    started_ = true;
    if (auto list = watch_->start()) {
        show(*list);
    }
}

void MissedModule::show(const MissedList& list) {
    if (window_ == nullptr) {
        window_ =
            new MissedWindow([this](const MissedFiring& firing) { return runNow(firing); }, host_.owner());
    }
    window_->showList(list);
    window_->show();
    window_->raise();
}

TaskRunResult MissedModule::runNow(const MissedFiring& firing) {
    const LoadedTask loaded = tasks_->LoadTask(firing.number);
    if (!loaded.result || loaded.record != firing.task) {
        return TaskRunResult::failed("Задание №" + std::to_string(firing.number) +
                                     " изменено или удалено после того, как список был составлен; "
                                     "выполните его со страницы «Задания».");
    }
    return PerformTaskWith(*runner_, loaded.record);
}

} // namespace domora
