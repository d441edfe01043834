#include "ui/tasks/TasksModule.h"

#include "core/app/AppPaths.h"
#include "core/base/MinuteGate.h"
#include "core/tasks/TaskScheduler.h"
#include "core/tasks/TaskStore.h"
#include "platform/Platform.h"
#include "platform/PlatformTaskRunner.h"
#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/QtText.h"
#include "ui/tasks/TaskListView.h"

#include <QTimer>

namespace domora {

TasksModule::TasksModule(const ModuleContext& context) : host_(context.host) {
    Platform& platform = context.platform;
    store_ = std::make_unique<TaskStore>(platform.files(), context.paths.ZadanPath);
    gate_ = std::make_unique<MinuteGate>(context.flags.FirstPassPending);
    runner_ = std::make_unique<PlatformTaskRunner>(platform.taskStarter(), platform.actions());
    scheduler_ = std::make_unique<TaskScheduler>(*store_, platform.clock(), *gate_, *runner_);

    // Told after the pass, so that a message box never holds a pass half done.
    scheduler_->onRunFailure = [this](int number, const std::string& failure) {
        const QString text = QStringLiteral("Задание №%1 не выполнено.\r\n%2").arg(number).arg(qs(failure));
        QTimer::singleShot(0, this, [this, text] { host_.notify(QStringLiteral("Задания"), text); });
    };
    MessageBoxes& boxes = context.boxes;
    QWidget* owner = host_.owner();
    scheduler_->onStoreError = [this, &boxes, owner](const TaskStoreResult& result) {
        const QString text = qs(result.message);
        QTimer::singleShot(0, this, [&boxes, owner, text] { boxes.error(owner, text); });
    };

    list_ = new TaskListView(*store_, *scheduler_, platform.files(), platform.clock(), boxes,
                             context.messageDialog, host_.sheet(ReminderSheet::Tasks));
    list_->setGeometry(0, 0, 503, 272);
    store_->addListener([this, &boxes, owner] {
        list_->FillZadTable();
        const std::string notice = store_->takeNotice();
        if (!notice.empty()) {
            boxes.information(owner, QString::fromStdString(notice));
        }
    });

    host_.onMinute([this] { scheduler_->TaskTick(); });
}

TasksModule::~TasksModule() = default;

void TasksModule::addMenuBranch(QMenu& menu) {
    QMenu* tasks = addSubmenu(menu, "mnTasks", QStringLiteral("Задания"));
    // Each item brings the window forward on "Задания" before it acts.
    addItem(*tasks, "mnZSee", QStringLiteral("Показать"), list_,
            [this] { host_.showOn(ReminderSheet::Tasks); });
    tasks->addSeparator();
    addItem(*tasks, "mnZAdd", QStringLiteral("Добавить"), list_, [this] {
        host_.showOn(ReminderSheet::Tasks);
        list_->AddClick();
    });
    addItem(*tasks, "mnZDelAll", QStringLiteral("Удалить все"), list_, [this] {
        host_.showOn(ReminderSheet::Tasks);
        list_->DeleteClick();
    });
}

} // namespace domora
