#pragma once

#include "ui/app/Module.h"

#include <QObject>

#include <memory>

namespace domora {

class MinuteGate;
class PlatformTaskRunner;
class TaskListView;
class TaskScheduler;
class TaskStore;

// The scheduled tasks: the store of the task file, the sub-page "Задания" with its list and
// editor, the scheduler that the minute beat drives, and the "Задания" branch of the tray
// menu. A task that could not be performed is told once, in the tray's balloon.
class TasksModule final : public QObject, public Module {
    Q_OBJECT
public:
    explicit TasksModule(const ModuleContext& context);
    ~TasksModule() override;

    void addMenuBranch(QMenu& menu) override;

private:
    ModuleHost& host_;
    std::unique_ptr<TaskStore> store_;
    std::unique_ptr<MinuteGate> gate_;
    std::unique_ptr<PlatformTaskRunner> runner_;
    std::unique_ptr<TaskScheduler> scheduler_;
    TaskListView* list_ = nullptr;
};

} // namespace domora
