#include "ui/alarms/AlarmListView.h"

#include "core/alarms/AlarmFiring.h"
#include "core/alarms/AlarmStore.h"
#include "core/alarms/AlarmViews.h"
#include "core/base/Clock.h"
#include "core/base/FileStore.h"
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

constexpr int kColumns = 7;
constexpr int kColumnWidths[kColumns] = {31, 37, 59, 110, 72, 64, 88};
constexpr const char* kHeaders[kColumns] = {"№", "Время", "Дата", "Тип сообщения", "День", "Повтор", "Звук"};

} // namespace

AlarmListView::AlarmListView(AlarmStore& store, FileStore& files, const Clock& clock, const AppPaths& paths,
                             MessageBoxes& boxes, MessageDialog& messageDialog, SoundPlayer& previewPlayer,
                             QWidget* parent)
    : QWidget(parent), store_(store), files_(files), paths_(paths), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog), previewPlayer_(previewPlayer) {
    setObjectName(QStringLiteral("AlarmListView"));

    table_ = MakeRecordGrid(this, "BudTable", kColumnWidths, kHeaders);
    table_->setGeometry(4, 4, 499, 116);
    SetGridRowTips(*table_, [this](int row) { return rowTip(row); });
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { BudTableSelectCell(column, row + 1); });
    connect(table_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { BudTableSelectCell(column, row + 1); });

    const ButtonDef<AlarmListView> buttons[] = {
        {&addButton_, "BudAddButton", QStringLiteral("Добавить..."), &AlarmListView::AddClick},
        {&changeButton_, "BudChangeButton", QStringLiteral("Изменить..."), &AlarmListView::ChangeClick},
        {&viewButton_, "BudViewButton", QStringLiteral("Просмотреть"), &AlarmListView::ViewClick},
        {&resetButton_, "BudResetButton", QStringLiteral("Сбросить..."), &AlarmListView::ResetClick},
        {&deleteButton_, "BudDeleteButton", QStringLiteral("Удалить..."), &AlarmListView::DeleteClick},
    };
    placeButtonRow(this, buttons, QRect(4, 124, 95, 23), 101);
}

AlarmListView::~AlarmListView() = default;

AlarmEditor& AlarmListView::editor() {
    if (!editor_) {
        editor_ = std::make_unique<AlarmEditor>(store_, files_, paths_, clock_, boxes_, previewPlayer_);
        editor_->setFiredFlags(fired_);
        connect(editor_.get(), &AlarmEditor::added, this, [this] { setEditButtonsEnabled(true); });
        connect(editor_.get(), &AlarmEditor::alarmChosen, this,
                [this](int number) { selectedAlarm_ = number; });
    }
    return *editor_;
}

void AlarmListView::setFiredFlags(std::span<const std::uint8_t> fired) {
    fired_ = fired;
    if (editor_) {
        editor_->setFiredFlags(fired);
    }
}

QString AlarmListView::rowTip(int row) const {
    const auto index = static_cast<std::size_t>(row);
    if (row < 0 || index >= alarms_.size()) {
        return {};
    }
    return qs(AlarmFiringLine(alarms_[index], clock_.localNow(), AlarmFlagAt(index, fired_)));
}

void AlarmListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        PageShow();
    }
}

// The page is shown: the list when the alarm file can be read; otherwise the error row with
// every button off, and, when the file is there but cannot be read (a folder in its place, no
// access), the reason, over the page as it now is.
void AlarmListView::PageShow() {
    const auto list = store_.ReadAlarms();
    if (list.result) {
        for (QPushButton* button : {addButton_, changeButton_, viewButton_, resetButton_, deleteButton_}) {
            button->setEnabled(true);
        }
        fill(list.alarms);
        return;
    }
    filling_ = true;
    alarms_.clear();
    showMessageRow(QStringLiteral("Ошибка! Файл Budil.dmr не найден"));
    filling_ = false;
    addButton_->setEnabled(false);
    setEditButtonsEnabled(false);
    if (store_.AlarmFileExists()) {
        repaint();
        boxes_.error(this, qs(list.result.message));
    }
}

QStringList AlarmListView::rowTexts(int number, const AlarmRecord& record) {
    QStringList texts;
    for (const std::string& text : AlarmRowTexts(number, record, files_)) {
        texts << qs(text);
    }
    return texts;
}

void AlarmListView::ShowAlarms() {
    const auto list = store_.ReadAlarms();
    if (!list.result) {
        boxes_.error(this, qs(list.result.message));
        return;
    }
    fill(list.alarms);
}

void AlarmListView::fill(const std::vector<AlarmRecord>& alarms) {
    filling_ = true;
    alarms_ = alarms;
    if (alarms.empty()) {
        showMessageRow(QStringLiteral("БУДИЛЬНИК НЕ УСТАНОВЛЕН"));
        filling_ = false;
        setEditButtonsEnabled(false);
        return;
    }
    table_->clearContents();
    table_->clearSpans();
    table_->setRowCount(static_cast<int>(alarms.size()));
    int row = 0;
    for (const AlarmRecord& record : alarms) {
        SetGridRow(*table_, row, rowTexts(row + 1, record));
        ++row;
    }
    filling_ = false;
}

void AlarmListView::showMessageRow(const QString& text) {
    ShowGridMessage(*table_, 2, text);
}

void AlarmListView::BudTableSelectCell(int /*column*/, int row) {
    if (filling_ || row < 1) {
        return;
    }
    selectedAlarm_ = row;
}

void AlarmListView::setEditButtonsEnabled(bool enabled) {
    for (QPushButton* button : {changeButton_, deleteButton_, resetButton_, viewButton_}) {
        button->setEnabled(enabled);
    }
}

void AlarmListView::openEditor(AlarmEditor::Mode mode) {
    AlarmEditor& shown = editor();
    ownBy(shown, this);
    shown.edit(mode, selectedAlarm_);
}

void AlarmListView::AddClick() {
    openEditor(AlarmEditor::Mode::Add);
}

void AlarmListView::ChangeClick() {
    openEditor(AlarmEditor::Mode::Change);
}

void AlarmListView::ViewClick() {
    openEditor(AlarmEditor::Mode::View);
}

int AlarmListView::confirm(const char* action, int kind) {
    const QString text = QStringLiteral("Выделена запись будильника №%1 \r\nВы действительно хотите %2 "
                                        "этот будильник?")
                             .arg(selectedAlarm_)
                             .arg(QString::fromUtf8(action));
    messageDialog_.ShowMessageDialog(
        text, kind, MessageDialog::ButtonOk | MessageDialog::ButtonCancel | MessageDialog::ButtonYesAll,
        QString(), this);
    return messageDialog_.DialogResult();
}

void AlarmListView::ResetClick() {
    const int answer = confirm("сбросить", MessageDialog::KindReset);
    if (selectedAlarm_ == 0) {
        return;
    }
    AlarmStoreResult result;
    if (answer == MessageDialog::ResultButton1) {
        result = store_.ResetAlarm(selectedAlarm_);
    } else if (answer == MessageDialog::ResultButton3) {
        result = store_.ResetAllAlarms();
    }
    // A selection past the last alarm (left by a delete) resets nothing.
    if (!result && result.status != AlarmStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
}

void AlarmListView::DeleteClick() {
    const int answer = confirm("удалить", MessageDialog::KindDelete);
    AlarmStoreResult result;
    if (answer == MessageDialog::ResultButton1 && selectedAlarm_ != 0) {
        result = store_.DeleteAlarm(selectedAlarm_);
    } else if (answer == MessageDialog::ResultButton3) {
        result = store_.ClearAlarms();
    }
    // A selection past the last alarm deletes nothing.
    if (!result && result.status != AlarmStoreResult::Status::NoSuchRecord) {
        boxes_.error(this, qs(result.message));
    }
}

} // namespace domora
