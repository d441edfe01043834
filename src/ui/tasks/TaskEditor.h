#pragma once

#include "core/tasks/TaskRecord.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace domora {

class Clock;
class FileStore;
class MessageBoxes;
class MessageDialog;
class TaskScheduler;
class TaskStore;

// The task editor: adds a task, changes one or shows one, and tries a task out at once
// ("Тест"). Created once, when the task list first opens it, and reused; the controls keep
// their contents between showings except what showing sets. "Ok" stores through the task
// store, which refills the list.
//
// Controls by object name: Image1; GroupBox1 "Время и дата запуска" with Label1, Edit1
// (hours), Edit2 (minutes), CheckBox1 "Дата:", DateTimePicker1, ComboBox1 (period);
// GroupBox2 "Программа" with ComboBox2 (preset), Label2/Edit3 (folder), Label3/Edit4 (file
// name), Button1 "Обзор...", Label4/Edit5 (parameters); CheckBox2 "Задание активно";
// SpeedButton1 "Ok", SpeedButton2 "Отмена", SpeedButton3 "Тест". Under them
// NextFiringLabel tells when the task as the fields describe it runs next.
class TaskEditor : public QDialog {
    Q_OBJECT
public:
    enum class Mode : std::uint16_t { Add = 1, Change = 2, View = 3 };

    TaskEditor(TaskStore& store, TaskScheduler& scheduler, FileStore& files, const Clock& clock,
               MessageBoxes& boxes, MessageDialog& messageDialog);

    // Shows the editor for adding a task, or for changing or viewing task `number` (0 when
    // none is selected), and returns when it is closed.
    void edit(Mode mode, int number);
    // What the next showing is for, without showing.
    void prepare(Mode mode, int number);

    // The open-file dialog of "Обзор...": caption and filter; the chosen path or empty.
    // Tests replace it.
    std::function<QString(const QString& caption, const QString& filter)> chooseFile;

signals:
    // A task was added.
    void added();
    // "Ok" when changing with no task selected: the change goes to this task (1).
    void taskChosen(int number);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void FormShow();
    void OkClick();
    void CancelClick();
    void TestClick();
    void BrowseClick();
    // "Дата:": the date picker for a dated task, else the period list.
    void CheckBox1Click();
    // The program's fields, enabled for the custom preset only.
    void ComboBox2Change();

    void ResetTaskEditor();
    void LoadTaskIntoEditor(int number, bool editable);
    void setEditing(bool enabled);
    // The task the controls describe; nothing when a field cannot be stored (the reason was
    // shown and the field has the focus).
    std::optional<TaskRecord> recordFromControls();
    // The program's part of the task: preset, file name, folder and parameters; nothing when
    // one of them cannot be stored.
    std::optional<TaskRecord> programFromControls();
    bool storable(const QString& text);
    // NextFiringLabel for the fields as they stand.
    void showNextFiring();

    TaskStore& store_;
    TaskScheduler& scheduler_;
    FileStore& files_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    Mode mode_ = Mode::Add;
    int number_ = 0;
    int addedIndex_ = 0; // the index (from 0) a task added now takes

    QLabel* image_ = nullptr;
    QGroupBox* timeGroup_ = nullptr;
    QLineEdit* hourEdit_ = nullptr;
    QLineEdit* minuteEdit_ = nullptr;
    QCheckBox* dateCheck_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QComboBox* periodCombo_ = nullptr;
    QGroupBox* programGroup_ = nullptr;
    QComboBox* presetCombo_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLineEdit* fileEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QLabel* paramsLabel_ = nullptr;
    QLineEdit* paramsEdit_ = nullptr;
    QCheckBox* activeCheck_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QLabel* nextFiringLabel_ = nullptr;
};

} // namespace domora
