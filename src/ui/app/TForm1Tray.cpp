// The tray icon, its popup menu and the ways back to the main window.

#include "ui/app/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTabWidget>

namespace domora {

namespace {

constexpr char kTrayTip[] = "Domora Lite 2003\nЛевая:  2-Открыть окно\nПравая: 1-Меню";

// An item wired to its handler.
template <typename Receiver, typename Slot>
QAction* addItem(QMenu* menu, const char* name, const QString& caption, Receiver* receiver, Slot slot) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

// An item whose part of the program is not wired yet: present and disabled.
QAction* addLaterItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(false);
    return action;
}

QMenu* addSubmenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QString::fromLatin1(name));
    return sub;
}

} // namespace

void TForm1::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    QMenu* form = addSubmenu(PopupMenu1, "mnForm", QStringLiteral("&Форма"));
    addItem(form, "mnFLast", QStringLiteral("&Прошедшая"), this, &TForm1::mnFLastClick);
    form->addSeparator();
    addItem(form, "mnFRemember", QStringLiteral("&Напоминания"), this, &TForm1::mnFRememberClick);
    addItem(form, "mnFOpition", QStringLiteral("&Опции"), this, &TForm1::mnFOpitionClick);
    addItem(form, "mnFService", QStringLiteral("&Сервис"), this, &TForm1::mnFServiceClick);
    addItem(form, "mnFTimeInWorld", QStringLiteral("&Время в мире"), this, &TForm1::mnFTimeInWorldClick);
    addItem(form, "mnFSystem", QStringLiteral("&Система"), this, &TForm1::mnFSystemClick);
    addItem(form, "mnFAbout", QStringLiteral("О п&рограмме"), this, &TForm1::mnFAboutClick);

    QMenu* countdown = addSubmenu(PopupMenu1, "mnTimer", QStringLiteral("&Таймер"));
    addLaterItem(countdown, "mnTSet", QStringLiteral("&Установить..."));
    countdown->addSeparator();
    addLaterItem(countdown, "mnTSet1", QStringLiteral("Установить на &1 мин..."));
    addLaterItem(countdown, "mnTSet2", QStringLiteral("Установить на &2 мин..."));
    addLaterItem(countdown, "mnTSet3", QStringLiteral("Установить на &3 мин..."));
    addLaterItem(countdown, "mnTSet4", QStringLiteral("Установить на &4 мин..."));
    addLaterItem(countdown, "mnTSet5", QStringLiteral("Установить на &5 мин..."));
    addLaterItem(countdown, "mnTSet10", QStringLiteral("Установить на 10 мин..."));
    addLaterItem(countdown, "mnTSet15", QStringLiteral("Установить на 15 мин..."));
    addLaterItem(countdown, "mnTSet30", QStringLiteral("Установить на 30 мин..."));
    addLaterItem(countdown, "mnTSet45", QStringLiteral("Установить на 45 мин..."));
    countdown->addSeparator();
    addLaterItem(countdown, "mnTSet1h", QStringLiteral("Установить на 1 час..."));
    addLaterItem(countdown, "mnTSet15h", QStringLiteral("Установить на 1.5 часа..."));
    addLaterItem(countdown, "mnTSet2h", QStringLiteral("Установить на 2 часа..."));
    addLaterItem(countdown, "mnTSet3h", QStringLiteral("Установить на 3 часа..."));

    QMenu* holidays = addSubmenu(PopupMenu1, "mnCeleb", QStringLiteral("Праздники"));
    addItem(holidays, "mnCShowAll", QStringLiteral("Показать все"), this, &TForm1::mnCShowAllClick);
    addItem(holidays, "mnCThisMonth", QStringLiteral("В этом месяце"), this, &TForm1::mnCThisMonthClick);
    addItem(holidays, "mnCToday", QStringLiteral("Сегодня"), this, &TForm1::mnCTodayClick);

    QMenu* alarms = addSubmenu(PopupMenu1, "mnAlarms", QStringLiteral("Будильники"));
    addItem(alarms, "mnASee", QStringLiteral("Показать"), this, &TForm1::mnASeeClick);
    alarms->addSeparator();
    addItem(alarms, "mnAAdd", QStringLiteral("Добавить"), this, &TForm1::mnAAddClick);
    addItem(alarms, "mnADelAll", QStringLiteral("Удалить все"), this, &TForm1::mnADelAllClick);
    addItem(alarms, "mnASbros", QStringLiteral("Сбросить все"), this, &TForm1::mnASbrosClick);

    QMenu* tasks = addSubmenu(PopupMenu1, "mnTasks", QStringLiteral("Задания"));
    addLaterItem(tasks, "mnZSee", QStringLiteral("Показать"));
    tasks->addSeparator();
    addLaterItem(tasks, "mnZAdd", QStringLiteral("Добавить"));
    addLaterItem(tasks, "mnZDelAll", QStringLiteral("Удалить все"));

    QMenu* service = addSubmenu(PopupMenu1, "mnService", QStringLiteral("Сервис"));
    QMenu* launch = addSubmenu(service, "mnSRun", QStringLiteral("Запуск"));
    addLaterItem(launch, "mnSRunDefrag", QStringLiteral("Дефрагментация"));
    addLaterItem(launch, "mnSRunDirectX", QStringLiteral("DirectX"));
    addLaterItem(launch, "mnSRunIE", QStringLiteral("Internet Explorer"));
    addLaterItem(launch, "mnSRunNotepad", QStringLiteral("Блокнот"));
    addLaterItem(launch, "mnSRunRegedit", QStringLiteral("Редактор реестра"));
    addLaterItem(launch, "mnSRunDiskCheck", QStringLiteral("Проверка диска"));
    QMenu* cd = addSubmenu(service, "mnSCD", QStringLiteral("CD"));
    addLaterItem(cd, "mnSCDOpen", QStringLiteral("Открыть"));
    addLaterItem(cd, "mnSCDClose", QStringLiteral("Закрыть"));
    QMenu* computer = addSubmenu(service, "mnSComputer", QStringLiteral("Компьютер"));
    addLaterItem(computer, "mnSLogOff", QStringLiteral("Log off"));
    addLaterItem(computer, "mnSRestart", QStringLiteral("Перегрузить"));
    addLaterItem(computer, "mnSPowerOff", QStringLiteral("Выключить"));
    addLaterItem(computer, "mnSSuspend", QStringLiteral("Приостановить работу"));
    QMenu* monitor = addSubmenu(service, "mnSMonitor", QStringLiteral("Монитор"));
    addLaterItem(monitor, "mnSMonitorOff", QStringLiteral("Выключить"));
    addLaterItem(monitor, "mnSScreenSaver", QStringLiteral("Запустить заставку"));
    addLaterItem(monitor, "mnSWallpaper", QStringLiteral("Сменить обои на рабочем столе"));
    QMenu* time = addSubmenu(service, "mnSTime", QStringLiteral("Время"));
    addLaterItem(time, "mnSTimeSync", QStringLiteral("Синхронизировать через Интернет"));
    addLaterItem(time, "mnSTimeSet", QStringLiteral("Изменить вручную"));
    addLaterItem(time, "mnSTimeWorld", QStringLiteral("Время в мире"));
    addLaterItem(service, "mnSDate", QStringLiteral("Изменить дату"));
    QMenu* other = addSubmenu(service, "mnSOther", QStringLiteral("Другое"));
    addLaterItem(other, "mnSNumLock", QStringLiteral("Включить/Выключить Num Lock"));
    addLaterItem(other, "mnSCapsLock", QStringLiteral("Включить/Выключить Caps Lock"));
    addLaterItem(other, "mnSScrollLock", QStringLiteral("Включить/Выключить Scroll Lock"));
    addLaterItem(other, "mnSTaskBar", QStringLiteral("Спрятать/Показать TaskBar"));

    PopupMenu1->addSeparator();
    addItem(PopupMenu1, "mnExit", QStringLiteral("&Выход"), this, &TForm1::mnExitClick);
}

void TForm1::buildTray() {
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setObjectName(QStringLiteral("TrayIcon"));
    tray_->setToolTip(QString::fromUtf8(kTrayTip));
    // A right click opens the menu at the cursor; a double left click opens the window;
    // a single left click does nothing.
    tray_->setContextMenu(PopupMenu1);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            ShowMainWindow();
        }
    });
}

void TForm1::AddTrayIcon() {
    tray_->show();
}

void TForm1::DeleteTrayIcon() {
    if (tray_ != nullptr) {
        tray_->hide();
    }
}

// Brings back the taskbar entry and the window from its minimised state.
void TForm1::ShowMainWindow() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

// In a tray-mode run a minimised window leaves the taskbar. Where the desktop has no
// notification area it stays minimised there, so the program is never out of reach.
void TForm1::HideAppButton() {
    if (!(windowState() & Qt::WindowMinimized)) {
        return;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable() && tray_->isVisible()) {
        hide();
    }
}

// Brings the window back on one of its pages.
void TForm1::showOnPage(int index) {
    ShowMainWindow();
    PageControl1->setCurrentIndex(index);
}

void TForm1::mnFLastClick() {
    ShowMainWindow();
}

void TForm1::mnFRememberClick() {
    showOnPage(0);
}

void TForm1::mnFOpitionClick() {
    showOnPage(1);
}

void TForm1::mnFServiceClick() {
    showOnPage(2);
}

void TForm1::mnFTimeInWorldClick() {
    showOnPage(3);
}

void TForm1::mnFSystemClick() {
    showOnPage(4);
}

void TForm1::mnFAboutClick() {
    showOnPage(5);
}

} // namespace domora
