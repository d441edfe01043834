#pragma once

#include "core/alarms/AlarmRecord.h"
#include "core/app/AppPaths.h"
#include "ui/alarms/AlarmEditor.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QPushButton;
class QTableWidget;

namespace domora {

class AlarmStore;
class FileStore;
class MessageBoxes;
class Clock;
class MessageDialog;
class SoundPlayer;

// The alarm half of the sub-page "Будильники и Таймер": the grid `BudTable` with one row
// per alarm of the alarm file, and the buttons that add, change, view, reset and delete.
// Adding, changing and viewing open the alarm editor; resetting and deleting ask in the
// program's message dialog first.
//
// Buttons by object name: BudAddButton "Добавить...", BudChangeButton "Изменить...",
// BudViewButton "Просмотреть", BudResetButton "Сбросить...", BudDeleteButton "Удалить...".
// A row's tooltip tells when its alarm fires next, worked out as it is about to show.
class AlarmListView : public QWidget {
    Q_OBJECT
public:
    // The list makes its editor itself, when it first opens it; `previewPlayer` plays the
    // editor's melody preview.
    AlarmListView(AlarmStore& store, FileStore& files, const Clock& clock, const AppPaths& paths,
                  MessageBoxes& boxes, MessageDialog& messageDialog, SoundPlayer& previewPlayer,
                  QWidget* parent = nullptr);
    ~AlarmListView() override;

    // The editor, made on first use and kept, so that its controls keep their contents
    // from one showing to the next.
    AlarmEditor& editor();

    // The scheduler's flags (AlarmFired), by which the next firings of the alarms without a
    // time are told for this list and its editor; without them those go by the state at
    // start-up. They must outlive the list.
    void setFiredFlags(std::span<const std::uint8_t> fired);

    // The grid row the user selected last (1-based); 0 until the first selection. Only the
    // grid's selection sets it (and the editor's change when it is 0).
    int selectedAlarm() const { return selectedAlarm_; }

public slots:
    // Refills the grid from the alarm file. A file that cannot be read is reported and the
    // grid keeps its rows. Enables no button.
    void ShowAlarms();
    // The sub-page is shown: the list when the alarm file exists, else the error row.
    void PageShow();

    void AddClick();
    void ResetClick();
    void DeleteClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The grid's selection.
    void BudTableSelectCell(int column, int row);
    void ChangeClick();
    void ViewClick();
    void openEditor(AlarmEditor::Mode mode);
    // Asks about the selected alarm; the dialog's result, 0 when it could not be asked.
    int confirm(const char* action, int kind);
    void setEditButtonsEnabled(bool enabled);
    void showMessageRow(const QString& text);
    // The grid filled with the alarms, or the empty-list row.
    void fill(const std::vector<AlarmRecord>& alarms);

    // The tooltip of alarm row `row` (from 0): its next firing from the next minute on.
    QString rowTip(int row) const;

    // The column texts of one alarm row.
    QStringList rowTexts(int number, const AlarmRecord& record);

    AlarmStore& store_;
    FileStore& files_;
    AppPaths paths_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    SoundPlayer& previewPlayer_;
    std::unique_ptr<AlarmEditor> editor_;
    std::span<const std::uint8_t> fired_;
    std::vector<AlarmRecord> alarms_; // the rows' alarms, as the grid shows them
    std::int32_t selectedAlarm_ = 0;
    bool filling_ = false;

    QTableWidget* table_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QPushButton* viewButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
};

} // namespace domora
