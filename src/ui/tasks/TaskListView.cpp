#include "ui/tasks/TaskListView.h"

#include "core/base/Clock.h"
#include "core/tasks/TaskFiring.h"
#include "core/tasks/TaskScheduler.h"
#include "core/tasks/TaskStore.h"
#include "core/tasks/TaskViews.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/app/RecordGrid.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

namespace domora {

namespace {

constexpr int kColumnWidths[] = {21, 47, 59, 102, 180, 46};
constexpr const char* kHeaders[] = {"№", "Время", "Дата", "Период", "Задание", "Актив"};
constexpr int kDateColumn = 2;
constexpr int kTaskColumn = 4;

} // namespace

TaskListView::TaskListView(TaskStore& store, TaskScheduler& scheduler, FileStore& files, const Clock& clock,
                           MessageBoxes& boxes, MessageDialog& messageDialog, QWidget* parent)
    : QWidget(parent), store_(store), scheduler_(scheduler), files_(files), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog) {
    setObjectName(QStringLiteral("TaskListView"));

    table_ = MakeRecordGrid(this, "ZadTable", kColumnWidths, kHeaders);
    table_->setGeometry(4, 4, 495, 232);
    SetGridRowTips(*table_, [this](int row) { return rowTip(row); });
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { ZadTableSelectCell(row + 1); });
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { ZadTableSelectCell(row + 1); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        ZadTableSelectCell(row + 1);
        if (changeButton_->isEnabled()) {
            ChangeClick();
        }
    });

    const ButtonDef<TaskListView> buttons[] = {
        {&addButton_, "SpeedButton40", QStringLiteral("Добавить..."), &TaskListView::AddClick},
        {&changeButton_, "SpeedButton41", QStringLiteral("Изменить..."), &TaskListView::ChangeClick},
        {&viewButton_, "SpeedButton44", QStringLiteral("Просмотреть"), &TaskListView::ViewClick},
        {&deleteButton_, "SpeedButton42", QStringLiteral("Удалить..."), &TaskListView::DeleteClick},
    };
    placeButtonRow(this, buttons, QRect(4, 242, 95, 23), 101);
}

TaskListView::~TaskListView() = default;

TaskEditor& TaskListView::editor() {
    if (!editor_) {
        editor_ = std::make_unique<TaskEditor>(store_, scheduler_, files_, clock_, boxes_, messageDialog_);
        connect(editor_.get(), &TaskEditor::added, this, [this] { enableByCount(); });
        connect(editor_.get(), &TaskEditor::taskChosen, this, [this](int number) { selectedTask_ = number; });
    }
    return *editor_;
}

void TaskListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        TabSheet10Show();
    }
}

void TaskListView::TabSheet10Show() {
    tasks_.clear();
    if (!store_.TaskFileExists()) {
        filling_ = true;
        ShowGridMessage(*table_, kDateColumn, QStringLiteral("Ошибка! Файл Zadan.dmr не найден"));
        filling_ = false;
        addButton_->setEnabled(false);
        setEditButtonsEnabled(false);
        return;
    }
    const TaskList list = store_.ReadTasks();
    if (!list.result) {
        // There, but not readable (a folder in its place, no access): the reason, and no
        // button that would fail the same way.
        filling_ = true;
        ShowGridMessage(*table_, kDateColumn, QStringLiteral("Ошибка! Файл Zadan.dmr не найден"));
        filling_ = false;
        addButton_->setEnabled(false);
        setEditButtonsEnabled(false);
        repaint();
        boxes_.error(this, qs(list.result.message));
        return;
    }
    fill(list.tasks);
    addButton_->setEnabled(true);
    setEditButtonsEnabled(!list.tasks.empty());
}

void TaskListView::FillZadTable() {
    const TaskList list = store_.ReadTasks();
    if (!list.result) {
        boxes_.error(this, qs(list.result.message));
        return;
    }
    fill(list.tasks);
}

QString TaskListView::rowTip(int row) const {
    const auto index = static_cast<std::size_t>(row);
    if (row < 0 || index >= tasks_.size()) {
        return {};
    }
    return qs(TaskFiringLine(tasks_[index], clock_.localNow(), TaskFlagAt(index, scheduler_.TaskFired)));
}

void TaskListView::fill(const std::vector<TaskRecord>& tasks) {
    filling_ = true;
    tasks_ = tasks;
    if (tasks.empty()) {
        ShowGridMessage(*table_, kTaskColumn, QStringLiteral("ЗАДАНИЙ НЕТ"));
        filling_ = false;
        return;
    }
    table_->clearContents();
    table_->clearSpans();
    table_->setRowCount(static_cast<int>(tasks.size()));
    int row = 0;
    for (const TaskRecord& task : tasks) {
        QStringList texts;
        for (const std::string& cell : TaskRowTexts(row + 1, task)) {
            texts << qs(cell);
        }
        SetGridRow(*table_, row, texts);
        ++row;
    }
    // The selection the user made stays on its row.
    if (selectedTask_ >= 1 && selectedTask_ <= row) {
        table_->selectRow(selectedTask_ - 1);
    }
    filling_ = false;
}

void TaskListView::ZadTableSelectCell(int row) {
    if (filling_ || row < 1) {
        return;
    }
    selectedTask_ = row;
}

void TaskListView::setEditButtonsEnabled(bool enabled) {
    for (QPushButton* button : {changeButton_, deleteButton_, viewButton_}) {
        button->setEnabled(enabled);
    }
}

void TaskListView::enableByCount() {
    const TaskCount count = store_.CountTasks();
    setEditButtonsEnabled(count.result && count.count > 0);
}

void TaskListView::openEditor(TaskEditor::Mode mode) {
    TaskEditor& shown = editor();
    ownBy(shown, this);
    shown.edit(mode, selectedTask_);
}

void TaskListView::AddClick() {
    openEditor(TaskEditor::Mode::Add);
}

void TaskListView::ChangeClick() {
    openEditor(TaskEditor::Mode::Change);
}

void TaskListView::ViewClick() {
    openEditor(TaskEditor::Mode::View);
}

void TaskListView::DeleteClick() {
    messageDialog_.ShowMessageDialog(
        QStringLiteral("Выделена запись №%1 \r\nВы действительно хотите удалить это задание?")
            .arg(selectedTask_),
        MessageDialog::KindDelete,
        MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonYesAll, QString(), this);
    const int answer = messageDialog_.DialogResult();
    TaskStoreResult result;
    if (answer == MessageDialog::ResultButton1 && selectedTask_ != 0) {
        result = store_.DeleteTask(selectedTask_);
    } else if (answer == MessageDialog::ResultButton3) {
        result = store_.ClearTasks();
    }
    // A selection past the last task (left by a delete) deletes nothing.
    if (!result && result.status != TaskStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
    enableByCount();
}

} // namespace domora
