#pragma once

#include <QObject>
#include <QTimer>

namespace domora {

// A timer of the main window with the two settings the program works with: enabled and
// interval. It ticks only while it is enabled and its interval is above 0; an enabled
// timer with interval 0 stays silent (a bare QTimer would fire continuously). It also
// stays silent, keeping its settings, while nothing is connected to it and while it
// rests (a timer whose work is only seen in a hidden window).
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    IntervalTimer(const QString& name, int intervalMs, bool enabled, QObject* parent);

    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    void setInterval(int ms);
    // Rests or wakes up; on waking up a timer that would tick ticks at once, so that what
    // it shows is current the moment it is seen again.
    void setResting(bool resting);
    // Whether it is ticking now.
    bool running() const { return timer_.isActive(); }

signals:
    void timeout();

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    void beat();
    bool listened() const;
    bool wouldTick() const;
    void update();

    QTimer timer_;
    bool enabled_;
    int interval_;
    bool resting_ = false;
};

} // namespace domora
