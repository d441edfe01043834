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
protected:
    HolidayDialog(HolidayPage& page, const char* name, const QString& title, int width, int height);

    // The OLE date of the picker's date.
    double pickedDate() const;
    void showEvent(QShowEvent* event) override;

    QGroupBox* group() const { return group_; }
    QDateEdit* datePicker() const { return datePicker_; }
    QLineEdit* eventEdit() const { return eventEdit_; }
    QLineEdit* commentEdit() const { return commentEdit_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    HolidayPage& page_;

private:
    // Each time the dialog is shown.
    virtual void prepare() = 0;
    // "Ok".
    virtual void confirm() = 0;

    QGroupBox* group_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QLineEdit* eventEdit_ = nullptr;
    QLineEdit* commentEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace domora
