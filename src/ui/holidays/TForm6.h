#pragma once

#include <QDialog>

class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace domora {

class CelebPage;

// The add dialog "Добавить праздник...": a date, an event and a comment. Created once at
// start-up; the date picker starts at 08.05.2002 and keeps the date last chosen. "Ok"
// inserts the holiday after the page's `AddAfter`.
//
// Controls by object name: GroupBox1 "Добавление праздника" with DateTimePicker1, Edit1,
// Edit2; SpeedButton1 "Ok", SpeedButton2 "Отмена".
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(CelebPage& page);

public slots:
    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CelebPage& page_;

public:
    QGroupBox* GroupBox1 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
};

// Both holiday dialogs' date picker: short format, a drop-down calendar, 08.05.2002 at first.
QDateEdit* MakeCelebDatePicker(QWidget* parent);
// The OLE date of the picker's date.
double PickerOleDate(const QDateEdit* picker);

} // namespace domora
