// The tray icon, the program's own branches of its popup menu ("&Форма" and "&Выход") and
// the ways back to the main window.

#include "ui/app/MainWindow.h"

#include "ui/app/Menu.h"
#include "ui/app/MessageBoxes.h"
#include "ui/app/Place.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace domora {

namespace {

// The tip's own three lines; the next alarm, when one will fire, comes fourth.
constexpr char kTrayTip[] = "Domora Lite 2003\nЛевая:  2-Открыть окно\nПравая: 1-Меню";

QString trayTip(const QString& line) {
    QString tip = QString::fromUtf8(kTrayTip);
    if (!line.isEmpty()) {
        tip += QLatin1Char('\n') + line;
    }
    return tip;
}

// The tray menu opens while the button that opened it is still down. Released after a small
// move, that button would choose whatever item lies under the cursor ("&Выход", or an item of
// a submenu that opened under it). A menu therefore acts on a release only after a press of
// its own; keys work as ever.
class HeldPressGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        static const char* const kPressed = "pressedHere";
        switch (event->type()) {
        case QEvent::Show:
            watched->setProperty(kPressed, false);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            watched->setProperty(kPressed, true);
            break;
        case QEvent::MouseButtonRelease:
            return !watched->property(kPressed).toBool();
        default:
            break;
        }
        return false;
    }
};

} // namespace

// The first branch: the window on one of its pages. The modules add theirs after it.
void MainWindow::buildPopupMenu() {
    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));

    QMenu* form = addSubmenu(*popupMenu_, "mnForm", QStringLiteral("&Форма"));
    addItem(*form, "mnFLast", QStringLiteral("&Прошедшая"), this, &MainWindow::showWindow);
    form->addSeparator();
    struct Item {
        const char* name;
        QString caption;
        Page page;
    };
    const Item items[] = {
        {"mnFRemember", QStringLiteral("&Напоминания"), Page::Reminders},
        {"mnFOpition", QStringLiteral("&Опции"), Page::Options},
        {"mnFService", QStringLiteral("&Сервис"), Page::Service},
        {"mnFTimeInWorld", QStringLiteral("&Время в мире"), Page::WorldTime},
        {"mnFSystem", QStringLiteral("&Система"), Page::System},
        {"mnFAbout", QStringLiteral("О п&рограмме"), Page::About},
    };
    for (const Item& item : items) {
        const Page page = item.page;
        addItem(*form, item.name, item.caption, this, [this, page] { showOn(page); });
    }
}

// What follows the modules' parts: "Ok" of the Options page and the menu's last item.
void MainWindow::finishFrame() {
    // At its described place when the page is tall enough; the page under this toolkit's
    // taller tabs is a few pixels shorter, and the button is raised to show whole.
    const int pageHeight = pages_->height() - pages_->tabBar()->sizeHint().height() - 4;
    okButton_ = place(new QPushButton(QStringLiteral("Ok"), page(Page::Options)), "Button1", 429,
                      std::min(289, pageHeight - 22 - 2), 80, 22);
    connect(okButton_, &QPushButton::clicked, this, &MainWindow::saveOptions);

    popupMenu_->addSeparator();
    addItem(*popupMenu_, "mnExit", QStringLiteral("&Выход"), this, &MainWindow::close);

    auto* guard = new HeldPressGuard(popupMenu_);
    popupMenu_->installEventFilter(guard);
    for (QMenu* submenu : popupMenu_->findChildren<QMenu*>()) {
        submenu->installEventFilter(guard);
    }
}

void MainWindow::buildTray() {
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setObjectName(QStringLiteral("TrayIcon"));
    tray_->setToolTip(trayTip(trayLine_));
    // A right click opens the menu at the cursor; a double left click opens the window;
    // a single left click does nothing.
    tray_->setContextMenu(popupMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            showWindow();
        }
    });
}

// Set again only when it changed: the desktop is told of every change of the tip.
void MainWindow::setTrayLine(const QString& line) {
    if (line == trayLine_) {
        return;
    }
    trayLine_ = line;
    if (tray_ != nullptr) {
        tray_->setToolTip(trayTip(trayLine_));
    }
}

void MainWindow::addTrayIcon() {
    tray_->show();
}

void MainWindow::deleteTrayIcon() {
    if (tray_ != nullptr) {
        tray_->hide();
    }
}

void MainWindow::notify(const QString& title, const QString& text) {
    if (tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable() &&
        QSystemTrayIcon::supportsMessages()) {
        tray_->showMessage(title, text, QSystemTrayIcon::Warning, 15000);
        return;
    }
    boxes_.error(this, text);
}

void MainWindow::showWindow() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

// In a tray-mode run a minimised window leaves the taskbar. Where the desktop has no
// notification area it stays minimised there, so the program is never out of reach.
void MainWindow::hideAppButton() {
    if (!(windowState() & Qt::WindowMinimized)) {
        return;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable() && tray_->isVisible()) {
        hide();
    }
}

void MainWindow::showOn(Page page) {
    showWindow();
    pages_->setCurrentIndex(static_cast<int>(page));
}

void MainWindow::showOn(ReminderSheet sheet) {
    showOn(Page::Reminders);
    reminderSheets_->setCurrentIndex(static_cast<int>(sheet));
}

} // namespace domora
