#pragma once

#include "ui/tasks/TaskEditor.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QPushButton;
class QTableWidget;

namespace domora {

class Clock;
class FileStore;
class MessageBoxes;
class MessageDialog;
class TaskScheduler;
class TaskStore;

// The sub-page "Задания": the grid `ZadTable` with one row per task of the task file, and
// the buttons SpeedButton40 "Добавить...", SpeedButton41 "Изменить...", SpeedButton44
// "Просмотреть" and SpeedButton42 "Удалить...". Adding, changing and viewing open the task
// editor; deleting asks in the program's message dialog first. A row's tooltip tells when
// its task runs next, worked out as it is about to show.
class TaskListView : public QWidget {
    Q_OBJECT
public:
    TaskListView(TaskStore& store, TaskScheduler& scheduler, FileStore& files, const Clock& clock,
                 MessageBoxes& boxes, MessageDialog& messageDialog, QWidget* parent = nullptr);
    ~TaskListView() override;

    // The editor, made on first use and kept, so that its controls keep their contents from
    // one showing to the next.
    TaskEditor& editor();

    // The grid row the user selected last (1-based); 0 until the first selection.
    int SelectedTask() const { return selectedTask_; }

public slots:
    // Refills the grid from the task file. A file that cannot be read is reported and the
    // grid keeps its rows.
    void FillZadTable();
    // The sub-page is shown: the list when the task file exists, else the error row with
    // every button disabled.
    void TabSheet10Show();

    void AddClick();
    void DeleteClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ZadTableSelectCell(int row);
    void ChangeClick();
    void ViewClick();
    void openEditor(TaskEditor::Mode mode);
    // "Изменить...", "Удалить..." and "Просмотреть" enabled exactly when there are tasks.
    void enableByCount();
    void setEditButtonsEnabled(bool enabled);
    void fill(const std::vector<TaskRecord>& tasks);
    // The tooltip of task row `row` (from 0): its next run from the next minute on.
    QString rowTip(int row) const;

    TaskStore& store_;
    TaskScheduler& scheduler_;
    FileStore& files_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    std::unique_ptr<TaskEditor> editor_;
    std::vector<TaskRecord> tasks_; // the rows' tasks, as the grid shows them
    int selectedTask_ = 0;
    bool filling_ = false;

    QTableWidget* table_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QPushButton* viewButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
};

} // namespace domora
