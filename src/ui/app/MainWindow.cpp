#include "ui/app/MainWindow.h"

#include "core/app/TimeText.h"
#include "platform/Platform.h"
#include "ui/app/IntervalTimer.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/MessageDialog.h"
#include "ui/app/MinuteTimer.h"
#include "ui/app/ModuleList.h"
#include "ui/app/QtText.h"
#include "ui/app/Resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>

namespace domora {

namespace {

// How long the tray icon waits at most for the window's first paint.
constexpr int kTrayIconAtLatestMs = 1000;

} // namespace

MainWindow::MainWindow(Platform& platform, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), platform_(platform), boxes_(boxes) {
    setObjectName(QStringLiteral("Form1"));
    RegisterResources();
    buildWindow();
    create();
}

MainWindow::~MainWindow() {
    destroy();
}

// Creation: first-run defaults, the paths and the flag tables, then the modules.
void MainWindow::create() {
    Registry& registry = platform_.registry();
    // Reading the settings is what finds a damaged file (and sets it aside), so the report
    // is asked for after the first read. Settings reset after damage are not a first run.
    const bool settingsExist = SettingsKeysExist(registry);
    const std::string damage = platform_.takeSettingsDamageReport();
    if (!damage.empty()) {
        boxes_.error(this, qs(damage));
    }
    if (!settingsExist) {
        WriteDefaults(registry);
        if (damage.empty()) {
            showFirstRunThanks();
        }
    }
    sessionEnding_ = false;

    paths_ = AppPaths::FromAppDir(platform_.launcher().shortPathOf(platform_.location().appDir()));
    flags_.clear();
    messageDialog_ = std::make_unique<MessageDialog>();
    createModules();
}

void MainWindow::createModules() {
    const ModuleContext context{platform_,       boxes_, paths_, flags_, platform_.launcher(),
                                *messageDialog_, *this};
    modules_ = CreateModules(context);
    for (const std::unique_ptr<Module>& module : modules_) {
        module->addMenuBranch(*popupMenu_);
    }
    finishFrame();
}

void MainWindow::showFirstRunThanks() {
    boxes_.information(this, QStringLiteral("Спасибо, что выбрали Domora Lite 2003!\n\n"
                                            "Если Вы найдёте в программе ошибку, пожалуйста, напишите "
                                            "разработчикам Tervo по адресу domora@tervo.example "
                                            "с темой письма \"Ошибка\"."));
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activate();
    }
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::Paint && trayAfterPaint_) {
        trayAfterPaint_ = false;
        QTimer::singleShot(0, this, &MainWindow::addTrayIcon);
    }
    return result;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    restWhileUnseen();
    if (!firstShowSeen_) {
        firstShowSeen_ = true;
        // The start sequence runs on the first show, whether or not the window manager
        // gives the window the focus, and right after it the first paint.
        QTimer::singleShot(0, this, [this] {
            activate();
            firstPaint();
        });
    }
}

// Every activation: the start sequence once, then the keyboard option.
void MainWindow::activate() {
    if (!startedUp_) {
        loadSettings();
        for (const TimerDefinition& definition : kTimers) {
            if (definition.atStart) {
                timer(definition.id).setEnabled(true);
            }
        }
        minuteTimer_->start();
        for (const std::unique_ptr<Module>& module : modules_) {
            module->startUp();
        }
        emit startSequenceDone();
    }
    applyKeyboard(russianKeyboardCheck_->isChecked(), capitalNamesCheck_->isChecked());
}

// The first paint: on-top option and the tray icon, whatever the start mode. A window on the
// screen is drawn before its tray icon is made; a minimised or hidden one gets it at once.
void MainWindow::firstPaint() {
    if (firstPainted_) {
        return;
    }
    deleteTrayIcon();
    applyOnTop(onTopCheck_->isChecked());
    firstPainted_ = true;
    trayAfterPaint_ = isVisible() && !isMinimized();
    if (!trayAfterPaint_) {
        addTrayIcon();
        return;
    }
    // A window that stays covered is never drawn: its icon comes a moment later anyway.
    QTimer::singleShot(kTrayIconAtLatestMs, this, [this] {
        if (trayAfterPaint_) {
            trayAfterPaint_ = false;
            addTrayIcon();
        }
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

bool MainWindow::closeQuery() {
    if (sessionEnding_) {
        return true;
    }
    if (!boxes_.question(this, QStringLiteral("Вы хотите закрыть Domora Lite 2003?"))) {
        return false;
    }
    Taskbar& taskbar = platform_.taskbar();
    if (taskbar.hideReportingWasVisible()) {
        taskbar.show();
    } else if (boxes_.question(this,
                               QStringLiteral("Внимание! Панель задач(TaskBar) сейчас скрыта. Хотите ли вы "
                                              "вернуть Панель задач?"))) {
        taskbar.show();
    }
    return true;
}

void MainWindow::endSession() {
    sessionEnding_ = true;
}

void MainWindow::destroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    for (const std::unique_ptr<Module>& module : modules_) {
        module->shutDown();
    }
    deleteTrayIcon();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    dedicationKey(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}

// The hidden dedication: Ctrl+M or Ctrl with the keypad's minus, on the About page only.
void MainWindow::dedicationKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    const bool keypadMinus = key == Qt::Key_Minus && (modifiers & Qt::KeypadModifier);
    if (held != Qt::ControlModifier || !(key == Qt::Key_M || keypadMinus)) {
        return;
    }
    if (pages_->currentIndex() != static_cast<int>(Page::About)) {
        return;
    }
    appealLabel1_->hide();
    appealLabel2_->hide();
    dedicationLabel_->show();
    timer(TimerId::Dedication).setEnabled(true);
}

void MainWindow::endDedication() {
    appealLabel1_->show();
    appealLabel2_->show();
    dedicationLabel_->hide();
    timer(TimerId::Dedication).setEnabled(false);
}

// The clock tick: the status line, then every module's clocks, all from one reading.
// The fields show whole seconds: a tick within the second of the one before changes
// nothing and does nothing.
void MainWindow::clockTick() {
    const Clock& clock = platform_.clock();
    DateTime local = clock.localNow();
    DateTime utc = clock.utcNow();
    local.millisecond = 0;
    utc.millisecond = 0;
    if (local == lastTickLocal_ && utc == lastTickUtc_) {
        return;
    }
    lastTickLocal_ = local;
    lastTickUtc_ = utc;
    dateField_->setText(qs(FormatShortDate(local)));
    weekdayField_->setText(qs(WeekdayName(local.weekday)));
    timeField_->setText(qs(FormatZoneTime(utc, 2, clock)));
    for (const auto& listener : clockListeners_) {
        listener(local, utc);
    }
}

void MainWindow::onClockTick(std::function<void(const DateTime& local, const DateTime& utc)> listener) {
    clockListeners_.push_back(std::move(listener));
}

void MainWindow::minuteBeat() {
    for (const auto& listener : minuteListeners_) {
        listener();
    }
}

void MainWindow::onMinute(std::function<void()> listener) {
    minuteListeners_.push_back(std::move(listener));
}

void MainWindow::selectPage(int index) {
    if (index >= 0 && index < pages_->count()) {
        pages_->setCurrentIndex(index);
    }
}

QWidget* MainWindow::page(Page page) {
    return pageWidgets_.at(static_cast<std::size_t>(page));
}

QWidget* MainWindow::sheet(ReminderSheet sheet) {
    return reminderSheets_->widget(static_cast<int>(sheet));
}

IntervalTimer& MainWindow::timer(TimerId id) {
    return *timers_.at(static_cast<std::size_t>(id));
}

void MainWindow::setEventText(const QString& text) {
    eventLine_->setText(text);
}

void MainWindow::setEventBold(bool bold) {
    QFont font = eventLine_->font();
    font.setBold(bold);
    eventLine_->setFont(font);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    restWhileUnseen();
    if (isMinimized() && trayAfterPaint_) {
        // Minimised before it was drawn: the icon is not to wait for a paint.
        trayAfterPaint_ = false;
        addTrayIcon();
    }
    if ((windowState() & Qt::WindowMinimized) && hideAppButton_) {
        // Queued: hiding inside the state change confuses some window managers.
        QTimer::singleShot(0, this, &MainWindow::hideAppButton);
    }
}

void MainWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    restWhileUnseen();
}

void MainWindow::restWhileUnseen() {
    const bool unseen = !isVisible() || isMinimized();
    for (const TimerDefinition& definition : kTimers) {
        if (definition.onScreen) {
            timer(definition.id).setResting(unseen);
        }
    }
}

} // namespace domora
