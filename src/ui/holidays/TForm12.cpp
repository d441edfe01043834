#include "ui/holidays/TForm12.h"

#include "ui/holidays/CelebPage.h"
#include "ui/holidays/TForm6.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

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

TForm12::TForm12(CelebPage& page) : page_(page) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Изменить настройки праздника"));
    setModal(true);
    setFixedSize(520, 160);

    GroupBox1 = new QGroupBox(QStringLiteral("Добавление праздника"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 4, 508, 118);
    const char* captions[] = {"Изменить дату:", "Изменить событие:", "Изменить комментарий:"};
    int y = 24;
    for (const char* caption : captions) {
        auto* label = new QLabel(QString::fromUtf8(caption), GroupBox1);
        label->setGeometry(10, y, 136, 20);
        auto* on = new QLabel(QStringLiteral("на"), GroupBox1);
        on->setGeometry(286, y, 18, 20);
        y += 30;
    }
    StaticText1 = oldValue(GroupBox1, "StaticText1", 24);
    StaticText2 = oldValue(GroupBox1, "StaticText2", 54);
    StaticText3 = oldValue(GroupBox1, "StaticText3", 84);
    DateTimePicker1 = MakeCelebDatePicker(GroupBox1);
    DateTimePicker1->setGeometry(308, 22, 110, 22);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(308, 52, 190, 22);
    Edit1->setMaxLength(200);
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(308, 82, 190, 22);
    Edit2->setMaxLength(200);

    SpeedButton1 = new QPushButton(QStringLiteral("Ok"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(340, 128, 80, 24);
    SpeedButton1->setDefault(true);
    SpeedButton2 = new QPushButton(QStringLiteral("Отмена"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(428, 128, 80, 24);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm12::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TForm12::SpeedButton2Click);
}

void TForm12::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

// The selected holiday's old values, and its texts to edit; the date stays as last chosen.
// Before any selection the dialog shows the first holiday, the one "Ok" changes then.
void TForm12::FormShow() {
    const CelebRow cells = page_.rowCells(page_.SelectedCeleb != 0 ? page_.SelectedCeleb : 1);
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

void TForm12::SpeedButton1Click() {
    if (page_.SelectedCeleb == 0) {
        page_.SelectedCeleb = 1;
    }
    page_.report(page_.store().ChangeCeleb(page_.SelectedCeleb, Edit1->text().toStdString(),
                                           Edit2->text().toStdString(), PickerOleDate(DateTimePicker1)));
    accept();
}

void TForm12::SpeedButton2Click() {
    reject();
}

} // namespace domora
