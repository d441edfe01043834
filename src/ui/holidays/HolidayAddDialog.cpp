#include "ui/holidays/HolidayAddDialog.h"

#include "ui/holidays/HolidayPage.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace domora {

HolidayAddDialog::HolidayAddDialog(HolidayPage& page)
    : HolidayDialog(page, "Form6", QStringLiteral("Добавить праздник..."), 330, 170) {
    group()->setGeometry(6, 4, 318, 128);
    const char* captions[] = {"Дата:", "Событие:", "Комментарий"};
    QWidget* fields[] = {datePicker(), eventEdit(), commentEdit()};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), group());
        label->setGeometry(10, 24 + 34 * i, 90, 20);
        fields[i]->setGeometry(104, 22 + 34 * i, i == 0 ? 110 : 204, 22);
    }
    okButton()->setGeometry(150, 138, 80, 24);
    cancelButton()->setGeometry(238, 138, 80, 24);
}

// The edits start empty; the date stays as last chosen. Centred on the main window.
void HolidayAddDialog::prepare() {
    eventEdit()->clear();
    commentEdit()->clear();
    const QWidget* owner = page_.window();
    if (owner != nullptr && owner->isVisible()) {
        move(owner->geometry().center() - rect().center());
    }
    eventEdit()->setFocus();
}

void HolidayAddDialog::confirm() {
    page_.report(page_.store().AddCeleb(eventEdit()->text().toStdString(),
                                        commentEdit()->text().toStdString(), page_.addAfter(), pickedDate()));
    accept();
}

} // namespace domora
