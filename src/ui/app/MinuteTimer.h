#pragma once

#include "core/base/MinuteBeat.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace domora {

class Clock;
class WallTimer;

// The schedulers' minute beat in the event loop: `minute` right after start() and then at
// every boundary of a minute, and at once after the clock was set or the computer woke
// up. Between beats nothing of it wakes the program.
class MinuteTimer : public QObject {
    Q_OBJECT
public:
    MinuteTimer(const Clock& clock, std::unique_ptr<WallTimer> timer, QObject* parent = nullptr);
    ~MinuteTimer() override;

    // The first beat (from the event loop, right away), then one each minute.
    void start();
    bool started() const { return started_; }

signals:
    void minute();

private:
    void arm();
    void wake();
    void spanPassed();

    std::unique_ptr<WallTimer> timer_;
    MinuteBeat beat_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer span_; // where the system has no wall-clock timer to wait on
    bool started_ = false;
};

} // namespace domora
