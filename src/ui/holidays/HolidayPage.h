#pragma once

#include "core/holidays/HolidayStore.h"
#include "core/holidays/HolidayViews.h"

#include <QWidget>

#include <memory>
#include <optional>

#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace domora {

class Clock;
class IntervalTimer;
class MessageBoxes;
class Registry;
class HolidayEditDialog;
class HolidayAddDialog;
class MessageDialog;

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
    // present. The page makes its add and edit dialogs itself.
    HolidayPage(HolidayStore& store, Registry& registry, const Clock& clock, MessageBoxes& boxes,
                MessageDialog& messageDialog, IntervalTimer& eventTimer, QWidget* parent = nullptr);
    ~HolidayPage() override;

    HolidayAddDialog& addDialog() { return *addDialog_; }
    HolidayEditDialog& editDialog() { return *editDialog_; }
    // The days ahead of the advance reminder: nothing while it is switched off or its list
    // holds no whole number.
    std::optional<int> reminderDaysAhead() const;

    HolidayStore& store() { return store_; }
    MessageBoxes& boxes() { return boxes_; }

    // The grid row the user selected last (1-based, as the grid numbers its rows under the
    // header); 0 until the first selection.
    int SelectedCeleb = 0;
    // The view the grid shows.
    domora::HolidayViewMode HolidayViewMode = domora::HolidayViewMode::All;
    // Whether a change of the reminder settings is written to the registry.
    bool CelebSaveArmed = false;
    // The holiday the add dialog inserts after: `SelectedCeleb`, or where a filtered view
    // points when no row of the full list matched (0 = first, the count = last).
    int AddAfter = 0;

    // The four cells of grid row `row` (1-based); empty texts past the last row.
    HolidayRow rowCells(int row) const;
    int rowCount() const;

    // The file is gone: the error row, the buttons and the panel disabled. `fromTimer` is
    // the event line's variant, which disables the checkbox and the list instead of the
    // panel.
    void showFileMissing(bool fromTimer);

public slots:
    // Each time the sub-page becomes visible.
    void TabSheet8Show();
    void CheckBox4Click();
    void ComboBox2Change();
    void CelebTableSelectCell(int column, int row);

    void SpeedButton16Click(); // "Сегодня"
    void SpeedButton17Click(); // "В этом месяце"
    void SpeedButton11Click(); // "Показать все"
    void SpeedButton4Click();  // "Добавить..."
    void SpeedButton12Click(); // "Изменить..."
    void SpeedButton22Click(); // "Удалить... "

    // Refills the grid with the current view.
    void ShowHolidays();
    // Maps the selected row of a filtered view to the full list and switches to it.
    void FindHolidayInFullList();
    // Reports a failed store operation (a stale selection past the last holiday changes
    // nothing and says nothing).
    void report(const HolidayStoreResult& result);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setView(domora::HolidayViewMode mode);
    void selectRow(int row);
    // The grid row the user has selected now, else `SelectedCeleb`.
    int currentRow() const;
    void setButtonsEnabled(bool enabled);
    void setEditButtonsEnabled(bool enabled);
    void openAddDialog();
    // The full-view row of the first holiday on (m, d); 0 when none.

    HolidayStore& store_;
    Registry& registry_;
    const Clock& clock_;
    MessageBoxes& boxes_;
    MessageDialog& messageDialog_;
    IntervalTimer& eventTimer_;
    std::unique_ptr<HolidayAddDialog> addDialog_;
    std::unique_ptr<HolidayEditDialog> editDialog_;
    bool filling_ = false;
    QString lastDaysText_ = QStringLiteral("0");

public:
    QTableWidget* CelebTable = nullptr;
    QPushButton* SpeedButton16 = nullptr;
    QPushButton* SpeedButton17 = nullptr;
    QPushButton* SpeedButton11 = nullptr;
    QPushButton* SpeedButton4 = nullptr;
    QPushButton* SpeedButton12 = nullptr;
    QPushButton* SpeedButton22 = nullptr;
    QFrame* Panel1 = nullptr;
    // Panel1's tag: whether the days list was enabled when the page was disabled.
    int Panel1Tag = 0;
    QCheckBox* CheckBox4 = nullptr;
    QLabel* Label14 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label15 = nullptr;
};

// The refusal of a days-ahead text that is not a whole number.
inline constexpr char kDaysAheadRefused[] = "Количество дней должно быть целым числом от 0 до 36500.";

} // namespace domora
