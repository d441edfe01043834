#include "ui/timer/CountdownPanel.h"

#include "core/timer/Countdown.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace domora {

namespace {

constexpr int kRowTop = 22;
constexpr int kRowStep = 28;
constexpr int kFieldLeft = 160;
constexpr int kFieldStep = 30;

QLabel* field(QWidget* parent, int number, int x, int y) {
    auto* label = new QLabel(QStringLiteral("00"), parent);
    label->setObjectName(QStringLiteral("StaticText%1").arg(number));
    label->setGeometry(x, y, 26, 20);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void setRow(QLabel* hours, QLabel* minutes, QLabel* seconds, const SplitTime& time) {
    hours->setText(QString::fromStdString(time.hours));
    minutes->setText(QString::fromStdString(time.minutes));
    seconds->setText(QString::fromStdString(time.seconds));
}

} // namespace

CountdownPanel::CountdownPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CountdownPanel"));
    resize(kWidth, kHeight);
    auto* box = new QGroupBox(QStringLiteral("Таймер"), this);
    box->setObjectName(QStringLiteral("GroupBoxTimer"));
    box->setGeometry(4, 0, kWidth - 8, kHeight - 4);

    const QString captions[] = {QStringLiteral("Таймер установлен на"), QStringLiteral("Прошло"),
                                QStringLiteral("Осталось")};
    QLabel** fields[3][3] = {{&StaticText17, &StaticText18, &StaticText19},
                             {&StaticText20, &StaticText21, &StaticText22},
                             {&StaticText23, &StaticText24, &StaticText25}};
    int number = 17;
    for (int row = 0; row < 3; ++row) {
        const int y = kRowTop + row * kRowStep;
        auto* caption = new QLabel(captions[row], box);
        caption->setGeometry(12, y, kFieldLeft - 16, 20);
        for (int column = 0; column < 3; ++column) {
            *fields[row][column] = field(box, number++, kFieldLeft + column * kFieldStep, y);
        }
    }

    SpeedButton19 = new QPushButton(QStringLiteral("Установить..."), box);
    SpeedButton19->setObjectName(QStringLiteral("SpeedButton19"));
    SpeedButton19->setGeometry(340, kRowTop - 2, 130, 25);
    SpeedButton20 = new QPushButton(QStringLiteral("Сбросить"), box);
    SpeedButton20->setObjectName(QStringLiteral("SpeedButton20"));
    SpeedButton20->setGeometry(340, kRowTop + 2 * kRowStep - 2, 130, 25);
}

void CountdownPanel::showRows(const CountdownRows& rows) {
    setRow(StaticText17, StaticText18, StaticText19, rows.total);
    setRow(StaticText20, StaticText21, StaticText22, rows.elapsed);
    setRow(StaticText23, StaticText24, StaticText25, rows.left);
}

QString CountdownPanel::setTimeText() const {
    return StaticText17->text() + QLatin1Char(':') + StaticText18->text() + QLatin1Char(':') +
           StaticText19->text();
}

void CountdownPanel::setButtonsEnabled(bool enabled) {
    SpeedButton19->setEnabled(enabled);
    SpeedButton20->setEnabled(enabled);
}

} // namespace domora
