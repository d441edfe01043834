#pragma once

#include <QDialog>

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace domora {

class CelebPage;

// The edit dialog "Изменить настройки праздника": shows the page's selected holiday (old
// date, event and comment) beside the new values. Created once at start-up; the date
// picker starts at 08.05.2002, keeps the date last chosen and is never preset: the holiday
// always takes the picker's date.
//
// Controls by object name: GroupBox1 "Добавление праздника" with StaticText1,
// DateTimePicker1, StaticText2, Edit1, StaticText3, Edit2; SpeedButton1 "Ok",
// SpeedButton2 "Отмена".
class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(CelebPage& page);

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
    QLabel* StaticText1 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
};

} // namespace domora
