#pragma once

#include <QObject>
#include <QTimer>

namespace domora {

// A timer of the main window with the two settings the program works with: enabled and
// interval. It ticks only while it is enabled and its interval is above 0; an enabled
// timer with interval 0 stays silent (a bare QTimer would fire continuously).
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    IntervalTimer(const QString& name, int intervalMs, bool enabled, QObject* parent);

    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    void setInterval(int ms);
    // Whether it is ticking now.
    bool running() const { return timer_.isActive(); }

signals:
    void timeout();

private:
    void update();

    QTimer timer_;
    bool enabled_;
    int interval_;
};

} // namespace domora
