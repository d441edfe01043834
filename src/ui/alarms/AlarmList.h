#pragma once

#include "core/alarms/BudilRecord.h"
#include "core/app/AppPaths.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class QPushButton;
class QTableWidget;

namespace domora {

class AlarmStore;
class FileStore;
class MessageBoxes;
class TForm8;
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
class AlarmListView : public QWidget {
    Q_OBJECT
public:
    enum Mode : std::uint16_t { ModeAdd = 1, ModeChange = 2, ModeView = 3 };

    // The list makes its editor itself; `previewPlayer` plays the editor's melody preview.
    AlarmListView(AlarmStore& store, FileStore& files, const Clock& clock, const AppPaths& paths,
                  MessageBoxes& boxes, MessageDialog& messageDialog, SoundPlayer& previewPlayer,
                  QWidget* parent = nullptr);
    ~AlarmListView() override;

    TForm8& editor() { return *editor_; }

    AlarmStore& store() { return store_; }
    FileStore& files() { return files_; }
    const AppPaths& paths() const { return paths_; }
    MessageBoxes& boxes() { return boxes_; }

    // The grid row the user selected last (1-based); 0 until the first selection. Only the
    // grid's selection sets it (and the editor's change when it is 0).
    std::int32_t SelectedAlarm = 0;
    // What the editor is opened for: ModeAdd, ModeChange or ModeView.
    std::uint16_t EditorMode = 0;

    // The column texts of one alarm row.
    static constexpr int kColumns = 7;
    QStringList rowTexts(int number, const BudilRecord& record);

public slots:
    // Refills the grid from the alarm file. A file that cannot be read is reported and the
    // grid keeps its rows. Enables no button.
    void ShowAlarms();
    // The sub-page is shown: the list when the alarm file exists, else the error row.
    void PageShow();
    // The grid's selection.
    void BudTableSelectCell(int column, int row);

    void AddClick();
    void ChangeClick();
    void ViewClick();
    void ResetClick();
    void DeleteClick();

    // After an alarm is added: every button that needs an alarm.
    void enableEditButtons();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openEditor(std::uint16_t mode);
    // Asks about the selected alarm; the dialog's result, 0 when it could not be asked.
    int confirm(const char* action, int kind);
    void setEditButtonsEnabled(bool enabled);

    AlarmStore& store_;
    FileStore& files_;
    AppPaths paths_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    std::unique_ptr<TForm8> editor_;
    bool filling_ = false;

public:
    QTableWidget* BudTable = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* ChangeButton = nullptr;
    QPushButton* ViewButton = nullptr;
    QPushButton* ResetButton = nullptr;
    QPushButton* DeleteButton = nullptr;
};

} // namespace domora
