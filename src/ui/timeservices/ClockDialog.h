#pragma once

#include "core/timeservices/ClockChange.h"

#include <QDateTime>
#include <QDialog>

class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTimer;

namespace domora {

class Clock;
class ClockSetter;
class MessageBoxes;

// The dialog that sets the computer's time or date by hand ("Form14"): the running time or
// date ("Сейчас", StaticText1, refreshed every 100 ms while the dialog is shown), the value
// to set ("Изменить на", DateTimePicker1), "Применить" (SpeedButton3, the dialog stays
// open) and "Закрыть" (SpeedButton2). Made on first use and kept: the value chosen stays
// from one showing to the next. A clock the system refuses to set is told with the reason.
class ClockDialog : public QDialog {
    Q_OBJECT
public:
    ClockDialog(const Clock& clock, ClockSetter& setter, MessageBoxes& boxes);

    // Shows the dialog for the time ("Установить время...") or the date ("Установить
    // дату...") and returns when it is closed.
    void ChangeTimeDate(ClockMode mode);
    // The mode for the next showing, without showing.
    void prepare(ClockMode mode);

    // Sets the clock from the chosen value; false when the system refused (the reason was shown).
    bool ApplyDateTime();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Timer1Timer();

    const Clock& clock_;
    ClockSetter& setter_;
    MessageBoxes& boxes_;
    ClockMode mode_ = ClockMode::Time;

    QLabel* image_ = nullptr;
    QLabel* now_ = nullptr;
    QDateTimeEdit* picker_ = nullptr;
    // The value chosen, whole: the picker shows only its time or only its date.
    QDateTime chosen_;
    bool switching_ = false;
    QTimer* timer_ = nullptr;
};

} // namespace domora
