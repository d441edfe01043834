#include "ui/app/IntervalTimer.h"

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

void IntervalTimer::update() {
    if (enabled_ && interval_ > 0) {
        // A changed interval starts the count again, as a window timer does.
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

} // namespace domora
