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

    group_ = new QGroupBox(QStringLiteral("Добавление праздника"), this);
    group_->setObjectName(QStringLiteral("GroupBox1"));
    datePicker_ = new QDateEdit(QDate(2002, 5, 8), group_);
    datePicker_->setObjectName(QStringLiteral("DateTimePicker1"));
    datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    datePicker_->setCalendarPopup(true);
    eventEdit_ = textEdit(group_, "Edit1");
    commentEdit_ = textEdit(group_, "Edit2");
    okButton_ = button(this, "SpeedButton1", QStringLiteral("Ok"));
    okButton_->setDefault(true);
    cancelButton_ = button(this, "SpeedButton2", QStringLiteral("Отмена"));
    connect(okButton_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancelButton_, &QPushButton::clicked, this, &HolidayDialog::reject);
}

double HolidayDialog::pickedDate() const {
    const QDate date = datePicker_->date();
    return OleDateOnly(date.year(), date.month(), date.day());
}

void HolidayDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        prepare();
    }
}

} // namespace domora
