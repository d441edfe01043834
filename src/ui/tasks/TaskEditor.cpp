#include "ui/tasks/TaskEditor.h"

#include "core/base/Clock.h"
#include "core/base/FileStore.h"
#include "core/base/NumberText.h"
#include "core/base/OleDate.h"
#include "core/tasks/TaskFiring.h"
#include "core/tasks/TaskPeriods.h"
#include "core/tasks/TaskPresets.h"
#include "core/tasks/TaskScheduler.h"
#include "core/tasks/TaskStore.h"
#include "ui/app/EditorPictures.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"
#include "ui/app/StoredText.h"
#include "ui/app/TimeFields.h"
#include "ui/service/SessionQuestion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

namespace domora {

namespace {

constexpr int kClientWidth = 400;
// The controls fill 318; the line of the next run takes two lines' room under the buttons.
constexpr int kClientHeight = 346;

// A program window with a clock in its corner: a task that starts something at a time.
void drawTask(QPainter& painter) {
    painter.setPen(QPen(QColor(50, 60, 90), 1.5));
    painter.setBrush(QColor(240, 244, 250));
    painter.drawRect(QRectF(3, 6, 36, 28));
    painter.setBrush(QColor(40, 90, 180));
    painter.drawRect(QRectF(3, 6, 36, 7));
    painter.setPen(QPen(QColor(120, 130, 150), 1.5));
    for (int line = 0; line < 3; ++line) {
        painter.drawLine(QPointF(8, 18 + line * 5), QPointF(26 - line * 4, 18 + line * 5));
    }
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(QColor(255, 250, 225));
    painter.drawEllipse(QRectF(4, 24, 20, 20));
    painter.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(14, 34);
    painter.drawLine(centre, QPointF(14, 27));
    painter.drawLine(centre, QPointF(19, 34));
}

QComboBox* editableList(QWidget* parent, const char* name, int x, int y, int w) {
    auto* list = place(new QComboBox(parent), name, x, y, w, 22);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMaxVisibleItems(12);
    return list;
}

} // namespace

TaskEditor::TaskEditor(TaskStore& store, TaskScheduler& scheduler, FileStore& files, const Clock& clock,
                       MessageBoxes& boxes, MessageDialog& messageDialog)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      store_(store), scheduler_(scheduler), files_(files), clock_(clock), boxes_(boxes),
      messageDialog_(messageDialog) {
    setObjectName(QStringLiteral("Form15"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    buildWindow();
    chooseFile = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(this, caption, QString(), filter);
    };
}

void TaskEditor::prepare(Mode mode, int number) {
    mode_ = mode;
    number_ = number;
}

void TaskEditor::edit(Mode mode, int number) {
    prepare(mode, number);
    exec();
}

void TaskEditor::buildWindow() {
    image_ = place(new QLabel(this), "Image1", 8, 10, 48, 48);

    timeGroup_ =
        place(new QGroupBox(QStringLiteral("Время и дата запуска"), this), "GroupBox1", 64, 4, 332, 80);
    place(new QLabel(QStringLiteral("Время:"), timeGroup_), "Label1", 8, 22, 40, 18);
    hourEdit_ = place(new QLineEdit(QStringLiteral("0"), timeGroup_), "Edit1", 50, 20, 30, 21);
    minuteEdit_ = place(new QLineEdit(QStringLiteral("0"), timeGroup_), "Edit2", 84, 20, 30, 21);
    for (QLineEdit* field : {hourEdit_, minuteEdit_}) {
        field->setAlignment(Qt::AlignRight);
        field->setMaxLength(4);
    }
    dateCheck_ = place(new QCheckBox(QStringLiteral("Дата:"), timeGroup_), "CheckBox1", 126, 21, 60, 20);
    dateCheck_->setChecked(true);
    datePicker_ = place(new QDateEdit(timeGroup_), "DateTimePicker1", 190, 20, 134, 21);
    datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    datePicker_->setCalendarPopup(true);
    const DateTime today = clock_.localNow();
    datePicker_->setDate(QDate(today.year, today.month, today.day));
    periodCombo_ = editableList(timeGroup_, "ComboBox1", 8, 48, 316);
    for (std::string_view period : kTaskPeriods) {
        periodCombo_->addItem(qs(period));
    }
    periodCombo_->setCurrentText(qs(kEveryDay));
    connect(dateCheck_, &QCheckBox::clicked, this, &TaskEditor::CheckBox1Click);

    programGroup_ = place(new QGroupBox(QStringLiteral("Программа"), this), "GroupBox2", 4, 88, 392, 180);
    presetCombo_ = editableList(programGroup_, "ComboBox2", 8, 20, 376);
    for (std::string_view caption : kTaskPresetCaptions) {
        presetCombo_->addItem(qs(caption));
    }
    presetCombo_->setCurrentText(qs(kTaskPresetCaptions[0]));
    connect(presetCombo_, &QComboBox::currentTextChanged, this, &TaskEditor::ComboBox2Change);
    folderLabel_ = place(new QLabel(QStringLiteral("Каталог исполняемого файла:"), programGroup_), "Label2",
                         8, 48, 300, 16);
    folderEdit_ = place(new QLineEdit(programGroup_), "Edit3", 8, 64, 376, 21);
    folderEdit_->setMaxLength(static_cast<int>(kDirectoryChars));
    fileLabel_ =
        place(new QLabel(QStringLiteral("Имя исполняемого файла:"), programGroup_), "Label3", 8, 90, 280, 16);
    fileEdit_ = place(new QLineEdit(programGroup_), "Edit4", 8, 106, 288, 21);
    fileEdit_->setMaxLength(static_cast<int>(kFileNameChars));
    browseButton_ =
        place(new QPushButton(QStringLiteral("Обзор..."), programGroup_), "Button1", 304, 105, 80, 23);
    connect(browseButton_, &QPushButton::clicked, this, &TaskEditor::BrowseClick);
    paramsLabel_ =
        place(new QLabel(QStringLiteral("Параметры запуска:"), programGroup_), "Label4", 8, 132, 280, 16);
    paramsEdit_ = place(new QLineEdit(programGroup_), "Edit5", 8, 148, 376, 21);
    paramsEdit_->setMaxLength(static_cast<int>(kParamsChars));

    activeCheck_ = check(this, "CheckBox2", QStringLiteral("Задание активно"), 10, 282, 140, 20);
    activeCheck_->setChecked(true);

    okButton_ = place(new QPushButton(QStringLiteral("Ok"), this), "SpeedButton1", 154, 280, 78, 25);
    cancelButton_ = place(new QPushButton(QStringLiteral("Отмена"), this), "SpeedButton2", 236, 280, 78, 25);
    testButton_ = place(new QPushButton(QStringLiteral("Тест"), this), "SpeedButton3", 318, 280, 78, 25);
    for (QPushButton* button : {okButton_, cancelButton_, testButton_}) {
        button->setAutoDefault(false);
    }
    connect(okButton_, &QPushButton::clicked, this, &TaskEditor::OkClick);
    connect(cancelButton_, &QPushButton::clicked, this, &TaskEditor::CancelClick);
    connect(testButton_, &QPushButton::clicked, this, &TaskEditor::TestClick);

    nextFiringLabel_ = place(new QLabel(this), "NextFiringLabel", 10, 310, 386, 32);
    nextFiringLabel_->setWordWrap(true);
    nextFiringLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLineEdit* field : {hourEdit_, minuteEdit_}) {
        connect(field, &QLineEdit::textChanged, this, &TaskEditor::showNextFiring);
    }
    for (QCheckBox* check : {dateCheck_, activeCheck_}) {
        connect(check, &QCheckBox::toggled, this, &TaskEditor::showNextFiring);
    }
    connect(datePicker_, &QDateEdit::dateChanged, this, &TaskEditor::showNextFiring);
    connect(periodCombo_, &QComboBox::currentTextChanged, this, &TaskEditor::showNextFiring);
    CheckBox1Click();
}

// The fields that tell when the task runs, read without a word to the user: a time that is
// no number is a reason in the line, and its message waits for "Ok".
void TaskEditor::showNextFiring() {
    TaskRecord task;
    if (const auto unreadable = ReadTimeFields(*hourEdit_, *minuteEdit_, task.Hour, task.Minute)) {
        nextFiringLabel_->setText(*unreadable);
        return;
    }
    task.UseDate = dateCheck_->isChecked();
    const QDate date = datePicker_->date();
    task.TaskDate = OleDateOnly(date.year(), date.month(), date.day());
    task.Period = ss(periodCombo_->currentText());
    task.Active = activeCheck_->isChecked();
    const int index = mode_ == Mode::Add ? addedIndex_ : std::max(number_, 1) - 1;
    const TaskFlag flag = TaskFlagAt(static_cast<std::size_t>(index), scheduler_.TaskFired);
    nextFiringLabel_->setText(qs(TaskFiringLine(task, clock_.localNow(), flag)));
}

void TaskEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    // Centred on the window it was opened from.
    const QWindow* handle = windowHandle();
    if (handle != nullptr && handle->transientParent() != nullptr) {
        move(handle->transientParent()->frameGeometry().center() - rect().center());
        keepOnScreen(*this);
    } else {
        centreFrameOnScreen(*this);
    }
    FormShow();
}

void TaskEditor::FormShow() {
    const int picture = static_cast<int>(mode_) - 1;
    image_->setPixmap(BadgedPicture(drawTask, picture));
    switch (mode_) {
    case Mode::Add:
        addedIndex_ = std::max(store_.CountTasks().count, 0);
        setWindowTitle(QStringLiteral("Установить задание..."));
        ResetTaskEditor();
        break;
    case Mode::Change:
        setWindowTitle(QStringLiteral("Изменить задание № %1...").arg(number_));
        LoadTaskIntoEditor(number_, true);
        break;
    case Mode::View:
        setWindowTitle(QStringLiteral("Просмотреть задание № %1...").arg(number_));
        LoadTaskIntoEditor(number_, false);
        break;
    }
    periodCombo_->setEnabled(!dateCheck_->isChecked());
    ComboBox2Change();
    showNextFiring();
    if (mode_ != Mode::View) {
        hourEdit_->setFocus(Qt::OtherFocusReason);
        hourEdit_->selectAll();
    }
}

// Both groups and "Отмена" enabled, or disabled for viewing ("Ok" and "Тест" stay).
void TaskEditor::setEditing(bool enabled) {
    timeGroup_->setEnabled(enabled);
    programGroup_->setEnabled(enabled);
    activeCheck_->setEnabled(enabled);
    cancelButton_->setEnabled(enabled);
}

void TaskEditor::ResetTaskEditor() {
    setEditing(true);
    hourEdit_->setText(QStringLiteral("0"));
    minuteEdit_->setText(QStringLiteral("0"));
    for (QLineEdit* field : {folderEdit_, fileEdit_, paramsEdit_}) {
        field->clear();
    }
    periodCombo_->setCurrentText(qs(kEveryDay));
    presetCombo_->setCurrentText(qs(kTaskPresetCaptions[0]));
    dateCheck_->setChecked(true);
    activeCheck_->setChecked(true);
    const DateTime today = clock_.localNow();
    datePicker_->setDate(QDate(today.year, today.month, today.day));
    CheckBox1Click();
}

void TaskEditor::LoadTaskIntoEditor(int number, bool editable) {
    const LoadedTask loaded = store_.LoadTask(number);
    setEditing(editable);
    if (!loaded.result) {
        boxes_.error(this, qs(loaded.result.message));
        return;
    }
    const TaskRecord& task = loaded.record;
    hourEdit_->setText(QString::number(task.Hour));
    minuteEdit_->setText(QString::number(task.Minute));
    folderEdit_->setText(qs(task.Directory));
    fileEdit_->setText(qs(task.FileName));
    paramsEdit_->setText(qs(task.Params));
    periodCombo_->setCurrentText(qs(task.Period));
    presetCombo_->setCurrentText(qs(task.Preset));
    dateCheck_->setChecked(task.UseDate);
    activeCheck_->setChecked(task.Active);
    // A stored value that is no date leaves the picker as it was.
    if (const auto date = TryOleToDateTime(task.TaskDate)) {
        datePicker_->setDate(QDate(date->year, date->month, date->day));
    }
    CheckBox1Click();
}

void TaskEditor::CheckBox1Click() {
    const bool byDate = dateCheck_->isChecked();
    periodCombo_->setEnabled(!byDate);
    datePicker_->setEnabled(byDate);
}

void TaskEditor::ComboBox2Change() {
    const bool custom = IsCustomPresetText(ss(presetCombo_->currentText()));
    for (QWidget* part : std::initializer_list<QWidget*>{folderLabel_, fileLabel_, paramsLabel_, folderEdit_,
                                                         fileEdit_, paramsEdit_, browseButton_}) {
        part->setEnabled(custom);
    }
}

// The chosen file's folder (with its closing separator) and name go into their fields;
// cancelling leaves both as they were.
void TaskEditor::BrowseClick() {
    const QString path = chooseFile(QStringLiteral("Задание"), QStringLiteral("Все файлы (*.*)"));
    if (path.isEmpty()) {
        return;
    }
    const QFileInfo file(path);
    QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    const QString name = file.fileName();
    if (!PathFits(boxes_, this, folder, kDirectoryChars) || !PathFits(boxes_, this, name, kFileNameChars) ||
        !storable(folder + name)) {
        return;
    }
    folderEdit_->setText(folder);
    fileEdit_->setText(name);
}

bool TaskEditor::storable(const QString& typed) {
    return StorableText(boxes_, this, typed, QStringLiteral("файлы заданий"));
}

std::optional<TaskRecord> TaskEditor::programFromControls() {
    TaskRecord record;
    const std::pair<QWidget*, QString> texts[] = {{presetCombo_, presetCombo_->currentText()},
                                                  {fileEdit_, fileEdit_->text()},
                                                  {folderEdit_, folderEdit_->text()},
                                                  {paramsEdit_, paramsEdit_->text()}};
    for (const auto& [field, typed] : texts) {
        if (!storable(typed)) {
            field->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
    }
    record.Preset = PresetTextToStore(ss(presetCombo_->currentText()));
    record.FileName = ss(fileEdit_->text());
    record.Directory = ss(folderEdit_->text());
    record.Params = ss(paramsEdit_->text());
    return record;
}

std::optional<TaskRecord> TaskEditor::recordFromControls() {
    std::optional<TaskRecord> record = programFromControls();
    if (!record) {
        return std::nullopt;
    }
    const std::pair<QLineEdit*, int*> times[] = {{hourEdit_, &record->Hour}, {minuteEdit_, &record->Minute}};
    for (const auto& [field, target] : times) {
        const auto value = ParseInt32(ss(field->text()));
        if (!value) {
            boxes_.error(this, QStringLiteral("\"%1\" не является целым числом.").arg(field->text()));
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return std::nullopt;
        }
        *target = *value;
    }
    if (const auto wrong = CheckTaskTime(record->Hour, record->Minute)) {
        boxes_.error(this, qs(*wrong));
        QLineEdit* field = record->Hour < -1 || record->Hour > 23 ? hourEdit_ : minuteEdit_;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return std::nullopt;
    }
    if (!storable(periodCombo_->currentText())) {
        periodCombo_->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    record->Period = ss(periodCombo_->currentText());
    const QDate date = datePicker_->date();
    record->TaskDate = OleDateOnly(date.year(), date.month(), date.day());
    record->UseDate = dateCheck_->isChecked();
    record->Active = activeCheck_->isChecked();
    return record;
}

void TaskEditor::OkClick() {
    if (mode_ == Mode::View) {
        accept();
        return;
    }
    if (mode_ == Mode::Change && number_ == 0) {
        number_ = 1;
        emit taskChosen(number_);
    }
    const std::optional<TaskRecord> record = recordFromControls();
    if (!record) {
        return;
    }
    const TaskStoreResult result =
        mode_ == Mode::Add ? store_.AddTask(*record) : store_.ChangeTask(number_, *record);
    if (!result) {
        boxes_.error(this, qs(result.message));
        return;
    }
    accept();
    if (mode_ == Mode::Add) {
        emit added();
    }
}

void TaskEditor::CancelClick() {
    reject();
}

// Runs the task as the controls describe it, now. A custom task's program must be there;
// ending the session or sleeping is asked first, as on the Service page.
void TaskEditor::TestClick() {
    const bool custom = IsCustomPresetText(ss(presetCombo_->currentText()));
    if (custom && !files_.exists(ss(folderEdit_->text() + fileEdit_->text()))) {
        messageDialog_.ShowMessageDialog(
            QStringLiteral("Файл %1%2 не найден.").arg(folderEdit_->text(), fileEdit_->text()),
            MessageDialog::KindError, MessageDialog::ButtonOk, QString(), this);
        return;
    }
    const std::optional<TaskRecord> record = programFromControls();
    if (!record) {
        return;
    }
    bool forced = false;
    const auto preset = PresetOfStored(record->Preset);
    if (preset && PresetEndsSession(*preset)) {
        const SessionAnswer answer = AskToEndSession(messageDialog_, this);
        if (answer == SessionAnswer::Cancelled) {
            return;
        }
        forced = answer == SessionAnswer::Forced;
    }
    const TaskRunResult run = scheduler_.PerformTask(*record, forced);
    if (!run.started) {
        boxes_.error(this, qs(run.failure));
    }
}

} // namespace domora
