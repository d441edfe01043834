#pragma once

#include <QDialog>

class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace domora {

class HolidayPage;

// What the two holiday dialogs share: the group "Добавление праздника" with the date
// picker DateTimePicker1 (08.05.2002 at first, then the date last chosen), the event Edit1
// and the comment Edit2, and the buttons SpeedButton1 "Ok" and SpeedButton2 "Отмена".
// Each dialog places them and says what showing it and "Ok" do.
class HolidayDialog : public QDialog {
    Q_OBJECT
public:
    QGroupBox* GroupBox1 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;

public slots:
    virtual void FormShow() = 0;
    virtual void SpeedButton1Click() = 0;
    void SpeedButton2Click() { reject(); }

protected:
    HolidayDialog(HolidayPage& page, const char* name, const QString& title, int width, int height);

    // The OLE date of the picker's date.
    double pickedDate() const;
    void showEvent(QShowEvent* event) override;

    HolidayPage& page_;
};

} // namespace domora
