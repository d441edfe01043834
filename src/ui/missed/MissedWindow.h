#pragma once

#include "core/app/MissedFirings.h"
#include "core/tasks/TaskRunner.h"

#include <QWidget>

#include <functional>

class QVBoxLayout;

namespace domora {

// The list of what came due while the computer was off or asleep ("MissedWindow"): a
// heading, a line per missed firing and, beside a missed task, "Выполнить сейчас". Nothing
// in it fires by itself.
class MissedWindow : public QWidget {
    Q_OBJECT
public:
    // Performs task `number` of the list now, or says why not.
    using RunTask = std::function<TaskRunResult(const MissedFiring& firing)>;

    explicit MissedWindow(RunTask runTask, QWidget* parent = nullptr);

    // Shows `list` in place of what the window showed.
    void showList(const MissedList& list);

private:
    RunTask runTask_;
    QWidget* rows_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
};

} // namespace domora
