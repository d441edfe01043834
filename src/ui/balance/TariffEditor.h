#pragma once

#include "core/app/Registry.h"
#include "core/app/Settings.h"

#include <QString>
#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;

namespace domora {

class MessageBoxes;

// The price editor's window ("TfrmTallyup"): the advance in dollars and, for each weekday,
// the day, evening and night prices in dollars an hour with the time each of them runs
// from and to. The controls are named as the values they edit ("Avans", "1_Days",
// "1_D_From", ... "7_N_To"), one page of "Days" a weekday.
//
// "Сохранить" checks every field (a field that cannot be stored is named and focused, and
// nothing is written), writes the tables with the change signal for the main program and
// closes; a store that refuses is told and the window stays as it was. "Отмена" and the
// window's cross close without writing, after asking when something was changed. A field
// left as it was shown keeps its stored value to the last bit.
class TariffEditor : public QWidget {
public:
    TariffEditor(Registry& registry, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Reads the tables from the store and shows them; values that were missing or damaged
    // (replaced by zeros) are told once.
    void load();

    // Whether a field differs from what was read or last saved.
    bool changed() const;
    // Checks and writes; false (told) when a field cannot be stored or the store refuses.
    bool save();
    // The weekday 0 (Monday) .. 6 (Sunday) shown.
    int shownDay() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct DayControls {
        std::array<QLineEdit*, 3> prices{}; // day, evening, night
        std::array<QTimeEdit*, 6> bounds{}; // day from, to; evening from, to; night from, to
    };

    void buildDay(int day, QWidget* page);
    void fill(const TariffTables& tables);
    void copyToAllDays();
    void saveAndClose();
    // The tables as the fields have them, over `stored_`; false (told and focused) when a
    // field cannot be stored.
    bool collect(TariffTables& tables);
    void refuse(QLineEdit* edit, int day, const QString& message);

    Registry& registry_;
    MessageBoxes& boxes_;
    TariffTables stored_;  // as read or last saved
    bool closing_ = false; // saved, or the user said how to leave

    QLineEdit* avans_ = nullptr;
    QTabWidget* days_ = nullptr;
    std::array<DayControls, 7> controls_{};
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace domora
