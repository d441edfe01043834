#include "ui/holidays/HolidayEditDialog.h"

#include "ui/holidays/HolidayPage.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace domora {

namespace {

QLabel* oldValue(QWidget* parent, const char* name, int y) {
    auto* text = new QLabel(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setGeometry(150, y, 130, 20);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
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
    GroupBox1->setGeometry(6, 4, 508, 118);
    const char* captions[] = {"Изменить дату:", "Изменить событие:", "Изменить комментарий:"};
    const char* oldNames[] = {"StaticText1", "StaticText2", "StaticText3"};
    QLabel** olds[] = {&StaticText1, &StaticText2, &StaticText3};
    QWidget* fields[] = {DateTimePicker1, Edit1, Edit2};
    for (int i = 0; i < 3; ++i) {
        const int y = 24 + 30 * i;
        auto* label = new QLabel(QString::fromUtf8(captions[i]), GroupBox1);
        label->setGeometry(10, y, 136, 20);
        *olds[i] = oldValue(GroupBox1, oldNames[i], y);
        auto* on = new QLabel(QStringLiteral("на"), GroupBox1);
        on->setGeometry(286, y, 18, 20);
        fields[i]->setGeometry(308, y - 2, i == 0 ? 110 : 190, 22);
    }
    SpeedButton1->setGeometry(340, 128, 80, 24);
    SpeedButton2->setGeometry(428, 128, 80, 24);
}

// The selected holiday's old values, and its texts to edit; the date stays as last chosen.
// Before any selection the dialog shows the first holiday, the one "Ok" changes then.
void HolidayEditDialog::FormShow() {
    const HolidayRow cells = page_.rowCells(page_.SelectedCeleb != 0 ? page_.SelectedCeleb : 1);
    StaticText1->setText(twoDigits(cells[1]) + QStringLiteral(".") + twoDigits(cells[0]));
    const QString event = QString::fromStdString(cells[2]);
    const QString comment = QString::fromStdString(cells[3]);
    StaticText2->setText(event);
    StaticText2->setToolTip(event);
    StaticText3->setText(comment);
    StaticText3->setToolTip(comment);
    Edit1->setText(event);
    Edit2->setText(comment);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void HolidayEditDialog::SpeedButton1Click() {
    if (page_.SelectedCeleb == 0) {
        page_.SelectedCeleb = 1;
    }
    page_.report(page_.store().ChangeCeleb(page_.SelectedCeleb, Edit1->text().toStdString(),
                                           Edit2->text().toStdString(), pickedDate()));
    accept();
}

} // namespace domora
