#include "ui/timer/CountdownRingWindow.h"

#include "core/app/TimeText.h"
#include "core/base/Clock.h"
#include "ui/app/Place.h"
#include "ui/sound/SoundPlayer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace domora {

namespace {

constexpr int kPictureSize = 67;

// The window's picture: a stopwatch with its hand at the top, drawn at run time.
QPixmap RingPicture() {
    QPixmap picture(kPictureSize, kPictureSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(33.5, 37.5);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 40, 40));
    p.drawRoundedRect(QRectF(28, 2, 11, 7), 2, 2); // the crown
    p.drawRect(QRectF(31.5, 8, 4, 5));
    p.drawEllipse(centre, 27, 27);
    p.setBrush(QColor(250, 250, 240));
    p.drawEllipse(centre, 21, 21);
    for (int mark = 0; mark < 12; ++mark) {
        const double angle = mark * std::numbers::pi / 6;
        const double inner = mark % 3 == 0 ? 15 : 18;
        p.drawLine(QPointF(centre.x() + inner * std::sin(angle), centre.y() - inner * std::cos(angle)),
                   QPointF(centre.x() + 20 * std::sin(angle), centre.y() - 20 * std::cos(angle)));
    }
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, QPointF(centre.x(), centre.y() - 17));
    p.setBrush(QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, 3, 3);
    return picture;
}

QString joined(const SplitTime& time) {
    return QString::fromStdString(time.hours + ":" + time.minutes + ":" + time.seconds);
}

} // namespace

// The window's player as the ring machine drives it. The file is opened once while the
// window rings (and again when the sound file changes or another window emptied the player):
// play() starts at the beginning of the file each time, and a file that cannot be opened is
// not tried over and over, since trying can take the player seconds.
class CountdownRingWindow::PlayerSound final : public RingSound {
public:
    explicit PlayerSound(SoundPlayer& player) : player_(player) {}

    void load(const std::string& path) override {
        if (path != loaded_ || (!failed_ && player_.lengthMs() == 0)) {
            loaded_ = path;
            failed_ = !player_.open(QString::fromStdString(path));
        }
        player_.stop();
    }
    void play() override { player_.play(); }
    void stop() override { player_.stop(); }
    // A new ringing opens the file afresh.
    void forget() {
        loaded_.clear();
        failed_ = false;
    }

private:
    SoundPlayer& player_;
    std::string loaded_;
    bool failed_ = false;
};

CountdownRingWindow::CountdownRingWindow(const TimerSound& sound, SoundPlayer& player, const Clock& clock)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      clock_(clock), sound_(std::make_unique<PlayerSound>(player)), machine_(sound, *sound_) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Сработал таймер"));
    setFixedSize(kClientWidth, kClientHeight);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Bevel1"));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    frame->setGeometry(8, 14, kPictureSize + 4, kPictureSize + 4);
    picture_ = new QLabel(frame);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setGeometry(2, 2, kPictureSize, kPictureSize);
    picture_->setPixmap(RingPicture());

    const auto text = [this](const QString& caption, int y) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(90, y, 150, 20);
    };
    const auto field = [this](const char* name, int y) {
        auto* label = new QLabel(QStringLiteral("00:00:00"), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(244, y, 68, 20);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    text(QStringLiteral("Таймер был установлен на"), 10);
    setTimeText_ = field("StaticText1", 10);
    text(QStringLiteral("с того времени прошло"), 36);
    elapsedText_ = field("StaticText2", 36);
    okButton_ = new QPushButton(QStringLiteral("Ok"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setGeometry(237, 66, 75, 25);
    okButton_->setAutoDefault(true); // Enter presses it
    connect(okButton_, &QPushButton::clicked, this, &CountdownRingWindow::close);
    setFocusProxy(okButton_);

    wakeUp_.setSingleShot(true);
    wakeUp_.setTimerType(Qt::PreciseTimer);
    connect(&wakeUp_, &QTimer::timeout, this, &CountdownRingWindow::pumpTimers);

    centreOnScreen(*this);
}

CountdownRingWindow::~CountdownRingWindow() {
    wakeUp_.stop();
    if (ringing_) {
        machine_.Close(clock_.tickCount());
    }
}

void CountdownRingWindow::Ring(const QString& setTime) {
    if (ringing_) {
        raise();
        return;
    }
    // A modal dialog of the program (the setup dialog, a question) blocks every window shown
    // after it; the ringing window then goes above it in the modal order, so that it can
    // still be closed.
    setWindowModality(QApplication::activeModalWidget() != nullptr ? Qt::ApplicationModal : Qt::NonModal);
    show();
    startRinging(setTime);
}

void CountdownRingWindow::startRinging(const QString& setTime) {
    raise();
    setTimeText_->setText(setTime);
    elapsedText_->setText(QStringLiteral("00:00:00"));
    ringing_ = true;
    sound_->forget();
    machine_.Show(clock_.tickCount());
    okButton_->setFocus();
    emit ringingChanged(true);
    scheduleWakeUp();
}

// Activation and deactivation: back to the top of the windows that stay on top.
void CountdownRingWindow::keepOnTop() {
    if (isVisible()) {
        raise();
    }
}

void CountdownRingWindow::pumpTimers() {
    // Opening a file runs an event loop, in which the wake-up timer may come again.
    if (pumping_ || !ringing_) {
        return;
    }
    pumping_ = true;
    const std::int32_t before = machine_.RingElapsed();
    machine_.Run(clock_.tickCount());
    if (machine_.RingElapsed() != before) {
        showElapsed();
    }
    pumping_ = false;
    scheduleWakeUp();
}

void CountdownRingWindow::showElapsed() {
    elapsedText_->setText(joined(SplitMs(machine_.RingElapsed())));
}

void CountdownRingWindow::scheduleWakeUp() {
    const std::int64_t wait = ringing_ ? machine_.msUntilDue(clock_.tickCount()) : -1;
    if (wait < 0) {
        wakeUp_.stop();
    } else {
        wakeUp_.start(static_cast<int>(std::min<std::int64_t>(wait, 60'000)));
    }
}

bool CountdownRingWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        keepOnTop();
    }
    return QWidget::event(event);
}

void CountdownRingWindow::closeEvent(QCloseEvent* event) {
    stopRinging();
    event->accept();
}

// Closing in any way: every timer silent, the sound stopped at once, the main window's
// buttons back.
void CountdownRingWindow::stopRinging() {
    if (!ringing_) {
        return;
    }
    ringing_ = false;
    wakeUp_.stop();
    machine_.Close(clock_.tickCount());
    emit ringingChanged(false);
}

} // namespace domora
