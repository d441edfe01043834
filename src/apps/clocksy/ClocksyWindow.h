#pragma once

#include "ClocksyRun.h"

#include <QWidget>

#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace domora {

// The window of "yes": the course of the synchronisation line by line, then its result (or
// the reason it failed) until the user closes it. A shift of more than a day waits for the
// user's "Перевести часы" or "Не переводить". The synchronisation runs on a thread of its
// own, so that the window stays live while the server is asked.
class ClocksyWindow : public QWidget {
public:
    ClocksyWindow(const ClocksyCommand& command, UdpNetwork& network, ClockSetter& setter,
                  QWidget* parent = nullptr);
    ~ClocksyWindow() override;
    ClocksyWindow(const ClocksyWindow&) = delete;
    ClocksyWindow& operator=(const ClocksyWindow&) = delete;

    // Starts the synchronisation.
    void start(const SyncLimits& limits = {});
    // Shows a command line that could not be understood, without synchronising.
    void showCommandError(const QString& error);

    // The result once the synchronisation has ended (also when the window was closed while
    // it ended).
    std::optional<SyncOutcome> outcome() const;
    // Called in the window's thread when the synchronisation has ended.
    std::function<void()> onFinished;

    // The lines shown so far, for tests.
    QString logText() const;
    QString resultText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Observer;
    void addStep(const QString& text);
    void askLargeShift(const QString& question);
    void answer(bool move);
    void finish(const SyncOutcome& outcome);
    void stopWorker();

    ClocksyCommand command_;
    UdpNetwork& network_;
    ClockSetter& setter_;
    std::thread worker_;
    mutable std::mutex mutex_;
    std::optional<std::promise<bool>> pendingAnswer_; // guarded by mutex_
    bool closing_ = false;                            // guarded by mutex_
    std::optional<SyncOutcome> outcome_;              // guarded by mutex_

    QLabel* heading_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* moveButton_ = nullptr;
    QPushButton* keepButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace domora
