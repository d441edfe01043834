#include "ui/app/IntervalTimer.h"

#include <QMetaMethod>

namespace domora {

IntervalTimer::IntervalTimer(const QString& name, int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), enabled_(enabled), interval_(intervalMs) {
    setObjectName(name);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::beat);
    update();
}

void IntervalTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void IntervalTimer::setInterval(int ms) {
    interval_ = ms;
    update();
}

void IntervalTimer::setResting(bool resting) {
    if (resting == resting_) {
        return;
    }
    resting_ = resting;
    update();
    if (!resting_ && wouldTick()) {
        emit timeout();
    }
}

// Qt may call this with a lock of its own held that isSignalConnected() would take again, so
// it asks nothing: a listener has just come.
void IntervalTimer::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&IntervalTimer::timeout) && enabled_ && interval_ > 0 &&
        !resting_ && !timer_.isActive()) {
        timer_.start(interval_);
    }
}

// A timer whose last listener has gone notices it at its next beat and stops there.
void IntervalTimer::beat() {
    if (!listened()) {
        timer_.stop();
        return;
    }
    emit timeout();
}

bool IntervalTimer::listened() const {
    return isSignalConnected(QMetaMethod::fromSignal(&IntervalTimer::timeout));
}

bool IntervalTimer::wouldTick() const {
    return enabled_ && interval_ > 0 && listened();
}

void IntervalTimer::update() {
    if (wouldTick() && !resting_) {
        // A changed interval starts the count again, as a window timer does.
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

} // namespace domora
