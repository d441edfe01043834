#include "ui/holidays/HolidayEditDialog.h"

#include "ui/app/Place.h"
#include "ui/holidays/HolidayPage.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace domora {

namespace {

QLabel* oldValue(QWidget* parent, const char* name, int y) {
    auto* text = new QLabel(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setGeometry(150, y, 130, 20);
    text->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return text;
}

// A one-character number with a leading "0".
QString twoDigits(const std::string& number) {
    const QString text = QString::fromStdString(number);
    return text.size() == 1 ? QStringLiteral("0") + text : text;
}

} // namespace

HolidayEditDialog::HolidayEditDialog(HolidayPage& page)
    : HolidayDialog(page, "Form12", QStringLiteral("Изменить настройки праздника"), 520, 160) {
    group()->setGeometry(6, 4, 508, 118);
    const char* captions[] = {"Изменить дату:", "Изменить событие:", "Изменить комментарий:"};
    const char* oldNames[] = {"StaticText1", "StaticText2", "StaticText3"};
    QLabel** olds[] = {&oldDate_, &oldEvent_, &oldComment_};
    QWidget* fields[] = {datePicker(), eventEdit(), commentEdit()};
    for (int i = 0; i < 3; ++i) {
        const int y = 24 + 30 * i;
        auto* label = new QLabel(QString::fromUtf8(captions[i]), group());
        label->setGeometry(10, y, 136, 20);
        *olds[i] = oldValue(group(), oldNames[i], y);
        auto* on = new QLabel(QStringLiteral("на"), group());
        on->setGeometry(286, y, 18, 20);
        fields[i]->setGeometry(308, y - 2, i == 0 ? 110 : 190, 22);
    }
    okButton()->setGeometry(340, 128, 80, 24);
    cancelButton()->setGeometry(428, 128, 80, 24);
}

// The selected holiday's old values, and its date and texts to edit, so that "Ok" changes
// only what the user changed. Before any selection the dialog shows the first holiday, the
// one "Ok" changes then.
void HolidayEditDialog::prepare() {
    const HolidayRow cells = page_.rowCells(page_.selectedRow() != 0 ? page_.selectedRow() : 1);
    const int month = QString::fromStdString(cells[0]).toInt();
    const int day = QString::fromStdString(cells[1]).toInt();
    QDate date(datePicker()->date().year(), month, day);
    if (!date.isValid()) {
        date = QDate(2000, month, day); // 29 February needs a leap year
    }
    if (date.isValid()) {
        datePicker()->setDate(date);
    }
    oldDate_->setText(twoDigits(cells[1]) + QStringLiteral(".") + twoDigits(cells[0]));
    const QString event = QString::fromStdString(cells[2]);
    const QString comment = QString::fromStdString(cells[3]);
    oldEvent_->setText(event);
    oldEvent_->setToolTip(event);
    oldComment_->setText(comment);
    oldComment_->setToolTip(comment);
    eventEdit()->setText(event);
    commentEdit()->setText(comment);
    centreOnScreen(*this);
}

void HolidayEditDialog::confirm() {
    if (page_.selectedRow() == 0) {
        page_.setSelectedRow(1);
    }
    page_.report(page_.store().ChangeCeleb(page_.selectedRow(), eventEdit()->text().toStdString(),
                                           commentEdit()->text().toStdString(), pickedDate()));
    accept();
}

} // namespace domora
