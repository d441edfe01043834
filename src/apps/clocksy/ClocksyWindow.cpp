#include "ClocksyWindow.h"

#include "ui/app/QtText.h"
#include "ui/app/Resources.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace domora {

// Passes the synchronisation's calls to the window's thread.
class ClocksyWindow::Observer final : public SyncObserver {
public:
    explicit Observer(ClocksyWindow& window) : window_(window) {}

    void step(const std::string& text) override {
        ClocksyWindow* window = &window_;
        QMetaObject::invokeMethod(
            window, [window, line = qs(text)] { window->addStep(line); }, Qt::QueuedConnection);
    }

    bool confirmLargeShift(const std::string& question) override {
        std::future<bool> answer;
        {
            const std::lock_guard lock(window_.mutex_);
            if (window_.closing_) {
                return false;
            }
            window_.pendingAnswer_.emplace();
            answer = window_.pendingAnswer_->get_future();
        }
        ClocksyWindow* window = &window_;
        QMetaObject::invokeMethod(
            window, [window, text = qs(question)] { window->askLargeShift(text); }, Qt::QueuedConnection);
        return answer.get();
    }

    bool cancelled() override {
        const std::lock_guard lock(window_.mutex_);
        return window_.closing_;
    }

private:
    ClocksyWindow& window_;
};

ClocksyWindow::ClocksyWindow(const ClocksyCommand& command, UdpNetwork& network, ClockSetter& setter,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), command_(command), network_(network), setter_(setter) {
    RegisterResources();
    setObjectName(QStringLiteral("ClocksyWindow"));
    setWindowTitle(QStringLiteral("Синхронизация времени"));
    setWindowIcon(QIcon(Picture("domora.png")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("Heading"));
    heading_->setText(QStringLiteral("Сервер времени: ") + qs(command.serverText));
    layout->addWidget(heading_);
    log_ = new QPlainTextEdit(this);
    log_->setObjectName(QStringLiteral("Log"));
    log_->setReadOnly(true);
    log_->setMinimumSize(480, 200);
    layout->addWidget(log_);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("Result"));
    result_->setWordWrap(true);
    QFont bold = result_->font();
    bold.setBold(true);
    result_->setFont(bold);
    result_->setText(QStringLiteral("Идёт синхронизация…"));
    layout->addWidget(result_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    moveButton_ = new QPushButton(QStringLiteral("Перевести часы"), this);
    moveButton_->setObjectName(QStringLiteral("MoveButton"));
    keepButton_ = new QPushButton(QStringLiteral("Не переводить"), this);
    keepButton_->setObjectName(QStringLiteral("KeepButton"));
    closeButton_ = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton_->setObjectName(QStringLiteral("CloseButton"));
    moveButton_->hide();
    keepButton_->hide();
    buttons->addWidget(moveButton_);
    buttons->addWidget(keepButton_);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);

    connect(moveButton_, &QPushButton::clicked, this, [this] { answer(true); });
    connect(keepButton_, &QPushButton::clicked, this, [this] { answer(false); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

ClocksyWindow::~ClocksyWindow() {
    stopWorker();
}

void ClocksyWindow::start(const SyncLimits& limits) {
    worker_ = std::thread([this, limits] {
        Observer observer(*this);
        SyncOutcome outcome = RunSync(command_, network_, setter_, observer, limits);
        {
            const std::lock_guard lock(mutex_);
            outcome_ = outcome;
        }
        QMetaObject::invokeMethod(
            this, [this, outcome = std::move(outcome)] { finish(outcome); }, Qt::QueuedConnection);
    });
}

void ClocksyWindow::showCommandError(const QString& error) {
    heading_->setText(QStringLiteral("Программа синхронизации времени запущена с неверными параметрами."));
    log_->hide();
    result_->setText(QStringLiteral("Синхронизация не выполнена: ") + error);
}

std::optional<SyncOutcome> ClocksyWindow::outcome() const {
    const std::lock_guard lock(mutex_);
    return outcome_;
}

QString ClocksyWindow::logText() const {
    return log_->toPlainText();
}

QString ClocksyWindow::resultText() const {
    return result_->text();
}

void ClocksyWindow::addStep(const QString& text) {
    log_->appendPlainText(text);
}

void ClocksyWindow::askLargeShift(const QString& question) {
    result_->setText(question);
    moveButton_->show();
    keepButton_->show();
    moveButton_->setFocus();
}

void ClocksyWindow::answer(bool move) {
    moveButton_->hide();
    keepButton_->hide();
    result_->setText(move ? QStringLiteral("Перевод часов…") : QStringLiteral("Часы не переводятся."));
    const std::lock_guard lock(mutex_);
    if (pendingAnswer_) {
        pendingAnswer_->set_value(move);
        pendingAnswer_.reset();
    }
}

void ClocksyWindow::finish(const SyncOutcome& outcome) {
    if (worker_.joinable()) {
        worker_.join();
    }
    moveButton_->hide();
    keepButton_->hide();
    result_->setText(outcome.succeeded
                         ? qs(outcome.message)
                         : QStringLiteral("Синхронизация не выполнена: ") + qs(outcome.message));
    if (onFinished) {
        onFinished();
    }
}

void ClocksyWindow::stopWorker() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
        if (pendingAnswer_) {
            pendingAnswer_->set_value(false);
            pendingAnswer_.reset();
        }
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

void ClocksyWindow::closeEvent(QCloseEvent* event) {
    // A question still open is answered "no"; an exchange under way ends within its timeout.
    stopWorker();
    event->accept();
}

} // namespace domora
