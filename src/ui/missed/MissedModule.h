#pragma once

#include "ui/app/Module.h"

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace domora {

class AlarmStore;
class MissedWatch;
class MissedWindow;
class PlatformTaskRunner;
class SleepWatch;
class TaskStore;
struct MissedFiring;
struct MissedList;
struct TaskRunResult;

// What came due while the computer was off or asleep: the last minute pass kept in the
// settings store, the list shown at start-up and after a wake in its own window, and a
// missed task performed from it on the user's word. It is the first module, so that its
// beat reckons the gap before the schedulers' start-up pass counts anything down.
//
// The list is a window of domora itself rather than of the note program: a task is
// performed by domora's task runner (the program, or a service action, with its failure
// told as the scheduler tells it), and the note program has no way back to domora.
class MissedModule final : public QObject, public Module {
    Q_OBJECT
public:
    explicit MissedModule(const ModuleContext& context);
    ~MissedModule() override;

    void shutDown() override;

private:
    void beat();
    void show(const MissedList& list);
    TaskRunResult runNow(const MissedFiring& firing);

    ModuleHost& host_;
    std::unique_ptr<AlarmStore> alarms_;
    std::unique_ptr<TaskStore> tasks_;
    std::unique_ptr<MissedWatch> watch_;
    std::unique_ptr<PlatformTaskRunner> runner_;
    std::unique_ptr<SleepWatch> sleep_;
    QSocketNotifier* sleepNotifier_ = nullptr;
    MissedWindow* window_ = nullptr;
    bool started_ = false;
};

} // namespace domora
