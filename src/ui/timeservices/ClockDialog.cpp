#include "ui/timeservices/ClockDialog.h"

#include "core/app/TimeText.h"
#include "core/base/Clock.h"
#include "platform/ClockSetter.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"
#include "ui/app/QtText.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace domora {

namespace {

constexpr int kRefreshMs = 100;

// The dialog's pictures, 32 x 32: a calendar leaf (0, the date) and a clock face (1, the time).
QPixmap Picture(int index) {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    if (index == 0) {
        painter.setPen(QPen(QColor(70, 70, 70), 1.5));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(3, 5, 26, 24), 2, 2);
        painter.setBrush(QColor(190, 40, 40));
        painter.drawRect(QRectF(3, 5, 26, 7));
        painter.setPen(QPen(QColor(40, 40, 40), 1));
        QFont font = painter.font();
        font.setPixelSize(12);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(3, 12, 26, 17), Qt::AlignCenter, QStringLiteral("31"));
    } else {
        painter.setPen(QPen(QColor(40, 80, 160), 2));
        painter.setBrush(QColor(250, 250, 240));
        painter.drawEllipse(QRectF(3, 3, 26, 26));
        painter.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(16, 16), QPointF(16, 8));
        painter.drawLine(QPointF(16, 16), QPointF(22, 19));
    }
    return picture;
}

DateTime FromQt(const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    return DateTime{date.year(), date.month(),  date.day(),    date.dayOfWeek() % 7 + 1,
                    time.hour(), time.minute(), time.second(), time.msec()};
}

} // namespace

ClockDialog::ClockDialog(const Clock& clock, ClockSetter& setter, MessageBoxes& boxes)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      clock_(clock), setter_(setter), boxes_(boxes) {
    setObjectName(QStringLiteral("Form14"));
    setModal(true);
    setFixedSize(262, 104);
    image_ = place(new QLabel(this), "Image1", 10, 10, 32, 32);
    label(this, QStringLiteral("Сейчас"), 52, 6, 100, 16);
    now_ = field(this, "StaticText1", QStringLiteral("00:00:00"), 52, 24, 110, 20);
    label(this, QStringLiteral("Изменить на"), 52, 52, 100, 16);
    picker_ = place(new QDateTimeEdit(this), "DateTimePicker1", 52, 70, 110, 22);
    const DateTime now = clock_.localNow();
    chosen_ = QDateTime(QDate(now.year, now.month, now.day), QTime(now.hour, now.minute, now.second));
    picker_->setDateTime(chosen_);
    connect(picker_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        if (switching_) {
            return;
        }
        if (mode_ == ClockMode::Time) {
            chosen_.setTime(value.time());
        } else {
            chosen_.setDate(value.date());
        }
    });
    auto* apply = place(new QPushButton(QStringLiteral("Применить"), this), "SpeedButton3", 172, 22, 82, 24);
    auto* close = place(new QPushButton(QStringLiteral("Закрыть"), this), "SpeedButton2", 172, 68, 82, 24);
    for (QPushButton* button : {apply, close}) {
        button->setAutoDefault(false);
    }
    connect(apply, &QPushButton::clicked, this, [this] { ApplyDateTime(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    connect(timer_, &QTimer::timeout, this, &ClockDialog::Timer1Timer);
}

void ClockDialog::prepare(ClockMode mode) {
    mode_ = mode;
    const bool time = mode == ClockMode::Time;
    image_->setPixmap(Picture(time ? 1 : 0));
    setWindowTitle(time ? QStringLiteral("Установить время...") : QStringLiteral("Установить дату..."));
}

void ClockDialog::ChangeTimeDate(ClockMode mode) {
    prepare(mode);
    exec();
}

void ClockDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    const bool time = mode_ == ClockMode::Time;
    switching_ = true;
    picker_->setDisplayFormat(time ? QStringLiteral("HH:mm:ss") : QStringLiteral("dd.MM.yyyy"));
    picker_->setCalendarPopup(!time);
    // A format of the time alone limits the dates to the day shown; the date mode needs them all.
    picker_->clearMinimumDateTime();
    picker_->clearMaximumDateTime();
    picker_->setDateTime(chosen_);
    switching_ = false;
    Timer1Timer();
    timer_->start(kRefreshMs);
}

void ClockDialog::hideEvent(QHideEvent* event) {
    timer_->stop();
    QDialog::hideEvent(event);
}

void ClockDialog::Timer1Timer() {
    const DateTime now = clock_.localNow();
    now_->setText(qs(mode_ == ClockMode::Time ? FormatLongTime(now) : FormatShortDate(now)));
}

bool ClockDialog::ApplyDateTime() {
    const DateTime wanted = WantedUtc(mode_, FromQt(chosen_), clock_.localNow(), clock_.utcNow());
    const ActionResult result = setter_.setUtc(wanted);
    if (!result.done) {
        boxes_.error(this, qs(result.failure));
        return false;
    }
    Timer1Timer();
    return true;
}

} // namespace domora
