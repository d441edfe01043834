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
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void setRow(const std::array<QLabel*, 3>& row, const SplitTime& time) {
    row[0]->setText(QString::fromStdString(time.hours));
    row[1]->setText(QString::fromStdString(time.minutes));
    row[2]->setText(QString::fromStdString(time.seconds));
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
    Row* rows[] = {&total_, &elapsed_, &left_};
    int number = 17;
    for (int row = 0; row < 3; ++row) {
        const int y = kRowTop + row * kRowStep;
        auto* caption = new QLabel(captions[row], box);
        caption->setGeometry(12, y, kFieldLeft - 16, 20);
        for (int column = 0; column < 3; ++column) {
            (*rows[row])[static_cast<std::size_t>(column)] =
                field(box, number++, kFieldLeft + column * kFieldStep, y);
        }
    }

    setButton_ = new QPushButton(QStringLiteral("Установить..."), box);
    setButton_->setObjectName(QStringLiteral("SpeedButton19"));
    setButton_->setGeometry(340, kRowTop - 2, 130, 25);
    resetButton_ = new QPushButton(QStringLiteral("Сбросить"), box);
    resetButton_->setObjectName(QStringLiteral("SpeedButton20"));
    resetButton_->setGeometry(340, kRowTop + 2 * kRowStep - 2, 130, 25);
    connect(setButton_, &QPushButton::clicked, this, &CountdownPanel::setClicked);
    connect(resetButton_, &QPushButton::clicked, this, &CountdownPanel::resetClicked);
}

void CountdownPanel::showRows(const CountdownRows& rows) {
    setRow(total_, rows.total);
    setRow(elapsed_, rows.elapsed);
    setRow(left_, rows.left);
}

QString CountdownPanel::setTimeText() const {
    return total_[0]->text() + QLatin1Char(':') + total_[1]->text() + QLatin1Char(':') + total_[2]->text();
}

void CountdownPanel::setButtonsEnabled(bool enabled) {
    setButton_->setEnabled(enabled);
    resetButton_->setEnabled(enabled);
}

} // namespace domora
