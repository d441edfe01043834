#include "ui/holidays/HolidayDialog.h"

#include "core/base/OleDate.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace domora {

namespace {

QLineEdit* textEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(200); // the record's text fields hold 200 characters
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

} // namespace

HolidayDialog::HolidayDialog(HolidayPage& page, const char* name, const QString& title, int width, int height)
    : page_(page) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    setModal(true);
    setFixedSize(width, height);

    GroupBox1 = new QGroupBox(QStringLiteral("Добавление праздника"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    DateTimePicker1 = new QDateEdit(QDate(2002, 5, 8), GroupBox1);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateTimePicker1->setCalendarPopup(true);
    Edit1 = textEdit(GroupBox1, "Edit1");
    Edit2 = textEdit(GroupBox1, "Edit2");
    SpeedButton1 = button(this, "SpeedButton1", QStringLiteral("Ok"));
    SpeedButton1->setDefault(true);
    SpeedButton2 = button(this, "SpeedButton2", QStringLiteral("Отмена"));
    connect(SpeedButton1, &QPushButton::clicked, this, &HolidayDialog::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &HolidayDialog::SpeedButton2Click);
}

double HolidayDialog::pickedDate() const {
    const QDate date = DateTimePicker1->date();
    return OleDateOnly(date.year(), date.month(), date.day());
}

void HolidayDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

} // namespace domora
