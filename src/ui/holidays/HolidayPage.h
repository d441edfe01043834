#pragma once

#include "core/holidays/HolidayStore.h"
#include "core/holidays/HolidayViews.h"

#include <QWidget>

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace domora {

class Clock;
class HolidayAddDialog;
class HolidayEditDialog;
class IntervalTimer;
class MessageBoxes;
class MessageDialog;
class Registry;

// The sub-page "Праздники" of the page "Напоминания": the grid `CelebTable` with the
// three views of the holiday file, the buttons that add, change and delete holidays, and
// the panel of the advance reminder (on or off, days ahead).
//
// Controls by object name: CelebTable; SpeedButton16 "Сегодня", SpeedButton17 "В этом
// месяце", SpeedButton11 "Показать все", SpeedButton4 "Добавить...", SpeedButton12
// "Изменить...", SpeedButton22 "Удалить... "; Panel1 with CheckBox4, Label14, ComboBox2,
// Label15.
class HolidayPage : public QWidget {
    Q_OBJECT
public:
    // `eventTimer` is the event line's timer, restarted when the page is shown with the file
    // present. The page makes its add and edit dialogs itself, when it first opens each.
    HolidayPage(HolidayStore& store, Registry& registry, const Clock& clock, MessageBoxes& boxes,
                MessageDialog& messageDialog, IntervalTimer& eventTimer, QWidget* parent = nullptr);
    ~HolidayPage() override;

    // The days ahead of the advance reminder: nothing while it is switched off or its list
    // holds no whole number.
    std::optional<int> reminderDaysAhead() const;

    // The view the grid shows, and another one shown.
    HolidayViewMode viewMode() const { return viewMode_; }
    void setView(HolidayViewMode mode);

    // The file is gone: the error row, the buttons and the panel disabled. `fromTimer` is
    // the event line's variant, which disables the checkbox and the list instead of the
    // panel.
    void showFileMissing(bool fromTimer);

    // The add and edit dialogs, each made on first use and kept, so that its date picker
    // keeps the date last chosen.
    HolidayAddDialog& addDialog();
    HolidayEditDialog& editDialog();

    // What the two dialogs work on.
    HolidayStore& store() { return store_; }
    // The grid row the user selected last (1-based, as the grid numbers its rows under the
    // header); 0 until the first selection.
    int selectedRow() const { return selectedRow_; }
    void setSelectedRow(int row) { selectedRow_ = row; }
    // The holiday the add dialog inserts after: the selected row, or where a filtered view
    // points when no row of the full list matched (0 = first, the count = last).
    int addAfter() const { return addAfter_; }
    // The four cells of grid row `row` (1-based); empty texts past the last row.
    HolidayRow rowCells(int row) const;
    // Reports a failed store operation (a stale selection past the last holiday changes
    // nothing and says nothing).
    void report(const HolidayStoreResult& result);

public slots:
    void showToday();     // "Сегодня"
    void showThisMonth(); // "В этом месяце"
    void showAll();       // "Показать все"

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Each time the sub-page becomes visible.
    void pageShown();
    void reminderToggled();
    void daysAheadChanged();
    void rowSelected(int row);
    void addHoliday();    // "Добавить..."
    void changeHoliday(); // "Изменить..."
    void deleteHoliday(); // "Удалить... "
    // Refills the grid with the current view.
    void refill();
    // Maps the selected row of a filtered view to the full list and switches to it.
    void findInFullList();
    void selectRow(int row);
    // The grid row the user has selected now, else the one selected last.
    int currentRow() const;
    void setButtonsEnabled(bool enabled);
    void setEditButtonsEnabled(bool enabled);

    HolidayStore& store_;
    Registry& registry_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    IntervalTimer& eventTimer_;
    std::unique_ptr<HolidayAddDialog> addDialog_;
    std::unique_ptr<HolidayEditDialog> editDialog_;
    int selectedRow_ = 0;
    int addAfter_ = 0;
    HolidayViewMode viewMode_ = HolidayViewMode::All;
    // Whether a change of the reminder settings is written to the registry.
    bool saveArmed_ = false;
    // Whether the days list was enabled when the page was disabled.
    bool daysListWasEnabled_ = false;
    bool filling_ = false;
    QString lastDaysText_ = QStringLiteral("0");

    QTableWidget* table_ = nullptr;
    QPushButton* todayButton_ = nullptr;
    QPushButton* monthButton_ = nullptr;
    QPushButton* allButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QFrame* reminderPanel_ = nullptr;
    QCheckBox* reminderCheck_ = nullptr;
    QLabel* daysBeforeLabel_ = nullptr;
    QComboBox* daysList_ = nullptr;
    QLabel* daysAfterLabel_ = nullptr;
};

// The refusal of a days-ahead text that is not a whole number.
inline constexpr char kDaysAheadRefused[] = "Количество дней должно быть целым числом от 0 до 36500.";

} // namespace domora
