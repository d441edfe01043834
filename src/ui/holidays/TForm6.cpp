#include "ui/holidays/TForm6.h"

#include "core/base/OleDate.h"
#include "ui/holidays/CelebPage.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace domora {

QDateEdit* MakeCelebDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(QDate(2002, 5, 8), parent);
    picker->setObjectName(QStringLiteral("DateTimePicker1"));
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setCalendarPopup(true);
    return picker;
}

double PickerOleDate(const QDateEdit* picker) {
    const QDate date = picker->date();
    return OleDateOnly(date.year(), date.month(), date.day());
}

TForm6::TForm6(CelebPage& page) : page_(page) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Добавить праздник..."));
    setModal(true);
    setFixedSize(330, 170);

    GroupBox1 = new QGroupBox(QStringLiteral("Добавление праздника"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 4, 318, 128);
    auto* dateLabel = new QLabel(QStringLiteral("Дата:"), GroupBox1);
    dateLabel->setGeometry(10, 24, 90, 20);
    DateTimePicker1 = MakeCelebDatePicker(GroupBox1);
    DateTimePicker1->setGeometry(104, 22, 110, 22);
    auto* eventLabel = new QLabel(QStringLiteral("Событие:"), GroupBox1);
    eventLabel->setGeometry(10, 58, 90, 20);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(104, 56, 204, 22);
    Edit1->setMaxLength(200);
    auto* commentLabel = new QLabel(QStringLiteral("Комментарий"), GroupBox1);
    commentLabel->setGeometry(10, 92, 90, 20);
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(104, 90, 204, 22);
    Edit2->setMaxLength(200);

    SpeedButton1 = new QPushButton(QStringLiteral("Ok"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(150, 138, 80, 24);
    SpeedButton1->setDefault(true);
    SpeedButton2 = new QPushButton(QStringLiteral("Отмена"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(238, 138, 80, 24);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm6::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TForm6::SpeedButton2Click);
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

// The edits start empty; the date stays as last chosen. Centred on the main window.
void TForm6::FormShow() {
    Edit1->clear();
    Edit2->clear();
    const QWidget* owner = page_.window();
    if (owner != nullptr && owner->isVisible()) {
        move(owner->geometry().center() - rect().center());
    }
    Edit1->setFocus();
}

void TForm6::SpeedButton1Click() {
    page_.report(page_.store().AddCeleb(Edit1->text().toStdString(), Edit2->text().toStdString(),
                                        page_.AddAfter, PickerOleDate(DateTimePicker1)));
    accept();
}

void TForm6::SpeedButton2Click() {
    reject();
}

} // namespace domora
