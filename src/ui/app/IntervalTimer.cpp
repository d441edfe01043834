#include "ui/app/IntervalTimer.h"

#include <QMetaMethod>

namespace domora {

IntervalTimer::IntervalTimer(const QString& name, int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), enabled_(enabled), interval_(intervalMs) {
    setObjectName(name);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::timeout);
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

void IntervalTimer::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&IntervalTimer::timeout)) {
        update();
    }
}

void IntervalTimer::disconnectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&IntervalTimer::timeout)) {
        update();
    }
}

bool IntervalTimer::wouldTick() const {
    return enabled_ && interval_ > 0 && isSignalConnected(QMetaMethod::fromSignal(&IntervalTimer::timeout));
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
