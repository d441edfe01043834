#include "ui/app/MinuteTimer.h"

#include "core/base/WallTimer.h"

#include <QSocketNotifier>

namespace domora {

namespace {

// A span timer may wake a little before its time; waking just after the boundary instead
// keeps each beat in its own minute.
constexpr std::int64_t kSpanMarginMs = 2;

} // namespace

MinuteTimer::MinuteTimer(const Clock& clock, std::unique_ptr<WallTimer> timer, QObject* parent)
    : QObject(parent), timer_(std::move(timer)), beat_(clock, *timer_) {
    setObjectName(QStringLiteral("MinuteTimer"));
    if (timer_->descriptor() >= 0) {
        notifier_ = new QSocketNotifier(timer_->descriptor(), QSocketNotifier::Read, this);
        notifier_->setEnabled(false);
        connect(notifier_, &QSocketNotifier::activated, this, &MinuteTimer::wake);
    }
    span_.setSingleShot(true);
    span_.setTimerType(Qt::PreciseTimer);
    connect(&span_, &QTimer::timeout, this, &MinuteTimer::spanPassed);
}

MinuteTimer::~MinuteTimer() = default;

void MinuteTimer::start() {
    if (started_) {
        return;
    }
    started_ = true;
    QTimer::singleShot(0, this, [this] {
        arm();
        emit minute();
    });
}

void MinuteTimer::arm() {
    const std::int64_t span = beat_.arm();
    if (notifier_ != nullptr && beat_.timerSet()) {
        notifier_->setEnabled(true);
        return;
    }
    span_.start(static_cast<int>(span + kSpanMarginMs));
}

// Due or after a clock change alike: set for the next boundary and beat.
void MinuteTimer::wake() {
    if (timer_->takeWake() == WallTimer::Wake::None) {
        return;
    }
    arm();
    emit minute();
}

void MinuteTimer::spanPassed() {
    arm();
    emit minute();
}

} // namespace domora
