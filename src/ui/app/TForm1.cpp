#include "ui/app/TForm1.h"

#include "core/app/TimeText.h"
#include "platform/Platform.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>

namespace domora {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kAboutPage = 5;

} // namespace

TForm1::TForm1(Platform& platform, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), platform_(platform), boxes_(boxes) {
    setObjectName(QStringLiteral("Form1"));
    RegisterResources();
    buildWindow();
    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
}

// Creation: first-run defaults, the server list, the paths and the flag tables.
void TForm1::FormCreate() {
    Registry& registry = platform_.registry();
    const std::string damage = platform_.takeSettingsDamageReport();
    if (!damage.empty()) {
        boxes_.error(this, qs(damage));
    }
    if (!SettingsKeysExist(registry)) {
        WriteDefaults(registry);
        showFirstRunThanks();
    }
    SessionEnding = false;

    // The paths are computed before the server list is read, so that a server file that
    // cannot be read does not leave the program without its data files.
    paths_ = AppPaths::FromAppDir(platform_.launcher().shortPathOf(platform_.location().appDir()));
    flags_.clear();
    createAlarms();
    createHolidays();
    createCountdown();
    FillServerCombo();
}

void TForm1::showFirstRunThanks() {
    boxes_.information(this, QStringLiteral("Спасибо, что выбрали Domora Lite 2003!\n\n"
                                            "Если Вы найдёте в программе ошибку, пожалуйста, напишите "
                                            "разработчикам Tervo по адресу domora@tervo.example "
                                            "с темой письма \"Ошибка\"."));
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QWidget::event(event);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstShowSeen_) {
        firstShowSeen_ = true;
        // The start sequence runs on the first show, whether or not the window manager
        // gives the window the focus, and right after it the first paint.
        QTimer::singleShot(0, this, [this] {
            FormActivate();
            FormPaint();
        });
    }
}

// Every activation: the start sequence once, then the keyboard option.
void TForm1::FormActivate() {
    if (!startedUp_) {
        LoadSettings();
        for (int number = 1; number <= 7; ++number) {
            timer(number)->setEnabled(true);
        }
        emit startSequenceDone();
    }
    ApplyKeyboard(CheckBox5->isChecked(), CheckBox6->isChecked());
}

// The first paint: on-top option and the tray icon, whatever the start mode.
void TForm1::FormPaint() {
    if (firstPainted_) {
        return;
    }
    DeleteTrayIcon();
    ApplyOnTop(CheckBox2->isChecked());
    firstPainted_ = true;
    AddTrayIcon();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

bool TForm1::FormCloseQuery() {
    if (SessionEnding) {
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

// The session is ending: the close that follows asks nothing.
bool TForm1::QueryEndSession() {
    SessionEnding = true;
    return true;
}

void TForm1::mnExitClick() {
    close();
}

void TForm1::FormDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    if (balanceSaveHook_) {
        balanceSaveHook_();
    }
    DeleteTrayIcon();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}

// The hidden dedication: Ctrl+M or Ctrl with the keypad's minus, on the About page only.
void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    const bool keypadMinus = key == Qt::Key_Minus && (modifiers & Qt::KeypadModifier);
    if (held != Qt::ControlModifier || !(key == Qt::Key_M || keypadMinus)) {
        return;
    }
    if (PageControl1->currentIndex() != kAboutPage) {
        return;
    }
    AppealLabel1->hide();
    AppealLabel2->hide();
    DedicationLabel->show();
    timer(9)->setEnabled(true);
}

void TForm1::Timer9Timer() {
    AppealLabel1->show();
    AppealLabel2->show();
    DedicationLabel->hide();
    timer(9)->setEnabled(false);
}

// The clock tick: status line, world clocks and the Service page's clock, all from one
// reading of universal time.
void TForm1::Timer1Timer() {
    const Clock& clock = platform_.clock();
    const DateTime local = clock.localNow();
    StData->setText(qs(FormatShortDate(local)));
    StDay->setText(qs(WeekdayName(local.weekday)));
    const DateTime utc = clock.utcNow();
    StTime->setText(qs(FormatZoneTime(utc, 2, clock)));
    for (const ZoneClock& zone : zoneClocks_) {
        zone.display->setText(qs(FormatZoneTime(utc, zone.offset, clock)));
    }
    StaticText26->setText(qs(FormatLongTime(local)));
    StaticText27->setText(qs(FormatShortDate(local)));
}

void TForm1::selectPage(int index) {
    if (index >= 0 && index < PageControl1->count()) {
        PageControl1->setCurrentIndex(index);
    }
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        hideAppButton_) {
        // Queued: hiding inside the state change confuses some window managers.
        QTimer::singleShot(0, this, &TForm1::HideAppButton);
    }
}

} // namespace domora
